#include "plugin/CartovelPlugin.h"

#include "frame/AboutBox.h"
#include "frame/FailureConversion.h"
#include "frame/HostSuites.h"
#include "frame/MenuGroups.h"
#include "frame/SDKAboutPluginsHelper.h"
#include "hostapi/wrappers/UnicodeString.h"

#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

constexpr const char* kPluginName = "Mirvak-Cartovel1.6";
constexpr const char* kSubMenuKeyboardName = "Mirvak-Cartovel1.6";
constexpr const char* kSubMenuText = "Mirvak-CARTOVEL1.6";
constexpr const char* kWindowsGroup = "Mirvak-Cartovel1.6 Windows";
constexpr const char* kObjectsGroup = "Mirvak-Cartovel1.6 Objects";
constexpr const char* kAboutGroup = "AboutMirvakName";
constexpr const char* kAboutTitle = "Mirvakについて...";
constexpr const char* kAboutItemText = "Mirvak-Cartovel1.6...";

struct OwnNotifier {
    const char* name;
    const char* type;
    HostNotifierHandle CartovelPlugin::*handle;
};

HostErr AddItem(HostPluginRef plugin, const char* groupName, const char* keyboardName,
                std::string_view text, int32_t options, HostMenuItemHandle* item) {
    ai::UnicodeString string;
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, text, string)) return err;
    return sMenu->AddMenuItem(plugin, keyboardName, groupName, string.get(), options, item);
}

} // namespace

CartovelPlugin::CartovelPlugin(HostPluginRef pluginRef) noexcept
    : CartovelPlugin(pluginRef, Parts{}) {}

CartovelPlugin::CartovelPlugin(HostPluginRef pluginRef, const Parts& parts) noexcept
    : Plugin(pluginRef), parts_(parts) {
    SetName(kPluginName);
}

// The panels are gone by now: the application-shutdown notification or OnShutdown
// deleted them while the suites they need were still held.
CartovelPlugin::~CartovelPlugin() = default;

HostErr CartovelPlugin::OnStartup(HostMessageData* message) {
    if (const HostErr err = Plugin::OnStartup(message)) return err;
    // Once the base is up the module starts, whatever of its own parts failed.
    CallConverted([&] { return StartFeatures(message); });
    HoldModule(true);
    return kHostNoErr;
}

HostErr CartovelPlugin::StartFeatures(HostMessageData* message) {
    if (const HostErr err = BuildMenus(message)) return err;
    if (const HostErr err = CreatePanel(parts_.makeTextOriginPanel, textOriginPanel_)) return err;
    if (const HostErr err = CreatePanel(parts_.makeMoveLayerPanel, moveLayerPanel_)) return err;
    return RegisterNotifiers();
}

HostErr CartovelPlugin::CreatePanel(PanelFactory make, std::unique_ptr<PluginPanel>& panel) {
    if (make == nullptr) return kHostNoErr;
    panel = make(PluginRef());
    // A module without this panel goes on with the next part of start-up.
    if (panel == nullptr) return kHostNoErr;
    return panel->Create();
}

HostErr CartovelPlugin::OnShutdown(HostMessageData* message) {
    // Normally the application-shutdown notification deleted the panels already; a panel
    // left over is deleted while the suites it releases through are still held.
    DeletePanels();
    return Plugin::OnShutdown(message);
}

HostErr CartovelPlugin::OnMessage(const char* caller, const char* selector, void* message) {
    HostErr result = kHostNoErr;
    try {
        result = Plugin::OnMessage(caller, selector, message);
    } catch (const ai::Error& error) {
        result = ConvertAIError(error);
    } catch (...) {
        result = kHostErrCant;
        ReportError(result, caller, selector, message);
    }
    if (result == kHostNoErr || result == kHostErrUnhandledMessage) return kHostNoErr;
    ReportError(result, caller, selector, message);
    return result;
}

HostErr CartovelPlugin::SetGlobalInstance(Plugin*) {
    return kHostNoErr;
}

HostErr CartovelPlugin::OnNotify(HostNotifierMessage* message) {
    const char* type = message->type;
    if (SameToken(type, kHostUIBrightnessChangedNotifier)) {
        for (PluginPanel* panel : {textOriginPanel_.get(), moveLayerPanel_.get()})
            if (panel != nullptr) panel->UpdateTheme();
    } else if (SameToken(type, kHostDocumentChangedNotifier)) {
        for (PluginPanel* panel : {textOriginPanel_.get(), moveLayerPanel_.get()})
            if (panel != nullptr) panel->OnDocumentChanged();
    } else if (SameToken(type, kHostAppShutdownNotifier)) {
        DeletePanels();
    }
    return kHostNoErr;
}

void CartovelPlugin::DeletePanels() noexcept {
    textOriginPanel_.reset();
    moveLayerPanel_.reset();
}

HostMenuItemHandle CartovelPlugin::CommandItem(const menu::Item& item) const noexcept {
    for (size_t i = 0; i < parts_.commands.size(); ++i)
        if (parts_.commands[i].item == &item) return commandItems_[i];
    return nullptr;
}

HostErr CartovelPlugin::OnMenuGo(HostMenuMessage* message) {
    const HostMenuItemHandle item = message->menuItem;
    // Items whose creation failed have null handles; a null item matches none of them.
    if (item == nullptr) return kHostNoErr;
    if (item == aboutItem_) {
        frame::RunAboutBox(PluginRef());
        return kHostNoErr;
    }
    for (auto [panelItem, panel] : {std::pair{textOriginItem_, textOriginPanel_.get()},
                                    std::pair{moveLayerItem_, moveLayerPanel_.get()}}) {
        if (item != panelItem) continue;
        if (panel != nullptr) panel->Show(!panel->IsShown());
        return kHostNoErr;
    }
    for (size_t i = 0; i < commandItems_.size(); ++i) {
        if (item != commandItems_[i]) continue;
        const plugin::CommandRunner run = parts_.commands[i].run;
        return run != nullptr ? run(PluginRef()) : plugin::CommandNotAvailable();
    }
    return kHostNoErr;
}

