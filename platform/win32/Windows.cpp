// Windows: creation with the API's class names and styles, texts, properties, messages,
// subclassing with procedures of the API, geometry and the child list.
#include "Messages.h"

#include <cctype>
#include <cstring>

using namespace ws::win32;

namespace {

struct ClassName {
    const char* api;
    const wchar_t* system;
};
// The built-in classes; the tree view is the common controls'.
constexpr ClassName kClasses[] = {{"BUTTON", L"Button"},   {"EDIT", L"Edit"},
                                  {"STATIC", L"Static"},   {"COMBOBOX", L"ComboBox"},
                                  {"LISTBOX", L"ListBox"}, {"TREEVIEW", WC_TREEVIEWW}};

bool sameName(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) !=
            std::toupper(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

// A window subclassed with a procedure of the API keeps it and the system's procedure it
// replaced as properties.
constexpr const wchar_t* kApiProc = L"cartovel.ws.proc";
constexpr const wchar_t* kSystemProc = L"cartovel.ws.systemProc";

WNDPROC systemProcOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropW(window, kSystemProc));
}

LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto proc = reinterpret_cast<WsWindowProc>(GetPropW(window, kApiProc));
    const WNDPROC system = systemProcOf(window);
    if (proc == nullptr)
        return system != nullptr ? CallWindowProcW(system, window, message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
    const IncomingMessage incoming(message, wParam, lParam);
    const LRESULT result = proc(wsWindow(window), message, wParam, incoming.lParam());
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kApiProc);
        RemovePropW(window, kSystemProc);
    }
    return result;
}

void ensureCommonControls() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
}

// Makes a system call on the window, when it is one; 1 when it was.
template <class Call> int onWindow(WsWindow window, Call call) {
    if (!WsIsWindow(window)) return 0;
    call(hwnd(window));
    return 1;
}

} // namespace

extern "C" {

WsWindow WsCreateWindow(const char* className, const char* text, uint32_t style, int x, int y,
                        int width, int height, WsWindow parent, int32_t id, void* createParam) {
    if (className == nullptr) return nullptr;
    std::wstring name;
    for (const ClassName& c : kClasses)
        if (sameName(className, c.api)) name = c.system;
    if (name.empty()) name = widen(className);
    if (sameName(className, "TREEVIEW")) ensureCommonControls();

    DWORD systemStyle = (style & 0xFFFFu) | (style & (WS_STYLE_TABSTOP | WS_STYLE_DISABLED));
    if (!(style & WS_STYLE_HIDDEN)) systemStyle |= WS_VISIBLE;
    if (parent != nullptr)
        systemStyle |= WS_CHILD;
    else
        systemStyle |= WS_OVERLAPPEDWINDOW;
    if (sameName(className, "TREEVIEW") || sameName(className, "LISTBOX")) systemStyle |= WS_BORDER;
    if (sameName(className, "COMBOBOX") || sameName(className, "LISTBOX"))
        systemStyle |= WS_VSCROLL;
    const std::wstring caption = widen(text != nullptr ? text : "");
    HWND window = CreateWindowExW(
        0, name.c_str(), caption.c_str(), systemStyle, x, y, width, height, hwnd(parent),
        parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd(parent), GWLP_HINSTANCE)), createParam);
    return wsWindow(window);
}

int WsDestroyWindow(WsWindow window) {
    return DestroyWindow(hwnd(window)) ? 1 : 0;
}

int WsIsWindow(WsWindow window) {
    return window != nullptr && IsWindow(hwnd(window)) ? 1 : 0;
}

WsWindow WsGetParent(WsWindow window) {
    return wsWindow(GetAncestor(hwnd(window), GA_PARENT) == GetDesktopWindow()
                        ? nullptr
                        : GetAncestor(hwnd(window), GA_PARENT));
}

int32_t WsGetDlgCtrlID(WsWindow window) {
    return GetDlgCtrlID(hwnd(window));
}

WsLResult WsSendMessage(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    if (!WsIsWindow(window)) return 0;
    HWND h = hwnd(window);
    return sendInApiForm(h, message, wParam, lParam,
                         [h](UINT m, WPARAM w, LPARAM l) { return SendMessageW(h, m, w, l); });
}

int WsSetWindowText(WsWindow window, const char* text) {
    return SetWindowTextW(hwnd(window), widen(text != nullptr ? text : "").c_str()) ? 1 : 0;
}

int WsGetWindowText(WsWindow window, char* buffer, size_t bufferSize, int maxChars) {
    if (buffer == nullptr || bufferSize == 0 || maxChars <= 0 || !WsIsWindow(window)) return 0;
    const std::string text = narrow(windowText(hwnd(window)));
    const std::size_t n =
        copyText(text, buffer, bufferSize, static_cast<std::size_t>(maxChars) - 1);
    std::size_t chars = 0;
    for (std::size_t i = 0; i < n; ++i)
        chars += (static_cast<unsigned char>(buffer[i]) & 0xC0) != 0x80;
    return static_cast<int>(chars);
}

int WsEnableWindow(WsWindow window, int enable) {
    return onWindow(window, [&](HWND h) { EnableWindow(h, enable ? TRUE : FALSE); });
}

int WsIsWindowEnabled(WsWindow window) {
    return IsWindowEnabled(hwnd(window)) ? 1 : 0;
}

