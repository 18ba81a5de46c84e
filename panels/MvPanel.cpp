#include "panels/MvPanel.h"

#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "panels/PanelSupport.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kPanelProperty = "TPNL";

/** The panel object of a host panel, from the user data the host keeps for it. */
CMvPanel* PanelOf(HostPanelRef panel) noexcept {
    void* data = nullptr;
    if (sPanel == nullptr || sPanel->GetUserData(panel, &data) != kHostNoErr) return nullptr;
    return static_cast<CMvPanel*>(data);
}

void FirstNotice(HostPanelRef panel) {
    if (CMvPanel* p = PanelOf(panel)) p->OnFirstPanelNotice();
}
void SecondNotice(HostPanelRef panel, int32_t value) {
    if (CMvPanel* p = PanelOf(panel)) p->OnSecondPanelNotice(value);
}
void ThirdNotice(HostPanelRef panel, int32_t value) {
    if (CMvPanel* p = PanelOf(panel)) p->OnThirdPanelNotice(value);
}
void FourthNotice(HostPanelRef panel) {
    if (CMvPanel* p = PanelOf(panel)) p->OnPanelSizeChanged();
}
void FifthNotice(HostPanelRef panel, uint16_t value) {
    if (CMvPanel* p = PanelOf(panel)) p->OnFifthPanelNotice(value);
}
void SixthNotice(HostPanelRef panel) {
    if (CMvPanel* p = PanelOf(panel)) p->OnSixthPanelNotice();
}

uint8_t Component(double value) noexcept {
    if (!(value > 0.0)) return 0; // NaN and negatives
    return static_cast<uint8_t>(std::min(255.0, std::trunc(value * 255.0)));
}

} // namespace

WsColor ToNativeColour(const ThemeColour& colour) noexcept {
    return WS_RGB(Component(colour.red), Component(colour.green), Component(colour.blue));
}

WsLResult PanelWindowProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    auto* panel = static_cast<CMvPanel*>(WsGetProp(window, kPanelProperty));
    if (panel == nullptr) return WsDefWindowProc(window, message, wParam, lParam);
    // Nothing thrown may leave a window procedure: the window system is C.
    try {
        WsLResult result = 0;
        if (panel->HandleMessage(result, window, message, wParam, lParam)) return result;
    } catch (...) {
        return 0;
    }
    if (panel->previousProc_ == nullptr) return 0;
    return WsCallWindowProc(panel->previousProc_, window, message, wParam, lParam);
}

CMvPanel::CMvPanel(HostPluginRef pluginRef) noexcept : pluginRef_(pluginRef) {}

CMvPanel::~CMvPanel() {
    Detach();
}

void CMvPanel::Detach() noexcept {
    if (panel_ == nullptr) return;
    if (window_ != nullptr) {
        WsRemoveProp(window_, kPanelProperty);
        if (previousProc_ != nullptr) WsSetWindowProc(window_, previousProc_);
    }
    if (sPanel != nullptr) sPanel->Destroy(panel_);
    if (window_ != nullptr) {
        WsDestroyWindow(window_);
        if (staticBrush_ != nullptr) WsDeleteObject(staticBrush_);
        staticBrush_ = nullptr;
    }
    // The menu was made for this panel alone.
    if (flyoutMenu_ != nullptr && sPanelFlyoutMenu != nullptr)
        sPanelFlyoutMenu->Destroy(flyoutMenu_);
    flyoutMenu_ = nullptr;
    panel_ = nullptr;
}

HostErr CMvPanel::Create() {
    if (sPanel == nullptr) return kHostErrSuiteNotFound;
    if (const HostErr err = SetupPanel()) return err;
    if (const HostErr err = sPanel->Create(pluginRef_, identifier_.get(), title_.get(), stateCount_,
                                           &minimumSize_, resizable_, flyoutMenu_, this, &panel_))
        return err;
    if (const HostErr err = sPanel->GetPlatformWindow(panel_, &window_)) return err;
    HostPlatformWindow owner = nullptr;
    if (const HostErr err = frame::FindDialogModule(pluginRef_, owner, moduleInstance_)) return err;
    if (const HostErr err = RegisterFirstNotices()) return err;
    static_cast<void>(CreateControls());
    WsSetProp(window_, kPanelProperty, this);
    previousProc_ = WsSetWindowProc(window_, PanelWindowProc);
    if (const HostErr err = RegisterLaterNotices()) return err;
    if (const HostErr err = sPanel->SetUserData(panel_, this)) return err;
    // Only a brightness change would read the theme: a panel drawn before one would show
    // black text on black and no icon.
    UpdateTheme();
    static_cast<void>(Show(true));
    return kHostNoErr;
}

