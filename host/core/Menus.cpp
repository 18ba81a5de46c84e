#include "host/core/Menus.h"

#include "hostapi/suites/MenuSuite.h"

#include <algorithm>
#include <stdexcept>

namespace host {

bool MenuItem::isSeparator() const {
    return (options & kHostMenuItemIsSeparator) != 0;
}

Menus::Menus() {
    for (const char* name : kHostMenuGroups)
        addHostGroup(name);
}

MenuGroup* Menus::group(std::size_t n) const {
    return n < groups_.size() ? groups_[n].get() : nullptr;
}

MenuGroup* Menus::findGroup(std::string_view name) const {
    for (const auto& g : groups_)
        if (g->name == name) return g.get();
    return nullptr;
}

MenuGroup* Menus::groupFromHandle(HostMenuGroup handle) const {
    for (const auto& g : groups_)
        if (g->handle() == handle) return g.get();
    return nullptr;
}

MenuItem* Menus::itemFromHandle(HostMenuItemHandle handle) const {
    if (handle == nullptr) return nullptr;
    for (const auto& item : items_)
        if (item->handle() == handle) return item.get();
    return nullptr;
}

MenuGroup& Menus::addHostGroup(std::string_view name) {
    if (findGroup(name) != nullptr)
        throw std::invalid_argument("menu group \"" + std::string(name) + "\" exists");
    auto g = std::make_unique<MenuGroup>();
    g->name = name;
    groups_.push_back(std::move(g));
    return *groups_.back();
}

HostErr Menus::addItem(Module* owner, std::string_view keyboardName, std::string_view groupName,
                       std::string text, std::int32_t options, MenuItem** item) {
    MenuGroup* g = findGroup(groupName);
    if (g == nullptr) return kHostErrNotFound;
    auto entry = std::make_unique<MenuItem>();
    entry->owner = owner;
    entry->keyboardName = keyboardName;
    entry->text = std::move(text);
    entry->options = options;
    entry->group = g;
    if (entry->isSeparator()) entry->text.clear();
    g->items.reserve(g->items.size() + 1);
    items_.reserve(items_.size() + 1);
    g->items.push_back(entry.get());
    if (item != nullptr) *item = entry.get();
    items_.push_back(std::move(entry));
    return kHostNoErr;
}

HostErr Menus::addSubMenuGroup(std::string_view name, std::int32_t options, MenuItem& parent,
                               MenuGroup** group) {
    if (parent.isSeparator()) return kHostErrBadParameter;
    if (findGroup(name) != nullptr || parent.subMenu != nullptr) return kHostErrRefused;
    auto g = std::make_unique<MenuGroup>();
    g->name = name;
    g->options = options;
    g->parent = &parent;
    groups_.reserve(groups_.size() + 1);
    parent.subMenu = g.get();
    if (group != nullptr) *group = g.get();
    groups_.push_back(std::move(g));
    return kHostNoErr;
}

void Menus::evaluate(const DocumentState* document) {
    // Every item is judged on the same facts; each is gathered once for the whole update.
    MenuFacts facts(document);
    for (const auto& item : items_)
        item->autoEnabled = !item->autoEnable || menuCriteriaHold(*item->autoEnable, facts);
}

std::vector<MenuItem*> Menus::items() const {
    std::vector<MenuItem*> result;
    result.reserve(items_.size());
    for (const auto& item : items_)
        result.push_back(item.get());
    return result;
}

namespace {

void formatGroup(const MenuGroup& group, int depth, std::string& out) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (const MenuItem* item : group.items) {
        if (item->isSeparator()) {
            out += indent + "----\n";
            continue;
        }
        out += indent + item->text;
        if (item->subMenu != nullptr) out += " > " + item->subMenu->name;
        if (item->checked) out += " (checked)";
        if (!item->enabled()) out += " (disabled)";
        out += '\n';
        if (item->subMenu != nullptr) formatGroup(*item->subMenu, depth + 1, out);
    }
}

} // namespace

std::string formatMenuTree(const Menus& menus, bool includeEmptyGroups) {
    std::string out;
    for (std::size_t n = 0; n < menus.groupCount(); ++n) {
        const MenuGroup& g = *menus.group(n);
        if (g.parent != nullptr || (g.items.empty() && !includeEmptyGroups)) continue;
        out += g.name + '\n';
        formatGroup(g, 1, out);
    }
    return out;
}

} // namespace host