int WsShowWindow(WsWindow window, int show) {
    return onWindow(window, [&](HWND h) { ShowWindow(h, show ? SW_SHOW : SW_HIDE); });
}

int WsIsWindowVisible(WsWindow window) {
    return IsWindowVisible(hwnd(window)) ? 1 : 0;
}

WsWindow WsSetFocus(WsWindow window) {
    if (window != nullptr && !WsIsWindow(window)) return nullptr;
    return wsWindow(SetFocus(hwnd(window)));
}

WsWindow WsGetFocus(void) {
    return wsWindow(GetFocus());
}

int WsSetProp(WsWindow window, const char* name, void* value) {
    if (name == nullptr) return 0;
    return SetPropW(hwnd(window), widen(name).c_str(), value) ? 1 : 0;
}

void* WsGetProp(WsWindow window, const char* name) {
    if (name == nullptr) return nullptr;
    return GetPropW(hwnd(window), widen(name).c_str());
}

void* WsRemoveProp(WsWindow window, const char* name) {
    if (name == nullptr) return nullptr;
    return RemovePropW(hwnd(window), widen(name).c_str());
}

// The procedure handed back is the one to call on with WsCallWindowProc: the system's own
// when the window had none of the API, which that call recognises. Setting the system's
// procedure back ends the subclassing.
WsWindowProc WsSetWindowProc(WsWindow window, WsWindowProc proc) {
    if (!WsIsWindow(window) || proc == nullptr) return nullptr;
    HWND h = hwnd(window);
    const WNDPROC system = systemProcOf(h);
    if (system != nullptr) {
        auto previous = reinterpret_cast<WsWindowProc>(GetPropW(h, kApiProc));
        if (reinterpret_cast<WNDPROC>(proc) == system) {
            SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
            RemovePropW(h, kApiProc);
            RemovePropW(h, kSystemProc);
        } else {
            SetPropW(h, kApiProc, reinterpret_cast<HANDLE>(proc));
        }
        return previous;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
    if (!SetPropW(h, kApiProc, reinterpret_cast<HANDLE>(proc)) ||
        !SetPropW(h, kSystemProc, reinterpret_cast<HANDLE>(current))) {
        RemovePropW(h, kApiProc);
        return nullptr;
    }
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc));
    return reinterpret_cast<WsWindowProc>(current);
}

WsLResult WsCallWindowProc(WsWindowProc proc, WsWindow window, uint32_t message, WsWParam wParam,
                           WsLParam lParam) {
    if (proc == nullptr) return 0;
    HWND h = hwnd(window);
    const WNDPROC system = systemProcOf(h);
    const bool isSystem = system == nullptr || reinterpret_cast<WNDPROC>(proc) == system;
    if (!isSystem) return proc(window, message, wParam, lParam);
    const auto target = reinterpret_cast<WNDPROC>(proc);
    return sendInApiForm(h, message, wParam, lParam, [target, h](UINT m, WPARAM w, LPARAM l) {
        return CallWindowProcW(target, h, m, w, l);
    });
}

WsLResult WsDefWindowProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    HWND h = hwnd(window);
    return sendInApiForm(h, message, wParam, lParam,
                         [h](UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); });
}

size_t WsGetClassName(WsWindow window, char* buffer, size_t size) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(hwnd(window), name, static_cast<int>(std::size(name)));
    if (length <= 0) return 0;
    std::string text = narrow({name, static_cast<std::size_t>(length)});
    for (const ClassName& c : kClasses)
        if (sameName(text.c_str(), narrow(c.system).c_str())) text = c.api;
    if (buffer == nullptr || text.size() + 1 > size) return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return text.size();
}

uint32_t WsGetWindowStyle(WsWindow window) {
    if (!WsIsWindow(window)) return 0;
    const auto style = static_cast<uint32_t>(GetWindowLongW(hwnd(window), GWL_STYLE));
    uint32_t out = (style & 0xFFFFu) | (style & (WS_STYLE_TABSTOP | WS_STYLE_DISABLED));
    if (!(style & WS_VISIBLE)) out |= WS_STYLE_HIDDEN;
    return out;
}

WsWindow WsGetFirstChild(WsWindow window) {
    if (!WsIsWindow(window)) return nullptr;
    return wsWindow(GetWindow(hwnd(window), GW_CHILD));
}

WsWindow WsGetNextSibling(WsWindow window) {
    if (!WsIsWindow(window)) return nullptr;
    return wsWindow(GetWindow(hwnd(window), GW_HWNDNEXT));
}

int WsMoveWindow(WsWindow window, int x, int y, int width, int height) {
    return MoveWindow(hwnd(window), x, y, width, height, TRUE) ? 1 : 0;
}

int WsGetWindowRect(WsWindow window, WsRect* rect) {
    RECT r{};
    if (rect == nullptr || !GetWindowRect(hwnd(window), &r)) return 0;
    // The API's rectangle is relative to the parent.
    MapWindowPoints(nullptr, hwnd(WsGetParent(window)), reinterpret_cast<POINT*>(&r), 2);
    *rect = {r.left, r.top, r.right, r.bottom};
    return 1;
}

int WsGetClientRect(WsWindow window, WsRect* rect) {
    RECT r{};
    if (rect == nullptr || !GetClientRect(hwnd(window), &r)) return 0;
    *rect = {r.left, r.top, r.right, r.bottom};
    return 1;
}

} // extern "C"
