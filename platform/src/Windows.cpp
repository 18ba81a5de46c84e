// Window objects: creation and destruction, the window tree, messages, texts, states and
// properties.
#include "Guard.h"
#include "HandleTable.h"
#include "Utf8.h"
#include "Window.h"

#include <algorithm>
#include <cstring>

namespace ws {
namespace {

HandleTable<Window>& windows() {
    static HandleTable<Window> table;
    return table;
}

// Top-level windows in creation order.
std::vector<WsWindow>& topLevel() {
    static std::vector<WsWindow> list;
    return list;
}

std::uintptr_t raw(WsWindow w) {
    return reinterpret_cast<std::uintptr_t>(w);
}

// A procedure that keeps sending to itself would otherwise end in a stack overflow.
constexpr int kMaxSendDepth = 256;
int sendDepth = 0;

void copyText(const std::string& text, char* buffer, std::size_t size, std::size_t& copied) {
    copied = utf8::prefixBytes(text, text.size(), size - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
}

bool destroyWindow(WsWindow handle) {
    Window* w = findWindow(handle);
    if (!w || w->destroying) return false;
    w->destroying = true;
    forgetFocusWithin(handle);
    WsSendMessage(handle, WS_DESTROY, 0, 0);
    w = findWindow(handle);
    const std::vector<WsWindow> children = w->children;
    for (WsWindow child : children)
        destroyWindow(child);
    w = findWindow(handle);
    if (Window* parent = findWindow(w->parent)) std::erase(parent->children, handle);
    std::erase(topLevel(), handle);
    windows().remove(raw(handle));
    return true;
}

WsWindow createWindow(const char* className, const char* text, std::uint32_t style, WsRect rect,
                      WsWindow parent, std::int32_t id, void* createParam) {
    if (!className) return nullptr;
    WsWindow handle = createWindowSilently(className, text ? text : "", style, rect, parent, id);
    if (!handle) return nullptr;
    if (WsSendMessage(handle, WS_CREATE, 0, reinterpret_cast<WsLParam>(createParam)) == -1) {
        destroyWindow(handle);
        return nullptr;
    }
    return findWindow(handle) ? handle : nullptr;
}

// Sets the window's enabled or visible flag; a change is told to the window by message.
int setWindowFlag(WsWindow window, bool Window::*flag, bool on, std::uint32_t message) {
    Window* w = findWindow(window);
    if (!w) return 0;
    if (w->*flag != on) {
        w->*flag = on;
        WsSendMessage(window, message, on, 0);
    }
    return 1;
}

} // namespace

Window* findWindow(WsWindow handle) {
    return windows().get(raw(handle));
}

WsWindow createWindowSilently(const std::string& className, const std::string& text,
                              std::uint32_t style, WsRect rect, WsWindow parent, std::int32_t id) {
    auto w = std::make_unique<Window>();
    if (!classProcedure(className, w->proc, w->className)) return nullptr;
    if (parent && !findWindow(parent)) return nullptr;
    w->text = text;
    w->style = style;
    w->x = rect.left;
    w->y = rect.top;
    w->width = std::max(0, rect.right - rect.left);
    w->height = std::max(0, rect.bottom - rect.top);
    w->parent = parent;
    w->id = id;
    w->enabled = !(style & WS_STYLE_DISABLED);
    w->visible = !(style & WS_STYLE_HIDDEN);
    if (w->className == "COMBOBOX" && !(style & WS_CBS_TYPEMASK)) w->style |= WS_CBS_DROPDOWNLIST;
    Window* created = w.get();
    const auto handle = reinterpret_cast<WsWindow>(windows().add(std::move(w)));
    created->self = handle;
    if (Window* p = findWindow(parent))
        p->children.push_back(handle);
    else
        topLevel().push_back(handle);
    return handle;
}

std::size_t liveWindowCount() {
    std::size_t n = 0;
    windows().forEach([&](std::uintptr_t, const Window&) { ++n; });
    return n;
}

void notifyParent(WsWindow control, std::uint16_t code) {
    const Window* w = findWindow(control);
    if (!w || !w->parent) return;
    WsSendMessage(w->parent, WS_COMMAND, WS_MAKEWPARAM(w->id, code),
                  reinterpret_cast<WsLParam>(control));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

} // namespace ws

using namespace ws;

extern "C" {

WS_API WsWindow WsCreateWindow(const char* className, const char* text, uint32_t style, int x,
                               int y, int width, int height, WsWindow parent, int32_t id,
                               void* createParam) {
    return guarded<WsWindow>(nullptr, [&] {
        return createWindow(className, text, style, WsRect{x, y, x + width, y + height}, parent, id,
                            createParam);
    });
}

WS_API int WsDestroyWindow(WsWindow window) {
    return guarded(0, [&] { return destroyWindow(window) ? 1 : 0; });
}

WS_API int WsIsWindow(WsWindow window) {
    return findWindow(window) ? 1 : 0;
}

WS_API WsWindow WsGetParent(WsWindow window) {
    const Window* w = findWindow(window);
    return w ? (w->parent ? w->parent : w->owner) : nullptr;
}

WS_API int32_t WsGetDlgCtrlID(WsWindow window) {
    const Window* w = findWindow(window);
    return w ? w->id : 0;
}

WS_API WsLResult WsSendMessage(WsWindow window, uint32_t message, WsWParam wParam,
                               WsLParam lParam) {
    const Window* w = findWindow(window);
    if (!w || sendDepth >= kMaxSendDepth) return 0;
    WsWindowProc proc = w->proc ? w->proc : WsDefWindowProc;
    ++sendDepth;
    WsLResult result = guarded<WsLResult>(0, [&] { return proc(window, message, wParam, lParam); });
    --sendDepth;
    return result;
}

WS_API WsLResult WsDefWindowProc(WsWindow window, uint32_t message, WsWParam wParam,
                                 WsLParam lParam) {
    Window* w = findWindow(window);
    if (!w) return 0;
    switch (message) {
    case WS_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        w->text = text ? text : "";
        return 1;
    }
    case WS_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0) return 0;
        std::size_t copied = 0;
        copyText(w->text, buffer, wParam, copied);
        return static_cast<WsLResult>(copied);
    }
    case WS_GETTEXTLENGTH:
        return static_cast<WsLResult>(w->text.size());
    case WS_CLOSE:
        destroyWindow(window);
        return 0;
    case WS_SETFONT:
        w->font = reinterpret_cast<WsFont>(wParam);
        return 0;
    case WS_GETFONT:
        return reinterpret_cast<WsLResult>(w->font);
    default:
        return 0;
    }
}

