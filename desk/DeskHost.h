// The desktop program's host: the same application core, module loader, SVG documents and
// preference store as the command-line host, plus what a window adds around a command: a
// copy of the document model before it for undo and redo, and the document's changed mark.
// The document's revision tells whether a command or a click changed it.
#pragma once

#include "host/core/Application.h"
#include "host/docsuites/DocumentSession.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace desk {

struct DeskHostOptions {
    std::string pluginPath;
    /// Empty: the user's configuration folder.
    std::filesystem::path preferencesFile;
    /// The interface scale the panels lay themselves out with.
    double interfaceScale = 1.0;
};

class DeskHost {
public:
    explicit DeskHost(DeskHostOptions options);
    ~DeskHost();
    DeskHost(const DeskHost&) = delete;
    DeskHost& operator=(const DeskHost&) = delete;

    host::Application& app() { return *app_; }
    [[nodiscard]] host::Module* module() const { return module_; }
    /// Loads and starts the module; a failure is returned with a sentence in *message.
    HostErr start(std::string* message);

    /// Opens an SVG file in place of the open document; false with a sentence on failure,
    /// the open document then kept.
    bool open(const std::filesystem::path& path, std::string* message);
    /// Saves to path (atomically) and clears the changed mark.
    bool save(const std::filesystem::path& path, std::string* message);
    [[nodiscard]] host::Document* document() const;
    [[nodiscard]] const std::filesystem::path& filePath() const { return path_; }
    [[nodiscard]] bool modified() const { return modified_; }
    /// The window changed the document itself (a layer shown, hidden, locked or unlocked).
    void markModified() { modified_ = true; }

    /// Runs a menu item as the user chose it. The document as it was is kept for undo
    /// when the command changed it; a command that fails or is cancelled leaves the
    /// document as it was.
    HostErr runMenuItem(host::MenuItem& item);
    /// A change the window makes outside a menu command (a panel's button): the document
    /// before it is kept, and after it, when it changed, the change can be undone by name.
    void beginChange();
    void endChange(std::string name);
    [[nodiscard]] bool canUndo() const { return !undo_.empty(); }
    [[nodiscard]] bool canRedo() const { return !redo_.empty(); }
    [[nodiscard]] const std::string& undoName() const;
    [[nodiscard]] const std::string& redoName() const;
    bool undo();
    bool redo();

    /// Counts document replacements; with the document's revision it tells views whether
    /// the document they show changed.
    [[nodiscard]] std::uint64_t generation() const { return generation_; }
    void touch() { ++generation_; }

private:
    struct Snapshot {
        std::string name;
        std::unique_ptr<host::Document> state;
        bool modified = false;
    };
    /// A copy of the open document as it is now, for undo; null when none is open. The copy
    /// is made once per revision: clicks that change nothing reuse it.
    std::unique_ptr<host::Document> takeCopy();
    /// Gives back a copy that was not needed, for the next command to use.
    void keepCopy(std::unique_ptr<host::Document> copy);
    /// Whether the open document changed since copy was made.
    [[nodiscard]] bool changedSince(const host::Document& copy) const;
    void pushUndo(std::string name, std::unique_ptr<host::Document> before);
    void restore(std::unique_ptr<host::Document> state);
    /// Puts back the document of from's last step, which moves to to with the document as
    /// it is now; the changed mark is then modified.
    bool step(std::vector<Snapshot>& from, std::vector<Snapshot>& to, bool modified);
    void replaceDocument(std::unique_ptr<host::Document> document);

    DeskHostOptions options_;
    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;
    std::unique_ptr<host::DocumentSession> session_;
    std::filesystem::path path_;
    bool modified_ = false;
    std::vector<Snapshot> undo_;
    std::vector<Snapshot> redo_;
    std::uint64_t generation_ = 0;
    std::unique_ptr<host::Document> pending_;
    std::unique_ptr<host::Document> spare_;
};

} // namespace desk
