// One run of the command-line host: the application, the module, who answers questions and
// dialogs, and the exit status the run ends with.
#pragma once

#include "DialogAgent.h"
#include "host/core/Application.h"
#include "host/core/Responder.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cartovel {

enum ExitStatus : int { kExitOk = 0, kExitError = 1, kExitCancelled = 2, kExitUsage = 64 };

struct SessionOptions {
    std::string pluginPath;
    /// The preference store's file (--prefs); empty: the user's configuration folder.
    std::filesystem::path preferencesFile;
    /// Answers to the module's questions, in the order they are asked (--answer).
    std::vector<host::Answer> answers;
    /// Dialog fields (--set).
    std::vector<FieldSetting> fields;
    /// Questions and dialogs without a scripted answer go to the person at the terminal.
    bool interactive = false;
    /// Shows each dialog the session answers on its own (the about box's text).
    bool echoDialogs = false;
    std::istream* in = nullptr;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
};

class Session {
public:
    explicit Session(SessionOptions options);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    host::Application& app() { return *app_; }
    [[nodiscard]] host::Module* module() const { return module_; }

    /// Loads the module (property list first) and starts it. A load failure is kept and
    /// returned as its code.
    HostErr start();
    /// The module's menu item with this text; null when there is none.
    [[nodiscard]] host::MenuItem* findItem(std::string_view text) const;
    /// The module's item in the sub-menu of the host's "About" group.
    [[nodiscard]] host::MenuItem* aboutItem() const;

    /// Records a failure of the host's own (it wins over the module's result).
    void fail(HostErr code, std::string message);
    /// A failure is recorded: the host's own, an unanswered question or a dialog error.
    [[nodiscard]] bool hasFailed() const;
    /// Prints what the run ended with and returns the exit status: 0 success, 1 an error
    /// (with the code's four characters and a sentence), 2 cancelled.
    int finish(HostErr result);

private:
    SessionOptions options_;
    std::unique_ptr<host::Responder> terminal_;
    std::unique_ptr<host::ScriptedResponder> answers_;
    std::unique_ptr<ws::UserAgent> terminalUser_;
    std::unique_ptr<DialogAgent> dialogs_;
    std::unique_ptr<ws::ScopedUserAgent> agentScope_;
    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;
    std::optional<std::pair<HostErr, std::string>> failure_;
    void (*previousInterrupt_)(int) = nullptr;
};

/// Where the module is: --plugin, else $CARTOVEL_PLUGIN, else <exe dir>/../plugins/cartovel.so.
std::string locateModule(const std::string& pluginOption);

} // namespace cartovel
