// The stand-in host's application: one object that owns everything a module can reach
// through its suites (suite registry, fault injection, menus, notifiers, application
// context stack, main window, user interaction, strings, paths, memory blocks) and the
// loaded modules, and that sends the modules their messages.
//
// The suites see it through SuiteContext, the part of it they need.
#pragma once

#include "host/core/SuiteContext.h"
#include "host/loader/Module.h"
#include "hostapi/HostMessages.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {

class PreferenceStore;

/// Outlines closer than this (points) count as one in path operations unless the user says
/// otherwise: the hairline gaps and overlaps left where neighbours were drawn one by one.
inline constexpr double kDefaultPrecision = 0.03;

struct ApplicationOptions {
    /// "AI Folders Suite" answers; empty: the user's configuration folder
    /// ($XDG_CONFIG_HOME/cartovel or ~/.config/cartovel) and home folder.
    std::filesystem::path preferencesFolder;
    std::filesystem::path documentsFolder;
    /// Empty: the folder of the first module loaded from a file.
    std::filesystem::path pluginsFolder;
    /// The preference store's file; empty: preferences.json in preferencesFolder.
    std::filesystem::path preferencesFile;
    /// The store starts empty and is never written (reproducible runs).
    bool preferencesInMemory = false;
    /// Path operations treat points and edges closer than this (points) as one; 0: exact.
    double precision = kDefaultPrecision;
};

/// One message the host sent, for tests and diagnostics.
struct SentMessage {
    const Module* module;
    std::string caller;
    std::string selector;
    HostErr result;
};

class Application final : public SuiteContext {
public:
    explicit Application(ApplicationOptions options = {});
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    /// Shuts down (if not done yet) and stops being the current application. Applications
    /// that live at the same time must end in the reverse order of their construction.
    ~Application() override;

    /// The application the suites work on; null when there is none.
    static Application* current();

    Faults& faults() override { return faults_; }
    SuiteRegistry& suites() override { return suites_; }
    Blocks& blocks() override { return blocks_; }
    Strings& strings() override { return strings_; }
    FilePaths& filePaths() override { return filePaths_; }
    Menus& menus() override { return menus_; }
    Notifiers& notifiers() override { return notifiers_; }
    ContextStack& contexts() override { return contexts_; }
    MainWindow& mainWindow() override { return mainWindow_; }
    UserInteraction& user() override { return user_; }
    /// The floating panels and the look of the interface.
    Panels& panels() override { return panels_; }
    /// The preference store ("AI Preference Suite"), opened from the options' file on first
    /// use.
    PreferenceStore& preferences() override;
    [[nodiscard]] const ApplicationOptions& options() const { return options_; }
    /// The precision of path operations (points); a negative or non-finite value means 0.
    [[nodiscard]] double precision() const override { return options_.precision; }
    [[nodiscard]] const std::filesystem::path* folder(std::int32_t kind) const override;
    void setPrecision(double points);
    /// The basic suite handed to modules in every message.
    [[nodiscard]] const HostBasicSuite* basicSuite() const override;

    /// The current document's state for menu enabling; null: no document open. Not owned.
    /// Makes the document current without telling the modules (tests of menu enabling).
    void setDocumentState(const DocumentState* document) override { document_ = document; }
    [[nodiscard]] const DocumentState* documentState() const override { return document_; }

    // ---- open documents ----

    /// A document was opened: it joins the open documents and becomes the current one.
    void openDocument(const DocumentState* document) override;
    /// A document was closed; when it was the current one, the document opened before it
    /// (the last one still open) becomes current.
    void closeDocument(const DocumentState* document) override;
    /// Makes an open document the current one; false when it is not open.
    bool switchDocument(const DocumentState* document) override;
    [[nodiscard]] const std::vector<const DocumentState*>& openDocuments() const {
        return documents_;
    }

    // ---- the look of the interface ----

    /// Switches the interface between light and dark, tells the modules
    /// ("AI UI Brightness Changed Notifier") and repaints the panels.
    void setDarkInterface(bool dark);
    /// The two interface scale factors ("AI User Suite"); panels read them when they make
    /// their controls.
    void setScaleFactors(HostReal uiScale, HostReal platformScale);

