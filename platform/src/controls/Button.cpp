// BUTTON: push buttons, auto check boxes, auto radio buttons and group boxes.
#include "Window.h"
#include "platform/UserAgent.h"

namespace ws {
namespace {

std::uint32_t kind(const Window& w) {
    return w.style & WS_BS_TYPEMASK;
}

// Radio buttons of one group share a parent and a group name.
void checkRadio(WsWindow button) {
    Window* w = findWindow(button);
    Window* parent = w ? findWindow(w->parent) : nullptr;
    if (!w) return;
    w->check = WS_BST_CHECKED;
    if (!parent) return;
    for (WsWindow sibling : parent->children) {
        Window* s = findWindow(sibling);
        if (s && s != w && isRadioButton(*s) && s->radioGroup == w->radioGroup)
            s->check = WS_BST_UNCHECKED;
    }
}

// A click as the user makes it: the button takes the focus, changes its state, and tells
// its parent.
WsLResult click(WsWindow button) {
    Window* w = findWindow(button);
    if (!w || !w->enabled || kind(*w) == WS_BS_GROUPBOX) return 0;
    WsSetFocus(button);
    w = findWindow(button);
    if (!w) return 0;
    if (isCheckBox(*w))
        w->check = w->check == WS_BST_CHECKED ? WS_BST_UNCHECKED : WS_BST_CHECKED;
    else if (isRadioButton(*w))
        checkRadio(button);
    notifyParent(button, WS_BN_CLICKED);
    return 0;
}

} // namespace

bool isRadioButton(const Window& w) {
    return controlKindOf(w) == ControlKind::RadioButton;
}

bool isCheckBox(const Window& w) {
    return controlKindOf(w) == ControlKind::CheckBox;
}

WsLResult buttonProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    Window* w = findWindow(window);
    if (!w) return 0;
    switch (message) {
    case WS_BM_GETCHECK:
        return w->check;
    case WS_BM_SETCHECK:
        w->check = wParam == WS_BST_CHECKED ? WS_BST_CHECKED : WS_BST_UNCHECKED;
        return 0;
    case WS_BM_CLICK:
    case WS_LBUTTONDOWN:
        return click(window);
    case WS_BM_GETIMAGE:
        return reinterpret_cast<WsLResult>(w->image);
    case WS_BM_SETIMAGE: {
        void* previous = w->image;
        w->image = reinterpret_cast<void*>(lParam);
        return reinterpret_cast<WsLResult>(previous);
    }
    default:
        return WsDefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace ws