HostErr CMvPanel::RegisterFirstNotices() {
    if (const HostErr err = sPanel->SetClosedNotifyProc(panel_, FirstNotice)) return err;
    return sPanel->SetVisibilityChangedNotifyProc(panel_, SecondNotice);
}

HostErr CMvPanel::RegisterLaterNotices() {
    if (const HostErr err = sPanel->SetStateChangedNotifyProc(panel_, ThirdNotice)) return err;
    if (const HostErr err = sPanel->SetSizeChangedNotifyProc(panel_, FourthNotice)) return err;
    if (const HostErr err = sPanel->SetFlyoutMenuProc(panel_, FifthNotice)) return err;
    return sPanel->SetFlyoutMenuPreVisibilityProc(panel_, SixthNotice);
}

HostErr CMvPanel::Show(bool shown) {
    if (sPanel == nullptr || panel_ == nullptr) return kHostErrBadHandle;
    return sPanel->Show(panel_, shown ? 1 : 0);
}

bool CMvPanel::IsShown() {
    HostBool shown = 0;
    if (sPanel == nullptr || panel_ == nullptr) return false;
    return sPanel->IsShown(panel_, &shown) == kHostNoErr && shown != 0;
}

void CMvPanel::UpdateTheme() {
    if (sUserInterfaceTheme == nullptr) return;
    ThemeColour colour = backgroundColour_;
    if (sUserInterfaceTheme->GetUIComponentColor(kHostThemePanelPart, kHostThemeBackground,
                                                 &colour) != kHostNoErr)
        return;
    backgroundColour_ = colour;
    colour = textColour_;
    if (sUserInterfaceTheme->GetUIComponentColor(kHostThemePanelPart, kHostThemeText, &colour) !=
        kHostNoErr)
        return;
    textColour_ = colour;
}

HostErr CMvPanel::SetupPanel() {
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, "MvPanelID", identifier_))
        return err;
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, "MvPanel", title_)) return err;
    minimumSize_ = {240.0, 320.0};
    resizable_ = 1;
    stateCount_ = 1;
    if (sPanelFlyoutMenu == nullptr) return kHostErrSuiteNotFound;
    return sPanelFlyoutMenu->Create(&flyoutMenu_);
}

HostErr CMvPanel::CreateControls() {
    return kHostNoErr;
}

void CMvPanel::EmptyHook() {}

void CMvPanel::DestroyPanel() {
    Detach();
}

void CMvPanel::OnSecondPanelNotice(int32_t) {}
void CMvPanel::OnFirstPanelNotice() {}
void CMvPanel::OnThirdPanelNotice(int32_t) {}
void CMvPanel::OnPanelSizeChanged() {}
void CMvPanel::OnFifthPanelNotice(uint16_t) {}
void CMvPanel::OnSixthPanelNotice() {}

bool CMvPanel::HandleMessage(WsLResult& result, WsWindow, uint32_t message, WsWParam wParam,
                             WsLParam) {
    if (message != WS_CTLCOLORSTATIC) return false;
    auto dc = reinterpret_cast<WsDC>(wParam);
    WsSetTextColor(dc, ToNativeColour(textColour_));
    WsSetBkMode(dc, WS_TRANSPARENT);
    // One brush per panel: each redraw replaces it.
    if (staticBrush_ != nullptr) WsDeleteObject(staticBrush_);
    staticBrush_ = WsCreateSolidBrush(ToNativeColour(backgroundColour_));
    result = reinterpret_cast<WsLResult>(staticBrush_);
    return true;
}

HostErr CMvPanel::SetupAs(const char* identifier, const char* title, HostPanelSize minimumSize,
                          HostBool resizable) {
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, identifier, identifier_))
        return err;
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, title, title_)) return err;
    minimumSize_ = minimumSize;
    resizable_ = resizable;
    stateCount_ = 1;
    return kHostNoErr;
}

void CMvPanel::UpdateThemeAndIcon(int32_t lightIcon, int32_t darkIcon) {
    CMvPanel::UpdateTheme();
    SetPanelIcon(IsDarkInterface() ? darkIcon : lightIcon);
}

HostErr CMvPanel::SetPanelIcon(int32_t resourceId) noexcept {
    if (sPanel == nullptr || panel_ == nullptr) return kHostErrBadHandle;
    const HostPanelIconList icon{moduleInstance_, resourceId};
    return sPanel->SetIcons(panel_, &icon, &icon);
}
