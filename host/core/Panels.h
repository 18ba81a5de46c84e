// The host's floating panels and the look of its interface (brightness, theme colours,
// scale). Each panel owns a top-level window of the window system; the host tells the
// panel's module of closing, visibility and size changes through the procedures the
// module registered.
#pragma once

#include "hostapi/suites/PanelSuite.h"
#include "hostapi/suites/UserInterfaceThemeSuite.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace host {

class Module;

struct PanelRecord {
    Module* owner = nullptr;
    std::string id;
    std::string title;
    int32_t stateCount = 1;
    HostPanelSize minimumSize{};
    bool resizable = true;
    HostPanelFlyoutMenuRef flyout = nullptr;
    void* userData = nullptr;
    HostPlatformWindow window = nullptr;
    HostPanelIconList icon{};
    HostPanelNotifyProc closed = nullptr;
    HostPanelValueNotifyProc visibilityChanged = nullptr;
    HostPanelValueNotifyProc stateChanged = nullptr;
    HostPanelNotifyProc sizeChanged = nullptr;
    HostPanelShortNotifyProc flyoutChosen = nullptr;
    HostPanelNotifyProc flyoutPreVisibility = nullptr;
    HostPanelRef handle = nullptr;
};

struct InterfaceLook {
    bool dark = false;
    HostThemeColor background{1.0, 0.94, 0.94, 0.94};
    HostThemeColor text{1.0, 0.1, 0.1, 0.1};
    HostReal uiScale = 1.0;
    HostReal platformScale = 1.0;

    /** Pixels per unit of a panel's size: the product of the two factors. */
    HostReal scale() const { return uiScale * platformScale > 0 ? uiScale * platformScale : 1.0; }

    /** The colours of a light or dark interface. */
    static InterfaceLook light();
    static InterfaceLook darkLook();
};

class Panels {
public:
    Panels() = default;
    Panels(const Panels&) = delete;
    Panels& operator=(const Panels&) = delete;
    /// Destroys the windows of panels that are still alive.
    ~Panels();

    /// A new panel with its window, hidden, at its minimum size (in units: the window has
    /// that size times the interface scale in pixels); kHostErrRefused when the
    /// id is taken, kHostErrCant when the window system makes no window.
    HostErr create(PanelRecord record, HostPanelRef* panel);
    HostErr destroy(HostPanelRef panel);
    [[nodiscard]] PanelRecord* find(HostPanelRef panel) const;
    [[nodiscard]] PanelRecord* findByWindow(HostPlatformWindow window) const;
    [[nodiscard]] PanelRecord* findByTitle(const std::string& title) const;
    [[nodiscard]] std::vector<PanelRecord*> all() const;
    [[nodiscard]] std::size_t live() const { return panels_.size(); }

    /// Shows or hides the window and tells the module when that changes anything.
    HostErr show(PanelRecord& panel, bool shown);
    /// Repaints every shown panel (after a change of the interface's look).
    void repaint() const;

    HostPanelFlyoutMenuRef newFlyout();
    bool disposeFlyout(HostPanelFlyoutMenuRef menu);
    [[nodiscard]] std::size_t liveFlyouts() const { return flyouts_.size(); }

    InterfaceLook& look() { return look_; }

private:
    std::map<std::uintptr_t, std::unique_ptr<PanelRecord>> panels_;
    std::set<std::uintptr_t> flyouts_;
    std::uintptr_t next_ = 0x5000;
    InterfaceLook look_ = InterfaceLook::light();
};

} // namespace host
