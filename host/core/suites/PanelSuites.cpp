// "AI Panel Suite", "AI Panel Flyout Menu Suite" and "AI User Interface Theme Suite".
#include "hostapi/suites/PanelFlyoutMenuSuite.h"
#include "hostapi/suites/PanelSuite.h"
#include "hostapi/suites/UserInterfaceThemeSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/Panels.h"
#include "host/core/suites/SuiteSupport.h"
#include "host/loader/Module.h"
#include "platform/ws.h"

#include <cmath>

namespace host {
namespace {

template <class Body> HostErr withPanel(HostPanelRef panel, Body&& body) {
    return guarded([&]() -> HostErr {
        PanelRecord* record = suites::context().panels().find(panel);
        if (record == nullptr) return kHostErrBadHandle;
        return body(*record);
    });
}

template <class Member> struct FieldOf;
template <class T> struct FieldOf<T PanelRecord::*> { using type = T; };

/// Sets the panel's procedure in Field.
template <auto Field>
HostErr setProc(HostPanelRef panel, typename FieldOf<decltype(Field)>::type proc) {
    return withPanel(panel, [&](PanelRecord& p) {
        p.*Field = proc;
        return kHostNoErr;
    });
}

HostErr Create(HostPluginRef plugin, HostUString id, HostUString title, int32_t stateCount,
               const HostPanelSize* minimumSize, HostBool resizable, HostPanelFlyoutMenuRef flyout,
               void* userData, HostPanelRef* panel) {
    HOST_OP(kHostPanelSuite, "Create");
    return guarded([&]() -> HostErr {
        if (panel == nullptr || minimumSize == nullptr) return kHostErrBadParameter;
        *panel = nullptr;
        Module* owner = suites::context().moduleFromRef(plugin);
        if (owner == nullptr) return kHostErrBadHandle;
        const std::string* idText = suites::text(id);
        const std::string* titleText = suites::text(title);
        if (idText == nullptr || titleText == nullptr) return kHostErrBadHandle;
        if (!(minimumSize->width > 0) || !(minimumSize->height > 0) ||
            !std::isfinite(minimumSize->width) || !std::isfinite(minimumSize->height) ||
            minimumSize->width > 10000 || minimumSize->height > 10000 || idText->empty() ||
            stateCount < 1)
            return kHostErrBadParameter;
        PanelRecord record;
        record.owner = owner;
        record.id = *idText;
        record.title = *titleText;
        record.stateCount = stateCount;
        record.minimumSize = *minimumSize;
        record.resizable = resizable != 0;
        record.flyout = flyout;
        record.userData = userData;
        return suites::context().panels().create(std::move(record), panel);
    });
}

HostErr Destroy(HostPanelRef panel) {
    HOST_OP(kHostPanelSuite, "Destroy");
    return guarded([&] { return suites::context().panels().destroy(panel); });
}

HostErr GetPlatformWindow(HostPanelRef panel, HostPlatformWindow* window) {
    HOST_OP(kHostPanelSuite, "GetPlatformWindow");
    if (window == nullptr) return kHostErrBadParameter;
    *window = nullptr;
    return withPanel(panel, [&](PanelRecord& p) {
        *window = p.window;
        return WsIsWindow(p.window) ? kHostNoErr : kHostErrCant;
    });
}

HostErr Show(HostPanelRef panel, HostBool show) {
    HOST_OP(kHostPanelSuite, "Show");
    return withPanel(panel,
                     [&](PanelRecord& p) { return suites::context().panels().show(p, show); });
}

HostErr IsShown(HostPanelRef panel, HostBool* shown) {
    HOST_OP(kHostPanelSuite, "IsShown");
    if (shown == nullptr) return kHostErrBadParameter;
    *shown = 0;
    return withPanel(panel, [&](PanelRecord& p) {
        *shown = WsIsWindowVisible(p.window) ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr GetUserData(HostPanelRef panel, void** userData) {
    HOST_OP(kHostPanelSuite, "GetUserData");
    if (userData == nullptr) return kHostErrBadParameter;
    *userData = nullptr;
    return withPanel(panel, [&](PanelRecord& p) {
        *userData = p.userData;
        return kHostNoErr;
    });
}

HostErr SetUserData(HostPanelRef panel, void* userData) {
    HOST_OP(kHostPanelSuite, "SetUserData");
    return withPanel(panel, [&](PanelRecord& p) {
        p.userData = userData;
        return kHostNoErr;
    });
}

HostErr GetSize(HostPanelRef panel, HostPanelSize* size) {
    HOST_OP(kHostPanelSuite, "GetSize");
    if (size == nullptr) return kHostErrBadParameter;
    *size = {};
    return withPanel(panel, [&](PanelRecord& p) {
        WsRect r{};
        if (!WsGetClientRect(p.window, &r)) return kHostErrCant;
        // Sizes are in units; the window's pixels are units times the interface scale.
        const HostReal scale = suites::context().panels().look().scale();
        *size = {r.right / scale, r.bottom / scale};
        return kHostNoErr;
    });
}

// The icon must be a PNG image among the module's resources.
HostErr SetIcons(HostPanelRef panel, const HostPanelIconList* normal,
                 const HostPanelIconList* rollover) {
    HOST_OP(kHostPanelSuite, "SetIcons");
    if (normal == nullptr || rollover == nullptr) return kHostErrBadParameter;
    return withPanel(panel, [&](PanelRecord& p) {
        const void* data = nullptr;
        std::size_t size = 0;
        if (!WsFindResource(static_cast<WsModule>(normal->module), WS_FOURCC('P', 'N', 'G', 'I'),
                            normal->resourceId, &data, &size) ||
            size < 8 || static_cast<const unsigned char*>(data)[1] != 'P')
            return kHostErrNotFound;
        p.icon = *normal;
        return kHostNoErr;
    });
}

template <OperationLiteral Name, auto Impl>
constexpr auto PanelOp = counted<kHostPanelSuite, Name, Impl>;

constexpr HostPanelSuite kPanelSuite = {
    Create,
    Destroy,
    GetPlatformWindow,
    Show,
    IsShown,
    GetUserData,
    SetUserData,
    GetSize,
    SetIcons,
    PanelOp<"SetClosedNotifyProc", setProc<&PanelRecord::closed>>,
    PanelOp<"SetVisibilityChangedNotifyProc", setProc<&PanelRecord::visibilityChanged>>,
    PanelOp<"SetStateChangedNotifyProc", setProc<&PanelRecord::stateChanged>>,
    PanelOp<"SetSizeChangedNotifyProc", setProc<&PanelRecord::sizeChanged>>,
    PanelOp<"SetFlyoutMenuProc", setProc<&PanelRecord::flyoutChosen>>,
    PanelOp<"SetFlyoutMenuPreVisibilityProc", setProc<&PanelRecord::flyoutPreVisibility>>,
};

HostErr CreateFlyout(HostPanelFlyoutMenuRef* menu) {
    HOST_OP(kHostPanelFlyoutMenuSuite, "Create");
    if (menu == nullptr) return kHostErrBadParameter;
    return guarded([&] {
        *menu = suites::context().panels().newFlyout();
        return kHostNoErr;
    });
}

HostErr DestroyFlyout(HostPanelFlyoutMenuRef menu) {
    HOST_OP(kHostPanelFlyoutMenuSuite, "Destroy");
    return suites::context().panels().disposeFlyout(menu) ? kHostNoErr : kHostErrBadHandle;
}

constexpr HostPanelFlyoutMenuSuite kFlyoutSuite = {CreateFlyout, DestroyFlyout};

HostErr GetUIComponentColor(int32_t part, int32_t kind, HostThemeColor* color) {
    HOST_OP(kHostUserInterfaceThemeSuite, "GetUIComponentColor");
    if (color == nullptr || part != kHostThemePanelPart) return kHostErrBadParameter;
    const InterfaceLook& look = suites::context().panels().look();
    if (kind == kHostThemeBackground)
        *color = look.background;
    else if (kind == kHostThemeText)
        *color = look.text;
    else
        return kHostErrBadParameter;
    return kHostNoErr;
}

HostErr IsDarkUI(HostBool* dark) {
    HOST_OP(kHostUserInterfaceThemeSuite, "IsDarkUI");
    if (dark == nullptr) return kHostErrBadParameter;
    *dark = suites::context().panels().look().dark ? 1 : 0;
    return kHostNoErr;
}

constexpr HostUserInterfaceThemeSuite kThemeSuite = {GetUIComponentColor, IsDarkUI};

} // namespace

void installPanelSuites(SuiteRegistry& registry) {
    registry.provide(kHostPanelSuite, kHostPanelSuiteVersion, &kPanelSuite);
    registry.provide(kHostPanelFlyoutMenuSuite, kHostPanelFlyoutMenuSuiteVersion, &kFlyoutSuite);
    registry.provide(kHostUserInterfaceThemeSuite, kHostUserInterfaceThemeSuiteVersion,
                     &kThemeSuite);
}

} // namespace host
