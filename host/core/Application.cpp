#include "host/core/Application.h"

#include "host/core/Errors.h"
#include "host/core/FrameSuites.h"
#include "host/core/SuiteCatalog.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/prefs/PreferenceStore.h"
#include "host/prefs/PreferenceSuite.h"
#include "hostapi/suites/FoldersSuite.h"
#include "hostapi/suites/MenuSuite.h"
#include "hostapi/suites/NotifierSuite.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace host {
namespace {

Application* gCurrent = nullptr;

// Suites called while the host sends a message work on the application that sent it.
class CurrentScope {
public:
    explicit CurrentScope(Application* app) : saved_(gCurrent) { gCurrent = app; }
    CurrentScope(const CurrentScope&) = delete;
    CurrentScope& operator=(const CurrentScope&) = delete;
    ~CurrentScope() { gCurrent = saved_; }

private:
    Application* saved_;
};

std::filesystem::path defaultPreferencesFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0)
        return std::filesystem::path(config) / "cartovel";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0)
        return std::filesystem::path(home) / ".config" / "cartovel";
    return std::filesystem::temp_directory_path() / "cartovel";
}

std::filesystem::path defaultDocumentsFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) return home;
    return std::filesystem::current_path();
}

} // namespace

void Application::setPrecision(double points) {
    options_.precision = std::isfinite(points) && points > 0 ? points : 0.0;
}

Application::Application(ApplicationOptions options)
    : options_(std::move(options)), previous_(gCurrent) {
    if (options_.preferencesFolder.empty()) options_.preferencesFolder = defaultPreferencesFolder();
    if (options_.documentsFolder.empty()) options_.documentsFolder = defaultDocumentsFolder();
    setPrecision(options_.precision);
    // Every suite of the module's table exists; those without an implementation yet are
    // empty tables. Real implementations replace them, one provide() per suite.
    for (const SuiteName& suite : moduleSuiteCatalog())
        suites_.provideEmpty(suite.name, suite.version);
    installFrameSuites(suites_);
    installPreferenceSuite(suites_);
    installDocumentSuites(suites_);
    gCurrent = this;
}

Application::~Application() {
    shutdown();
    modules_.clear();
    if (gCurrent == this) gCurrent = previous_;
}

Application* Application::current() {
    return gCurrent;
}

SuiteContext* SuiteContext::current() {
    return gCurrent;
}

const std::filesystem::path* Application::folder(std::int32_t kind) const {
    switch (kind) {
    case kHostFolderPreferences:
        return &options_.preferencesFolder;
    case kHostFolderUserDocuments:
        return &options_.documentsFolder;
    case kHostFolderPlugins:
        return &options_.pluginsFolder;
    default:
        return nullptr;
    }
}
PreferenceStore& Application::preferences() {
    if (preferences_ == nullptr) {
        const std::filesystem::path file = options_.preferencesFile.empty()
                                               ? options_.preferencesFolder / "preferences.json"
                                               : options_.preferencesFile;
        preferences_ = std::make_unique<PreferenceStore>(
            options_.preferencesInMemory ? std::filesystem::path() : file);
        for (int i = 0; i < messageDepth_; ++i)
            preferences_->deferWrites();
    }
    return *preferences_;
}

const HostBasicSuite* Application::basicSuite() const {
    return &kBasicSuiteTable;
}

Module& Application::loadModule(const std::string& path) {
    Module& module = addModule(Module::load(path));
    if (options_.pluginsFolder.empty())
        options_.pluginsFolder = std::filesystem::path(module.path()).parent_path();
    return module;
}

Module& Application::addModule(std::unique_ptr<Module> module) {
    modules_.push_back(std::move(module));
    return *modules_.back();
}

Module* Application::moduleFromRef(HostPluginRef ref) const {
    for (const auto& m : modules_)
        if (m->ref() == ref) return m.get();
    return nullptr;
}

