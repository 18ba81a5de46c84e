// STATIC: text that a person can click when it asks to be told (SS_NOTIFY).
#include "Window.h"

namespace ws {

WsLResult staticProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    const Window* w = findWindow(window);
    if (!w) return 0;
    if (message == WS_LBUTTONDOWN) {
        if (w->enabled && (w->style & WS_SS_NOTIFY)) notifyParent(window, WS_STN_CLICKED);
        return 0;
    }
    return WsDefWindowProc(window, message, wParam, lParam);
}

} // namespace ws
