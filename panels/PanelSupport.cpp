#include "panels/PanelSupport.h"

#include "frame/HostSuites.h"
#include "platform/ws.h"

#include <cmath>

void FocusMainWindow() noexcept {
    HostPlatformWindow main = nullptr;
    if (sContext != nullptr && sContext->GetPlatformAppWindow(&main) == kHostNoErr)
        WsSetFocus(main);
}

bool IsDarkInterface() noexcept {
    HostBool dark = 0;
    if (sUserInterfaceTheme == nullptr) return false;
    return sUserInterfaceTheme->IsDarkUI(&dark) == kHostNoErr && dark != 0;
}

double InterfaceScale() noexcept {
    HostReal ui = 1.0, platform = 1.0;
    if (sUser == nullptr || sUser->GetUIScaleFactor == nullptr ||
        sUser->GetUIScaleFactor(&ui) != kHostNoErr || !(ui > 0.0) || !std::isfinite(ui))
        ui = 1.0;
    if (sUser == nullptr || sUser->GetPlatformScaleFactor == nullptr ||
        sUser->GetPlatformScaleFactor(&platform) != kHostNoErr || !(platform > 0.0) ||
        !std::isfinite(platform))
        platform = 1.0;
    return ui * platform;
}
