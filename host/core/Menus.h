// The host's menus: groups of items, some of them shown as the sub-menu of an item. The host
// starts with its own groups; modules add items to them and groups of their own.
#pragma once

#include "host/core/MenuEnabling.h"
#include "hostapi/HostTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class Module;
struct MenuGroup;

struct MenuItem {
    Module* owner = nullptr;
    std::string keyboardName;
    std::string text;
    std::int32_t options = 0;
    MenuGroup* group = nullptr;
    /// The group shown as this item's sub-menu, if any.
    MenuGroup* subMenu = nullptr;
    bool checked = false;
    /// Set by EnableItem.
    bool explicitlyEnabled = true;
    /// Result of the automatic enabling at the last update.
    bool autoEnabled = true;
    std::optional<MenuCriteria> autoEnable;

    [[nodiscard]] bool isSeparator() const;
    [[nodiscard]] bool enabled() const { return explicitlyEnabled && autoEnabled; }
    [[nodiscard]] HostMenuItemHandle handle() const {
        return reinterpret_cast<HostMenuItemHandle>(const_cast<MenuItem*>(this));
    }
};

struct MenuGroup {
    std::string name;
    std::int32_t options = 0;
    /// The item that shows this group as its sub-menu; null for a top-level group.
    MenuItem* parent = nullptr;
    std::vector<MenuItem*> items;

    [[nodiscard]] HostMenuGroup handle() const {
        return reinterpret_cast<HostMenuGroup>(const_cast<MenuGroup*>(this));
    }
};

/// The host's own groups, present from the start.
inline constexpr const char* kHostMenuGroups[] = {
    "Document Utilities",
    "Edit Utilities",
    "Object Utilities",
    "Type Utilities",
    "Tool Palettes",
    "Window Utilities",
    "Help",
    "About",
};

class Menus {
public:
    Menus();

    [[nodiscard]] std::size_t groupCount() const { return groups_.size(); }
    /// Groups in creation order; null out of range.
    [[nodiscard]] MenuGroup* group(std::size_t n) const;
    [[nodiscard]] MenuGroup* findGroup(std::string_view name) const;
    /// Null for a handle that is not a group of these menus.
    [[nodiscard]] MenuGroup* groupFromHandle(HostMenuGroup handle) const;
    [[nodiscard]] MenuItem* itemFromHandle(HostMenuItemHandle handle) const;

    /// A top-level group of the host's own (tests pre-create groups with it). Throws
    /// std::invalid_argument when the name is taken.
    MenuGroup& addHostGroup(std::string_view name);

    /// Adds an item at the end of groupName. kHostErrNotFound for an unknown group.
    HostErr addItem(Module* owner, std::string_view keyboardName, std::string_view groupName,
                    std::string text, std::int32_t options, MenuItem** item);
    /// Makes a new group the sub-menu of parent. kHostErrRefused when the name is taken or
    /// parent already has a sub-menu; kHostErrBadParameter for a separator.
    HostErr addSubMenuGroup(std::string_view name, std::int32_t options, MenuItem& parent,
                            MenuGroup** group);

    /// Evaluates every automatic enabling against document (null: no document open).
    void evaluate(const DocumentState* document);

    /// Every item, in the order added.
    [[nodiscard]] std::vector<MenuItem*> items() const;

private:
    std::vector<std::unique_ptr<MenuGroup>> groups_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

/// The menu tree as text: every top-level group with its items in order, two spaces deeper
/// per level, a sub-menu under its item ("Item > Group"), separators as "----", and
/// "(checked)" and "(disabled)" after the items they apply to.
std::string formatMenuTree(const Menus& menus, bool includeEmptyGroups = false);

} // namespace host
