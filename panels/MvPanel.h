// The base of the module's floating panels: one host panel ("AI Panel Suite"), the native
// window the host gives it, the routing of that window's messages into the object, the
// colours of the host's interface theme and the host's six panel notifications.
#pragma once

#include "hostapi/suites/PanelSuite.h"
#include "hostapi/suites/UserInterfaceThemeSuite.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "platform/ws.h"

#include <cstdint>

/** A theme colour as the host fills it: a leading component the module does not read,
 *  then red, green and blue from 0.0 to 1.0. */
using ThemeColour = HostThemeColor;

/** The native colour of a theme colour: each component times 255, truncated and clamped
 *  to 0..255, so a value a little over 1.0 stays white instead of wrapping to black. */
WsColor ToNativeColour(const ThemeColour& colour) noexcept;

class CMvPanel {
public:
    explicit CMvPanel(HostPluginRef pluginRef) noexcept;
    CMvPanel(const CMvPanel&) = delete;
    CMvPanel& operator=(const CMvPanel&) = delete;

    virtual ~CMvPanel();
    /** Creates the host panel and its window, attaches them to the object, reads the
     *  theme and shows the panel. */
    virtual HostErr Create();
    virtual HostErr Show(bool shown);
    /** False when the host does not answer. */
    virtual bool IsShown();
    /** Reads the theme colours; a failed read keeps the previous ones. */
    virtual void UpdateTheme();
    virtual HostErr SetupPanel();
    virtual HostErr CreateControls();
    virtual void EmptyHook();
    virtual void DestroyPanel();
    virtual void OnSecondPanelNotice(int32_t value);
    virtual void OnFirstPanelNotice();
    virtual void OnThirdPanelNotice(int32_t value);
    virtual void OnPanelSizeChanged();
    virtual void OnFifthPanelNotice(uint16_t value);
    virtual void OnSixthPanelNotice();
    /** True when the message is handled; result then holds the answer. */
    virtual bool HandleMessage(WsLResult& result, WsWindow window, uint32_t message,
                               WsWParam wParam, WsLParam lParam);

    HostPanelRef PanelRef() const noexcept { return panel_; }
    WsWindow Window() const noexcept { return window_; }
    const ThemeColour& BackgroundColour() const noexcept { return backgroundColour_; }
    const ThemeColour& TextColour() const noexcept { return textColour_; }

protected:
    /** The destruction steps: detach the window, destroy the host panel and the window,
     *  delete the brush. Does nothing without a host panel, so a concrete panel may run
     *  it first in its own destructor, before its controls' resources go. */
    void Detach() noexcept;
    /** Sets the host panel's icon to the module's 'PNGI' resource. */
    HostErr SetPanelIcon(int32_t resourceId) noexcept;
    /** The set-up of a concrete panel: its identifier and title, its minimum size, whether
     *  it can be resized, and one state. */
    HostErr SetupAs(const char* identifier, const char* title, HostPanelSize minimumSize,
                    HostBool resizable);
    /** The theme colours, then the icon that suits the brightness of the interface. */
    void UpdateThemeAndIcon(int32_t lightIcon, int32_t darkIcon);

    HostPluginRef pluginRef_;
    HostPanelRef panel_ = nullptr;
    WsWindow window_ = nullptr;
    HostPanelFlyoutMenuRef flyoutMenu_ = nullptr;
    ai::UnicodeString identifier_;
    ai::UnicodeString title_;
    HostBool resizable_ = 0;
    HostPanelSize minimumSize_{0.0, 0.0};
    uint16_t stateCount_ = 0;
    ThemeColour backgroundColour_{1.0, 0.0, 0.0, 0.0};
    ThemeColour textColour_{1.0, 0.0, 0.0, 0.0};
    WsModule moduleInstance_ = nullptr;
    WsBrush staticBrush_ = nullptr;
    WsWindowProc previousProc_ = nullptr;

private:
    friend WsLResult PanelWindowProc(WsWindow, uint32_t, WsWParam, WsLParam);
    HostErr RegisterFirstNotices();
    HostErr RegisterLaterNotices();
};

/** The window procedure of every attached panel window. */
WsLResult PanelWindowProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam);