HostErr Application::send(Module& module, const char* caller, const char* selector,
                          HostMessageData& record) {
    record.check = kHostMessageCheck;
    record.self = module.ref();
    record.globals = module.globals();
    record.basic = basicSuite();
    const CurrentScope scope(this);
    const std::size_t depth = contexts_.depth();
    // The preferences a message changes reach the file in one write, when it returns.
    ++messageDepth_;
    if (preferences_ != nullptr) preferences_->deferWrites();
    const HostErr result = module.call(caller, selector, &record);
    --messageDepth_;
    if (preferences_ != nullptr) preferences_->endDeferring();
    module.setGlobals(record.globals);
    // A module that returns with its context still pushed would leave the host in its
    // context for good; drop what it left (the stack counts it as a mismatch).
    contexts_.unwindTo(depth);
    sent_.push_back({&module, caller, selector, result});
    return result;
}

HostErr Application::startModule(Module& module) {
    if (module.state() != ModuleState::Loaded) return kHostErrRefused;
    HostMessageData record{};
    const HostErr result = send(module, kCallerInterface, kSelectorStartup, record);
    if (result == kHostNoErr) {
        module.setState(ModuleState::Started);
    } else {
        module.setState(ModuleState::Failed);
        module.freeCode();
    }
    return result;
}

HostErr Application::startModules() {
    HostErr first = kHostNoErr;
    for (const auto& m : modules_) {
        if (m->state() != ModuleState::Loaded) continue;
        const HostErr result = startModule(*m);
        if (first == kHostNoErr) first = result;
    }
    notify(kHostAppStartedNotifier);
    return first;
}

HostErr Application::unloadModule(Module& module) {
    if (module.state() != ModuleState::Started || module.holds() > 0) return kHostErrRefused;
    HostMessageData record{};
    const HostErr result = send(module, kCallerAccess, kSelectorUnload, record);
    if (result != kHostNoErr) return result;
    module.freeCode();
    module.setState(ModuleState::Unloaded);
    return kHostNoErr;
}

HostErr Application::reloadModule(Module& module) {
    if (module.state() != ModuleState::Unloaded) return kHostErrRefused;
    try {
        module.loadCode();
    } catch (const HostError& e) {
        return e.code();
    }
    HostMessageData record{};
    const HostErr result = send(module, kCallerAccess, kSelectorReload, record);
    if (result != kHostNoErr) {
        module.freeCode();
        return result;
    }
    module.setState(ModuleState::Started);
    return kHostNoErr;
}

bool Application::purgeModules() {
    bool released = false;
    for (const auto& m : modules_) {
        if (m->state() != ModuleState::Started) continue;
        HostMessageData record{};
        if (send(*m, kCallerCache, kSelectorPurge, record) == kHostErrPurgeFreed) released = true;
    }
    return released;
}

HostErr Application::deliver(Module& module, const char* caller, const char* selector,
                             HostMessageData& record) {
    if (module.state() == ModuleState::Unloaded) {
        if (const HostErr result = reloadModule(module)) return result;
    }
    if (module.state() != ModuleState::Started) return kHostErrRefused;
    return send(module, caller, selector, record);
}

std::vector<Application::Notification> Application::notify(const std::string& type, void* data) {
    std::vector<Notification> results;
    // A module may register more notifiers while handling one; they wait for the next time.
    for (Notifier* n : notifiers_.ofType(type)) {
        if (n->owner == nullptr) continue;
        const ModuleState state = n->owner->state();
        if (state != ModuleState::Started && state != ModuleState::Unloaded) continue;
        HostNotifierMessage message{};
        message.notifier = n->handle();
        message.type = n->type.c_str();
        message.notifyData = data;
        results.push_back({n, deliver(*n->owner, kCallerNotifier, kSelectorNotify, message.d)});
    }
    return results;
}

