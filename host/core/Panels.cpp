#include "host/core/Panels.h"

#include "host/core/SuiteContext.h"
#include "platform/ws.h"

#include <cmath>

namespace host {
namespace {

constexpr const char* kPanelClass = "HostPanelWindow";

// The host's own procedure of a panel window, under whatever the module puts on top: a
// resize tells the module, closing hides the panel.
WsLResult panelWindowProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    SuiteContext* app = SuiteContext::current();
    PanelRecord* panel = app != nullptr ? app->panels().findByWindow(window) : nullptr;
    if (panel != nullptr && message == WS_SIZE) {
        if (panel->sizeChanged != nullptr) panel->sizeChanged(panel->handle);
        return 0;
    }
    if (panel != nullptr && message == WS_CLOSE) {
        HostPanelRef handle = panel->handle;
        HostPanelNotifyProc closed = panel->closed;
        app->panels().show(*panel, false);
        if (closed != nullptr && app->panels().find(handle) != nullptr) closed(handle);
        return 0;
    }
    return WsDefWindowProc(window, message, wParam, lParam);
}

bool registerPanelClass() {
    static const bool registered = [] {
        const WsWindowClass windowClass{kPanelClass, panelWindowProc};
        WsRegisterClass(&windowClass);
        return true;
    }();
    return registered;
}

int pixels(HostReal value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

InterfaceLook InterfaceLook::light() {
    return InterfaceLook{};
}

InterfaceLook InterfaceLook::darkLook() {
    InterfaceLook look;
    look.dark = true;
    look.background = {1.0, 0.2, 0.2, 0.2};
    look.text = {1.0, 0.9, 0.9, 0.9};
    return look;
}

Panels::~Panels() {
    for (auto& [key, panel] : panels_)
        if (WsIsWindow(panel->window)) WsDestroyWindow(panel->window);
}

HostErr Panels::create(PanelRecord record, HostPanelRef* panel) {
    for (const auto& [key, other] : panels_)
        if (other->id == record.id) return kHostErrRefused;
    registerPanelClass();
    const int offset = static_cast<int>(panels_.size()) * 30;
    const HostReal scale = look_.scale();
    record.window = WsCreateWindow(kPanelClass, record.title.c_str(), WS_STYLE_HIDDEN, 100 + offset,
                                   100 + offset, pixels(record.minimumSize.width * scale),
                                   pixels(record.minimumSize.height * scale), nullptr, 0, nullptr);
    if (record.window == nullptr) return kHostErrCant;
    const std::uintptr_t key = ++next_;
    record.handle = reinterpret_cast<HostPanelRef>(key);
    *panel = record.handle;
    panels_.emplace(key, std::make_unique<PanelRecord>(std::move(record)));
    return kHostNoErr;
}

HostErr Panels::destroy(HostPanelRef panel) {
    auto it = panels_.find(reinterpret_cast<std::uintptr_t>(panel));
    if (it == panels_.end()) return kHostErrBadHandle;
    std::unique_ptr<PanelRecord> record = std::move(it->second);
    panels_.erase(it);
    if (WsIsWindow(record->window)) WsDestroyWindow(record->window);
    return kHostNoErr;
}

PanelRecord* Panels::find(HostPanelRef panel) const {
    auto it = panels_.find(reinterpret_cast<std::uintptr_t>(panel));
    return it == panels_.end() ? nullptr : it->second.get();
}

PanelRecord* Panels::findByWindow(HostPlatformWindow window) const {
    for (const auto& [key, panel] : panels_)
        if (panel->window == window) return panel.get();
    return nullptr;
}

PanelRecord* Panels::findByTitle(const std::string& title) const {
    for (const auto& [key, panel] : panels_)
        if (panel->title == title) return panel.get();
    return nullptr;
}

std::vector<PanelRecord*> Panels::all() const {
    std::vector<PanelRecord*> out;
    for (const auto& [key, panel] : panels_)
        out.push_back(panel.get());
    return out;
}

HostErr Panels::show(PanelRecord& panel, bool shown) {
    if (!WsIsWindow(panel.window)) return kHostErrBadHandle;
    const bool was = WsIsWindowVisible(panel.window) != 0;
    WsShowWindow(panel.window, shown ? 1 : 0);
    if (shown) WsPaintWindow(panel.window);
    if (was != shown && panel.visibilityChanged != nullptr)
        panel.visibilityChanged(panel.handle, shown ? 1 : 0);
    return kHostNoErr;
}

void Panels::repaint() const {
    for (const auto& [key, panel] : panels_)
        if (WsIsWindowVisible(panel->window)) WsPaintWindow(panel->window);
}

HostPanelFlyoutMenuRef Panels::newFlyout() {
    const std::uintptr_t key = ++next_;
    flyouts_.insert(key);
    return reinterpret_cast<HostPanelFlyoutMenuRef>(key);
}

bool Panels::disposeFlyout(HostPanelFlyoutMenuRef menu) {
    return flyouts_.erase(reinterpret_cast<std::uintptr_t>(menu)) > 0;
}

} // namespace host
