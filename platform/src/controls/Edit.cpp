// EDIT: a text field that tells its parent when its text changes and when it gains or
// loses the focus.
#include "Window.h"

namespace ws {

WsLResult editProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    switch (message) {
    case WS_SETTEXT: {
        const WsLResult done = WsDefWindowProc(window, message, wParam, lParam);
        notifyParent(window, WS_EN_CHANGE);
        return done;
    }
    case WS_SETFOCUS:
        notifyParent(window, WS_EN_SETFOCUS);
        return 0;
    case WS_KILLFOCUS:
        notifyParent(window, WS_EN_KILLFOCUS);
        return 0;
    default:
        return WsDefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace ws