void Application::updateMenus() {
    menus_.evaluate(document_);
    for (MenuItem* item : menus_.items()) {
        if ((item->options & kHostMenuItemWantsUpdate) == 0 || item->isSeparator()) continue;
        if (item->owner == nullptr || item->owner->state() != ModuleState::Started) continue;
        HostMenuMessage message{};
        message.menuItem = item->handle();
        deliver(*item->owner, kCallerMenu, kSelectorUpdate, message.d);
    }
}

HostErr Application::chooseMenuItem(HostMenuItemHandle handle) {
    MenuItem* item = menus_.itemFromHandle(handle);
    if (item == nullptr) return kHostErrBadHandle;
    updateMenus();
    if (item->isSeparator() || item->subMenu != nullptr || !item->enabled() ||
        item->owner == nullptr)
        return kHostErrRefused;
    HostMenuMessage message{};
    message.menuItem = handle;
    const HostErr result = deliver(*item->owner, kCallerMenu, kSelectorGo, message.d);
    // A command may have changed the document and its selection.
    if (document_ != nullptr && !shutDown_) {
        notify(kHostArtSelectionChangedNotifier);
        notify(kHostDocumentChangedNotifier);
    }
    return result;
}

void Application::openDocument(const DocumentState* document) {
    if (document == nullptr) return;
    std::erase(documents_, document);
    documents_.push_back(document);
    document_ = document;
    if (!shutDown_) notify(kHostDocumentChangedNotifier);
}

void Application::closeDocument(const DocumentState* document) {
    const bool wasOpen = std::erase(documents_, document) > 0;
    if (document_ == document) document_ = documents_.empty() ? nullptr : documents_.back();
    if (wasOpen && !shutDown_) notify(kHostDocumentChangedNotifier);
}

bool Application::switchDocument(const DocumentState* document) {
    if (std::find(documents_.begin(), documents_.end(), document) == documents_.end()) return false;
    if (document_ != document) {
        document_ = document;
        if (!shutDown_) notify(kHostDocumentChangedNotifier);
    }
    return true;
}

void Application::setDarkInterface(bool dark) {
    InterfaceLook look = dark ? InterfaceLook::darkLook() : InterfaceLook::light();
    look.uiScale = panels_.look().uiScale;
    look.platformScale = panels_.look().platformScale;
    panels_.look() = look;
    if (!shutDown_) notify(kHostUIBrightnessChangedNotifier);
    panels_.repaint();
}

void Application::setScaleFactors(HostReal uiScale, HostReal platformScale) {
    panels_.look().uiScale = uiScale;
    panels_.look().platformScale = platformScale;
}

void Application::idle() {
    if (!pendingDocumentChange_ || shutDown_) return;
    pendingDocumentChange_ = false;
    if (document_ == nullptr) return;
    notify(kHostArtSelectionChangedNotifier);
    notify(kHostDocumentChangedNotifier);
}

void Application::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    notify(kHostAppShutdownNotifier);
    for (auto it = modules_.rbegin(); it != modules_.rend(); ++it) {
        Module& m = **it;
        if (m.state() == ModuleState::Unloaded) reloadModule(m);
        if (m.state() == ModuleState::Started) {
            HostMessageData record{};
            send(m, kCallerInterface, kSelectorShutdown, record);
            m.setState(ModuleState::ShutDown);
        }
        // Panels the module left behind go while its window procedures are still loaded.
        for (PanelRecord* panel : panels_.all())
            if (panel->owner == &m) panels_.destroy(panel->handle);
        m.freeCode();
    }
}

HostErr Application::acquireAccess(Module& module, HostAccessRef* access) {
    if (access == nullptr) return kHostErrBadParameter;
    const auto ref = reinterpret_cast<HostAccessRef>(++nextAccess_);
    access_.emplace(ref, &module);
    module.hold();
    *access = ref;
    return kHostNoErr;
}

HostErr Application::releaseAccess(HostAccessRef access) {
    auto it = access_.find(access);
    if (it == access_.end()) return kHostErrBadHandle;
    it->second->releaseHold();
    access_.erase(it);
    return kHostNoErr;
}

} // namespace host
