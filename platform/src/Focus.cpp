// The keyboard focus.
#include "Window.h"

namespace ws {
namespace {

WsWindow focus = nullptr;
// Counts focus changes, so a change made by a WS_KILLFOCUS handler (a field that takes
// the focus back after a refused value) wins over the change that caused it.
unsigned long focusChanges = 0;

bool isWithin(WsWindow window, WsWindow ancestor) {
    for (const Window* w = findWindow(window); w; w = findWindow(w->parent))
        if (w->self == ancestor) return true;
    return false;
}

} // namespace

void forgetFocusWithin(WsWindow window) {
    if (focus && isWithin(focus, window)) {
        focus = nullptr;
        ++focusChanges;
    }
}

} // namespace ws

using namespace ws;

extern "C" {

WS_API WsWindow WsSetFocus(WsWindow window) {
    if (window && !findWindow(window)) return nullptr;
    if (focus && !findWindow(focus)) focus = nullptr;
    const WsWindow previous = focus;
    if (window == previous) return previous;
    const unsigned long change = ++focusChanges;
    if (previous) {
        WsSendMessage(previous, WS_KILLFOCUS, reinterpret_cast<WsWParam>(window), 0);
        if (change != focusChanges) return previous;
    }
    if (window && !findWindow(window)) window = nullptr;
    focus = window;
    if (window) WsSendMessage(window, WS_SETFOCUS, reinterpret_cast<WsWParam>(previous), 0);
    return previous;
}

WS_API WsWindow WsGetFocus(void) {
    return findWindow(focus) ? focus : nullptr;
}

} // extern "C"
