// The module's plug-in object: its menus, panels and notifiers, and the menu commands.
#pragma once

#include "frame/Plugin.h"
#include "plugin/CommandTable.h"
#include "plugin/PanelFactories.h"

#include <array>
#include <memory>

class CartovelPlugin : public Plugin {
public:
    /** What the plug-in object builds on; tests replace parts of it. */
    struct Parts {
        PanelFactory makeTextOriginPanel = plugin::MakeTextOriginPanel;
        PanelFactory makeMoveLayerPanel = plugin::MakeMoveLayerPanel;
        plugin::Commands commands = plugin::DefaultCommands();
    };

    explicit CartovelPlugin(HostPluginRef pluginRef) noexcept;
    CartovelPlugin(HostPluginRef pluginRef, const Parts& parts) noexcept;

    ~CartovelPlugin() override;
    HostErr OnStartup(HostMessageData* message) override;
    HostErr OnShutdown(HostMessageData* message) override;
    /** The base dispatch with failure conversion: a thrown ai::Error gives its code, any
     *  other thrown failure kHostErrCant. */
    HostErr OnMessage(const char* caller, const char* selector, void* message) override;
    HostErr SetGlobalInstance(Plugin* plugin) override;
    HostErr OnNotify(HostNotifierMessage* message) override;
    HostErr OnMenuGo(HostMenuMessage* message) override;
    HostErr OnMenuUpdate(HostMenuMessage* message) override;

    /** Start-up's menu building: the two own sub-menus and the About entry. */
    HostErr BuildMenus(HostMessageData* message);
    /** Start-up's own notifiers, in order; the first failure skips the rest. */
    HostErr RegisterNotifiers();

    HostMenuItemHandle TextOriginItem() const noexcept { return textOriginItem_; }
    HostMenuItemHandle MoveLayerItem() const noexcept { return moveLayerItem_; }
    /** The handle of the command's item; null for an item that is not one of them. */
    HostMenuItemHandle CommandItem(const menu::Item& item) const noexcept;
    HostMenuItemHandle AboutItem() const noexcept { return aboutItem_; }
    PluginPanel* TextOriginPanel() const noexcept { return textOriginPanel_.get(); }
    PluginPanel* MoveLayerPanel() const noexcept { return moveLayerPanel_.get(); }

private:
    HostErr StartFeatures(HostMessageData* message);
    HostErr BuildWindowsMenu();
    HostErr BuildObjectsMenu();
    HostErr BuildAboutMenu(HostMessageData* message);
    HostErr CreatePanel(PanelFactory make, std::unique_ptr<PluginPanel>& panel);
    void DeletePanels() noexcept;

    HostMenuItemHandle textOriginItem_ = nullptr;
    HostMenuItemHandle moveLayerItem_ = nullptr;
    /** Parallel to parts_.commands. */
    std::array<HostMenuItemHandle, menu::kObjects.size()> commandItems_{};
    HostMenuItemHandle aboutItem_ = nullptr;
    HostNotifierHandle shutdownNotifier_ = nullptr;
    HostNotifierHandle selectionNotifier_ = nullptr;
    HostNotifierHandle documentNotifier_ = nullptr;
    HostNotifierHandle brightnessNotifier_ = nullptr;
    std::unique_ptr<PluginPanel> textOriginPanel_;
    std::unique_ptr<PluginPanel> moveLayerPanel_;
    Parts parts_;
};