WS_API int WsSetWindowText(WsWindow window, const char* text) {
    if (!findWindow(window)) return 0;
    return WsSendMessage(window, WS_SETTEXT, 0, reinterpret_cast<WsLParam>(text ? text : "")) > 0;
}

WS_API int WsGetWindowText(WsWindow window, char* buffer, size_t bufferSize, int maxChars) {
    if (!buffer || bufferSize == 0) return 0;
    buffer[0] = '\0';
    if (!findWindow(window) || maxChars <= 0) return 0;
    return guarded(0, [&] {
        std::string text(static_cast<std::size_t>(
                             std::max<WsLResult>(0, WsSendMessage(window, WS_GETTEXTLENGTH, 0, 0))),
                         '\0');
        const auto got = WsSendMessage(window, WS_GETTEXT, text.size() + 1,
                                       reinterpret_cast<WsLParam>(text.data()));
        text.resize(std::clamp<std::size_t>(static_cast<std::size_t>(std::max<WsLResult>(0, got)),
                                            0, text.size()));
        const std::size_t n =
            utf8::prefixBytes(text, static_cast<std::size_t>(maxChars - 1), bufferSize - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return static_cast<int>(utf8::countChars(std::string_view(text).substr(0, n)));
    });
}

WS_API int WsEnableWindow(WsWindow window, int enable) {
    return setWindowFlag(window, &Window::enabled, enable != 0, WS_ENABLE);
}

WS_API int WsIsWindowEnabled(WsWindow window) {
    const Window* w = findWindow(window);
    return w && w->enabled ? 1 : 0;
}

WS_API int WsShowWindow(WsWindow window, int show) {
    return setWindowFlag(window, &Window::visible, show != 0, WS_SHOWWINDOW);
}

// Visible only when the window and every parent are shown.
WS_API int WsIsWindowVisible(WsWindow window) {
    const Window* w = findWindow(window);
    if (!w) return 0;
    for (; w; w = findWindow(w->parent))
        if (!w->visible) return 0;
    return 1;
}

WS_API int WsSetProp(WsWindow window, const char* name, void* value) {
    Window* w = findWindow(window);
    if (!w || !name) return 0;
    return guarded(0, [&] {
        for (auto& [key, v] : w->props)
            if (key == name) {
                v = value;
                return 1;
            }
        w->props.emplace_back(name, value);
        return 1;
    });
}

WS_API void* WsGetProp(WsWindow window, const char* name) {
    const Window* w = findWindow(window);
    if (!w || !name) return nullptr;
    for (const auto& [key, v] : w->props)
        if (key == name) return v;
    return nullptr;
}

WS_API void* WsRemoveProp(WsWindow window, const char* name) {
    Window* w = findWindow(window);
    if (!w || !name) return nullptr;
    for (auto it = w->props.begin(); it != w->props.end(); ++it)
        if (it->first == name) {
            void* value = it->second;
            w->props.erase(it);
            return value;
        }
    return nullptr;
}

WS_API WsWindowProc WsSetWindowProc(WsWindow window, WsWindowProc proc) {
    Window* w = findWindow(window);
    if (!w || !proc) return nullptr;
    return std::exchange(w->proc, proc);
}

WS_API WsLResult WsCallWindowProc(WsWindowProc proc, WsWindow window, uint32_t message,
                                  WsWParam wParam, WsLParam lParam) {
    if (!proc || !findWindow(window)) return 0;
    return guarded<WsLResult>(0, [&] { return proc(window, message, wParam, lParam); });
}

WS_API size_t WsGetClassName(WsWindow window, char* buffer, size_t size) {
    const Window* w = findWindow(window);
    if (!w || !buffer || size <= w->className.size()) return 0;
    std::memcpy(buffer, w->className.c_str(), w->className.size() + 1);
    return w->className.size();
}

WS_API uint32_t WsGetWindowStyle(WsWindow window) {
    const Window* w = findWindow(window);
    if (!w) return 0;
    return (w->style & ~(WS_STYLE_DISABLED | WS_STYLE_HIDDEN)) |
           (w->enabled ? 0 : WS_STYLE_DISABLED) | (w->visible ? 0 : WS_STYLE_HIDDEN);
}

WS_API WsWindow WsGetNextTopLevelWindow(WsWindow after) {
    const std::vector<WsWindow>& list = topLevel();
    auto it = after ? std::find(list.begin(), list.end(), after) : list.begin();
    if (after && it != list.end()) ++it;
    return it != list.end() ? *it : nullptr;
}

WS_API WsWindow WsGetFirstChild(WsWindow window) {
    const Window* w = findWindow(window);
    return w && !w->children.empty() ? w->children.front() : nullptr;
}

WS_API WsWindow WsGetNextSibling(WsWindow window) {
    const Window* w = findWindow(window);
    const Window* parent = w ? findWindow(w->parent) : nullptr;
    if (!parent) return nullptr;
    auto it = std::find(parent->children.begin(), parent->children.end(), window);
    return it != parent->children.end() && std::next(it) != parent->children.end() ? *std::next(it)
                                                                                   : nullptr;
}

WS_API int WsMoveWindow(WsWindow window, int x, int y, int width, int height) {
    Window* w = findWindow(window);
    if (!w) return 0;
    width = std::max(0, width);
    height = std::max(0, height);
    const bool resized = width != w->width || height != w->height;
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    if (resized)
        WsSendMessage(window, WS_SIZE, 0,
                      static_cast<WsLParam>(WS_MAKEWPARAM(width & 0xFFFF, height & 0xFFFF)));
    return 1;
}

WS_API int WsGetWindowRect(WsWindow window, WsRect* rect) {
    const Window* w = findWindow(window);
    if (!w || !rect) return 0;
    *rect = {w->x, w->y, w->x + w->width, w->y + w->height};
    return 1;
}

WS_API int WsGetClientRect(WsWindow window, WsRect* rect) {
    const Window* w = findWindow(window);
    if (!w || !rect) return 0;
    *rect = {0, 0, w->width, w->height};
    return 1;
}

} // extern "C"
