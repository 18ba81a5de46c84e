#include "hostapi/suites/MenuSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

Menus& menus() {
    return suites::context().menus();
}

HostErr CountMenuGroups(int32_t* count) {
    HOST_OP(kHostMenuSuite, "CountMenuGroups");
    if (count == nullptr) return kHostErrBadParameter;
    *count = static_cast<int32_t>(menus().groupCount());
    return kHostNoErr;
}

HostErr GetNthMenuGroup(int32_t n, HostMenuGroup* group) {
    HOST_OP(kHostMenuSuite, "GetNthMenuGroup");
    if (group == nullptr) return kHostErrBadParameter;
    *group = nullptr;
    if (n < 0) return kHostErrBadParameter;
    const MenuGroup* g = menus().group(static_cast<std::size_t>(n));
    if (g == nullptr) return kHostErrBadParameter;
    *group = g->handle();
    return kHostNoErr;
}

HostErr GetMenuGroupName(HostMenuGroup group, const char** name) {
    HOST_OP(kHostMenuSuite, "GetMenuGroupName");
    if (name == nullptr) return kHostErrBadParameter;
    *name = nullptr;
    const MenuGroup* g = menus().groupFromHandle(group);
    if (g == nullptr) return kHostErrBadHandle;
    *name = g->name.c_str();
    return kHostNoErr;
}

HostErr AddMenuItem(HostPluginRef plugin, const char* keyboardName, const char* groupName,
                    HostUString text, int32_t options, HostMenuItemHandle* item) {
    HOST_OP(kHostMenuSuite, "AddMenuItem");
    if (item != nullptr) *item = nullptr;
    return guarded([&]() -> HostErr {
        Module* module = suites::context().moduleFromRef(plugin);
        if (module == nullptr) return kHostErrBadHandle;
        if (groupName == nullptr) return kHostErrBadParameter;
        if (keyboardName != nullptr && !isValidUtf8(keyboardName)) return kHostErrBadParameter;
        std::string label;
        if ((options & kHostMenuItemIsSeparator) == 0) {
            const std::string* t = suites::text(text);
            if (t == nullptr) return kHostErrBadHandle;
            label = *t;
        }
        MenuItem* added = nullptr;
        const HostErr result = menus().addItem(module, keyboardName == nullptr ? "" : keyboardName,
                                               groupName, std::move(label), options, &added);
        if (result == kHostNoErr && item != nullptr) *item = added->handle();
        return result;
    });
}

HostErr AddMenuGroupAsSubMenu(const char* groupName, int32_t options, HostMenuItemHandle parentItem,
                              HostMenuGroup* group) {
    HOST_OP(kHostMenuSuite, "AddMenuGroupAsSubMenu");
    if (group != nullptr) *group = nullptr;
    return guarded([&]() -> HostErr {
        if (groupName == nullptr || *groupName == 0 || !isValidUtf8(groupName))
            return kHostErrBadParameter;
        MenuItem* parent = menus().itemFromHandle(parentItem);
        if (parent == nullptr) return kHostErrBadHandle;
        MenuGroup* added = nullptr;
        const HostErr result = menus().addSubMenuGroup(groupName, options, *parent, &added);
        if (result == kHostNoErr && group != nullptr) *group = added->handle();
        return result;
    });
}

HostErr UpdateMenuItemAutomatically(HostMenuItemHandle item, int32_t action,
                                    int32_t ifArtInDocument, int32_t ifNotArtInDocument,
                                    int32_t ifSelectedArt, int32_t ifNotSelectedArt,
                                    int32_t ifIsTrue, int32_t ifNotTrue) {
    HOST_OP(kHostMenuSuite, "UpdateMenuItemAutomatically");
    MenuItem* target = menus().itemFromHandle(item);
    if (target == nullptr) return kHostErrBadHandle;
    if (action != kMenuAutoEnable) return kHostErrBadParameter;
    const auto kinds = [](int32_t v) { return static_cast<std::uint32_t>(v); };
    for (const int32_t art : {ifArtInDocument, ifNotArtInDocument, ifSelectedArt, ifNotSelectedArt})
        if ((kinds(art) & ~std::uint32_t{kMenuArtAllKinds}) != 0) return kHostErrBadParameter;
    for (const int32_t property : {ifIsTrue, ifNotTrue})
        if ((kinds(property) & ~std::uint32_t{kMenuPropAll}) != 0) return kHostErrBadParameter;
    target->autoEnable =
        MenuCriteria{kinds(ifArtInDocument),  kinds(ifNotArtInDocument), kinds(ifSelectedArt),
                     kinds(ifNotSelectedArt), kinds(ifIsTrue),           kinds(ifNotTrue)};
    target->autoEnabled = menuCriteriaHold(*target->autoEnable, suites::context().documentState());
    return kHostNoErr;
}

template <bool MenuItem::*Flag> HostErr setItemFlag(HostMenuItemHandle item, HostBool value) {
    MenuItem* target = menus().itemFromHandle(item);
    if (target == nullptr) return kHostErrBadHandle;
    target->*Flag = value != 0;
    return kHostNoErr;
}

constexpr HostMenuSuite kTable = {
    CountMenuGroups,
    GetNthMenuGroup,
    GetMenuGroupName,
    AddMenuItem,
    AddMenuGroupAsSubMenu,
    UpdateMenuItemAutomatically,
    counted<kHostMenuSuite, "CheckItem", setItemFlag<&MenuItem::checked>>,
    counted<kHostMenuSuite, "EnableItem", setItemFlag<&MenuItem::explicitlyEnabled>>};

} // namespace

void installMenuSuite(SuiteRegistry& registry) {
    registry.provide(kHostMenuSuite, kHostMenuSuiteVersion, &kTable);
}

} // namespace host