HostErr CartovelPlugin::OnMenuUpdate(HostMenuMessage*) {
    if (sMenu == nullptr) return kHostNoErr;
    for (auto [item, panel] : {std::pair{textOriginItem_, textOriginPanel_.get()},
                               std::pair{moveLayerItem_, moveLayerPanel_.get()}}) {
        if (item != nullptr && panel != nullptr) sMenu->CheckItem(item, panel->IsShown() ? 1 : 0);
    }
    return kHostNoErr;
}

HostErr CartovelPlugin::BuildMenus(HostMessageData* message) {
    if (sMenu == nullptr) return kHostErrSuiteNotFound;
    if (const HostErr err = BuildWindowsMenu()) return err;
    if (const HostErr err = BuildObjectsMenu()) return err;
    return BuildAboutMenu(message);
}

namespace {

/** Makes groupName the sub-menu of a new item in hostGroup unless the host has it. */
HostErr EnsureSubMenu(HostPluginRef plugin, const char* hostGroup, const char* groupName) {
    bool found = false;
    if (const HostErr err = frame::FindMenuGroup(sMenu, groupName, &found)) return err;
    if (found) return kHostNoErr;
    HostMenuItemHandle subMenuItem = nullptr;
    if (const HostErr err = AddItem(plugin, hostGroup, kSubMenuKeyboardName, kSubMenuText,
                                    kHostMenuItemWantsUpdate, &subMenuItem))
        return err;
    HostMenuGroup group = nullptr;
    return sMenu->AddMenuGroupAsSubMenu(groupName, 0, subMenuItem, &group);
}

} // namespace

// Each panel's item shows and hides its own panel.
static_assert(menu::kWindows == std::array{&menu::kTextOrigin, &menu::kMoveToLayer},
              "the windows sub-menu holds the two panels' items in this order");

HostErr CartovelPlugin::BuildWindowsMenu() {
    if (const HostErr err = EnsureSubMenu(PluginRef(), kHostToolPalettesMenuGroup, kWindowsGroup))
        return err;
    if (const HostErr err = AddItem(PluginRef(), kWindowsGroup, nullptr, menu::kTextOrigin.text,
                                    kHostMenuItemWantsUpdate, &textOriginItem_))
        return err;
    return AddItem(PluginRef(), kWindowsGroup, nullptr, menu::kMoveToLayer.text,
                   kHostMenuItemWantsUpdate, &moveLayerItem_);
}

HostErr CartovelPlugin::BuildObjectsMenu() {
    if (const HostErr err =
            EnsureSubMenu(PluginRef(), kHostObjectUtilitiesMenuGroup, kObjectsGroup))
        return err;
    for (size_t i = 0; i < parts_.commands.size(); ++i) {
        const menu::Item& entry = *parts_.commands[i].item;
        HostMenuItemHandle& item = commandItems_[i];
        if (const HostErr err = AddItem(PluginRef(), kObjectsGroup, nullptr, entry.text,
                                        kHostMenuItemWantsUpdate, &item))
            return err;
        const plugin::AutoEnabling e = plugin::HostEnabling(entry.enabling);
        // The item works without it; the host then leaves it enabled.
        sMenu->UpdateMenuItemAutomatically(item, e.action, e.ifArtInDocument, e.ifNotArtInDocument,
                                           e.ifSelectedArt, e.ifNotSelectedArt, e.ifIsTrue,
                                           e.ifNotTrue);
        if (entry.separatorAfter) {
            if (const HostErr err = AddItem(PluginRef(), kObjectsGroup, nullptr, "",
                                            kHostMenuItemIsSeparator, nullptr))
                return err;
        }
    }
    return kHostNoErr;
}

HostErr CartovelPlugin::BuildAboutMenu(HostMessageData* message) {
    // UTF-8 is the platform's own text.
    char itemText[256] = {};
    std::strncpy(itemText, kAboutItemText, sizeof itemText - 1);
    ai::UnicodeString title;
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, kAboutTitle, title)) return err;
    SDKAboutPluginsHelper helper;
    return helper.AddAboutPluginsMenuItem(message, kAboutGroup, title.get(), itemText, &aboutItem_);
}

HostErr CartovelPlugin::RegisterNotifiers() {
    static constexpr OwnNotifier kNotifiers[] = {
        {"MvCartovel1.6 Application Shutdown Notifier", kHostAppShutdownNotifier,
         &CartovelPlugin::shutdownNotifier_},
        {"MvCartovel1.6 Selection Changed Notifier", kHostArtSelectionChangedNotifier,
         &CartovelPlugin::selectionNotifier_},
        {"MvCartovel1.6 Document Changed Notifier", kHostDocumentChangedNotifier,
         &CartovelPlugin::documentNotifier_},
        {"MvCartovel1.6 UIBrightness Changed Notifier", kHostUIBrightnessChangedNotifier,
         &CartovelPlugin::brightnessNotifier_},
    };
    if (sNotifier == nullptr) return kHostErrSuiteNotFound;
    for (const OwnNotifier& notifier : kNotifiers) {
        if (const HostErr err = sNotifier->AddNotifier(PluginRef(), notifier.name, notifier.type,
                                                       &(this->*notifier.handle)))
            return err;
    }
    return kHostNoErr;
}
