#include "frame/AboutBox.h"

#include "frame/CommandOps.h"

namespace frame {

intptr_t AboutDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam) {
    if (message != WS_COMMAND) return 0;
    switch (WS_LOWORD(wParam)) {
    case WS_IDOK:
        WsEndDialog(dialog, 0);
        return 1;
    case kAboutWebButtonId:
        WsShellOpen(kMakerWebAddress);
        return 1;
    default:
        return 0;
    }
}

HostErr RunAboutBox(HostPluginRef pluginRef) {
    return RunModalDialog(pluginRef, kAboutDialogId, AboutDialogProc, 0);
}

} // namespace frame