    /// The host's idle time: the notifications that work outside a host message (a panel's
    /// window procedure) left pending are sent now: "AI Art Selection Changed Notifier",
    /// then "AI Document Changed Notifier".
    void idle();
    /// Marks the document as changed outside a message; idle() tells the modules.
    void documentChangedOutsideMessage() override { pendingDocumentChange_ = true; }
    /// True while the host is sending a message to a module.
    [[nodiscard]] bool inMessage() const override { return messageDepth_ > 0; }

    // ---- modules ----

    /// Loads a module file (property list first, then code). Throws HostError.
    Module& loadModule(const std::string& path);
    Module& addModule(std::unique_ptr<Module> module);
    [[nodiscard]] const std::vector<std::unique_ptr<Module>>& modules() const { return modules_; }
    /// Null for a reference that names no module of this application.
    [[nodiscard]] Module* moduleFromRef(HostPluginRef ref) const override;

    /// Sends one message as it is: fills the record's common header (check, module, its
    /// globals slot, basic suite), calls the entry and keeps the globals slot the module
    /// leaves. No state checks: tests use it to send anything at any time.
    HostErr send(Module& module, const char* caller, const char* selector, HostMessageData& record);

    /// "SP Interface"/"Startup"; the module is Started on success and Failed (code freed)
    /// otherwise. kHostErrRefused when the module is not freshly loaded.
    HostErr startModule(Module& module);
    /// Starts every loaded module, then sends "AI Application Started Notifier" to the
    /// registrations. Returns the first start-up failure.
    HostErr startModules();
    /// "SP Access"/"Unload" and frees the code. kHostErrRefused when the module is not
    /// started or holds itself ("SP Access Suite").
    HostErr unloadModule(Module& module);
    /// Loads the code again and sends "SP Access"/"Reload". kHostErrRefused when the
    /// module is not unloaded.
    HostErr reloadModule(Module& module);
    /// "SP Cache"/"Plug-in Purge" to every started module; true when one released memory.
    bool purgeModules();
    /// Sends a message to a started module (reloading an unloaded one first);
    /// kHostErrRefused for a module that is not running.
    HostErr deliver(Module& module, const char* caller, const char* selector,
                    HostMessageData& record);

    struct Notification {
        Notifier* notifier;
        HostErr result;
    };
    /// Sends "AI Notifier"/"AI Notify" with the notifier and type to every registration of
    /// type, in registration order.
    std::vector<Notification> notify(const std::string& type, void* data = nullptr);

    /// Evaluates automatic enabling and sends "AI Menu"/"AI Update" for every item that
    /// asked for updates, as the host does before showing its menus.
    void updateMenus();
    /// Chooses an item as a user would: menus are updated first; a disabled item, a
    /// separator or a sub-menu item gives kHostErrRefused, an unknown handle
    /// kHostErrBadHandle. Otherwise the result of "AI Menu"/"AI Go".
    HostErr chooseMenuItem(HostMenuItemHandle item);

    /// Sends "AI Application Shutdown Notifier" to its registrations, then
    /// "SP Interface"/"Shutdown" to every running module (last loaded first), then frees
    /// their code. Done once.
    void shutdown();
    [[nodiscard]] bool isShutDown() const { return shutDown_; }

    // ---- module access ("SP Access Suite") ----

    HostErr acquireAccess(Module& module, HostAccessRef* access) override;
    HostErr releaseAccess(HostAccessRef access) override;

    /// Every message sent so far.
    [[nodiscard]] const std::vector<SentMessage>& sentMessages() const { return sent_; }

private:
    ApplicationOptions options_;
    Application* previous_;
    Faults faults_;
    SuiteRegistry suites_{faults_};
    Blocks blocks_;
    Strings strings_;
    FilePaths filePaths_;
    Menus menus_;
    Notifiers notifiers_;
    ContextStack contexts_;
    MainWindow mainWindow_;
    UserInteraction user_;
    const DocumentState* document_ = nullptr;
    std::vector<const DocumentState*> documents_;
    Panels panels_;
    /// Messages being sent now (they nest).
    int messageDepth_ = 0;
    bool pendingDocumentChange_ = false;
    std::unique_ptr<PreferenceStore> preferences_;
    std::vector<std::unique_ptr<Module>> modules_;
    std::map<HostAccessRef, Module*> access_;
    std::uintptr_t nextAccess_ = 0;
    std::vector<SentMessage> sent_;
    bool shutDown_ = false;
};

} // namespace host
