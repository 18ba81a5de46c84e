// The view through which user agents read and act on modeless panel windows.
#include "Window.h"
#include "platform/UserAgent.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <tuple>

namespace ws {
namespace {

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultButton:
        return "button";
    case ControlKind::CheckBox:
        return "check box";
    case ControlKind::RadioButton:
        return "radio button";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Edit:
        return "field";
    case ControlKind::Static:
        return "text";
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
        return "list";
    case ControlKind::TreeView:
        return "tree";
    case ControlKind::Other:
        break;
    }
    return "control";
}

// The items of a tree that a path names, each with its chain of ancestors from the top.
std::vector<std::vector<std::size_t>> matchPath(const std::vector<TreeItemInfo>& items,
                                                const std::vector<std::string>& path,
                                                int startLevel) {
    std::vector<std::vector<std::size_t>> matches;
    // chain[i] is the index of the last item seen at level i.
    std::vector<std::size_t> chain;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TreeItemInfo& item = items[i];
        chain.resize(static_cast<std::size_t>(item.level));
        chain.push_back(i);
        const int depth = item.level - startLevel;
        if (depth + 1 != static_cast<int>(path.size())) continue;
        bool same = true;
        for (int d = 0; d <= depth && same; ++d)
            same = items[chain[static_cast<std::size_t>(startLevel + d)]].text ==
                   path[static_cast<std::size_t>(d)];
        if (same) matches.push_back(chain);
    }
    return matches;
}

WsLParam pointParam(int x, int y) {
    return static_cast<WsLParam>(WS_MAKEWPARAM(x & 0xFFFF, y & 0xFFFF));
}

// A person moves the mouse to the point and presses the button there.
void pressAt(WsWindow control, int x, int y) {
    WsPoint screen{x, y};
    WsClientToScreen(control, &screen);
    WsSetCursorPos(screen.x, screen.y);
    WsSendMessage(control, WS_LBUTTONDOWN, 0, pointParam(x, y));
}

// The ancestors of the item at index of a pre-order list, from the top, then the item.
std::vector<std::size_t> chainTo(const std::vector<TreeItemInfo>& items, std::size_t index) {
    std::vector<std::size_t> chain{index};
    int level = items[index].level;
    for (std::size_t k = index; k-- > 0 && level > 0;)
        if (items[k].level == level - 1) {
            chain.push_back(k);
            --level;
        }
    return {chain.rbegin(), chain.rend()};
}

// The part of a row a click aims at.
enum class Part { Label, Icon, Right, Button };

// Its left and right edge in the tree's client coordinates.
std::pair<int, int> partOf(const TreeItemInfo& item, Part part) {
    switch (part) {
    case Part::Icon:
        return {item.icon.left, item.icon.right};
    case Part::Right:
        return {item.label.right + 1, item.label.right + 3};
    case Part::Button:
        return {item.button.left, item.button.right};
    case Part::Label:
        break;
    }
    return {item.label.left, item.label.right};
}

// A person drags the scroll bar's thumb to pos. The bar's message carries 16 bits; beyond
// them a person would type their way down, which the tree's own scrolling into view does.
void dragThumb(WsWindow tree, std::uint32_t message, int pos, WsTreeItem item) {
    if (pos > 0xFFFF) {
        WsSendMessage(tree, WS_TVM_ENSUREVISIBLE, 0, reinterpret_cast<WsLParam>(item));
        return;
    }
    WsSendMessage(tree, message, WS_MAKEWPARAM(WS_SB_THUMBTRACK, pos), 0);
    WsSendMessage(tree, message, WS_MAKEWPARAM(WS_SB_THUMBPOSITION, pos), 0);
    WsSendMessage(tree, message, WS_MAKEWPARAM(WS_SB_ENDSCROLL, 0), 0);
}

// Scrolls the tree as a person would until the part of the item's row is in view: the whole
// row, and the part as far as it fits (all of it for the space right of the label). Returns
// the point to press, or nothing when the part cannot be brought into view.
std::optional<WsPoint> reveal(WsWindow tree, std::size_t index, Part part) {
    ControlInfo now = describeControl(tree);
    if (index >= now.tree.size() || !now.tree[index].shown) return std::nullopt;
    const int width = now.rect.right - now.rect.left;
    const int height = now.rect.bottom - now.rect.top;
    const TreeItemInfo* item = &now.tree[index];
    const int rowHeight = item->row.bottom - item->row.top;
    WsScrollInfo v{}, h{};
    if (!WsGetScrollInfo(tree, WS_SB_VERT, &v) || !WsGetScrollInfo(tree, WS_SB_HORZ, &h) ||
        rowHeight <= 0)
        return std::nullopt;
    if (item->row.top < 0 || item->row.bottom > height) {
        const int row = v.pos + item->row.top / rowHeight;
        dragThumb(tree, WS_VSCROLL, item->row.top < 0 ? row : std::max(0, row - v.page + 1),
                  item->item);
        now = describeControl(tree);
        item = &now.tree[index];
    }
    auto [left, right] = partOf(*item, part);
    const bool whole = part == Part::Right || part == Part::Button;
    if (whole ? (left < 0 || right > width) : (right <= 0 || left >= width)) {
        // Bring the part's start to the left edge, or the space right of a label to the
        // right edge.
        const int pos = part == Part::Right ? h.pos + right - width : h.pos + left - 4;
        dragThumb(tree, WS_HSCROLL, std::max(0, pos), item->item);
        now = describeControl(tree);
        item = &now.tree[index];
        std::tie(left, right) = partOf(*item, part);
    }
    const int x0 = std::max(left, 0), x1 = std::min(right, width);
    const int y0 = std::max(item->row.top, 0), y1 = std::min(item->row.bottom, height);
    if (x0 >= x1 || y0 >= y1 || (whole && (x0 != left || x1 != right))) return std::nullopt;
    return WsPoint{(x0 + x1) / 2, (y0 + y1) / 2};
}

} // namespace

WsWindow PanelView::find(std::string_view title) {
    for (WsWindow w = WsGetNextTopLevelWindow(nullptr); w; w = WsGetNextTopLevelWindow(w)) {
        const Window* window = findWindow(w);
        if (window && window->text == title && !window->dialog) return w;
    }
    return nullptr;
}

bool PanelView::exists() const {
    return findWindow(panel_) != nullptr;
}

std::string PanelView::title() const {
    const Window* w = findWindow(panel_);
    return w ? w->text : std::string();
}

bool PanelView::isShown() const {
    return WsIsWindowVisible(panel_) != 0;
}

WsRect PanelView::rect() const {
    WsRect r{};
    WsGetWindowRect(panel_, &r);
    return r;
}

std::vector<ControlInfo> PanelView::controls() const {
    return describeChildren(panel_);
}

std::optional<ControlInfo> PanelView::control(std::string_view text) const {
    const bool byId = text.size() > 1 && text[0] == '#';
    for (ControlInfo& c : controls()) {
        if (byId ? std::to_string(c.id) == text.substr(1) : c.text == text) return std::move(c);
    }
    return std::nullopt;
}

std::optional<ControlInfo> PanelView::control(std::int32_t id) const {
    for (ControlInfo& c : controls())
        if (c.id == id) return std::move(c);
    return std::nullopt;
}

std::optional<ControlInfo> PanelView::firstOfKind(ControlKind kind) const {
    for (ControlInfo& c : controls())
        if (c.kind == kind) return std::move(c);
    return std::nullopt;
}

std::string PanelView::where() const {
    return "panel " + quoted(title());
}

Outcome PanelView::usable(std::optional<ControlInfo> found, std::string_view text,
                          ControlInfo& info) const {
    if (!exists()) return {"the panel is gone"};
    if (!isShown()) return {where() + " is hidden"};
    const std::string name = where() + ": control " + quoted(text);
    if (!found) return {name + " does not exist"};
    if (!found->visible) return {name + " is hidden"};
    if (!found->enabled) return {name + " is disabled"};
    info = std::move(*found);
    return {};
}

Outcome PanelView::click(std::string_view text) {
    return press(control(text), text);
}

Outcome PanelView::click(std::int32_t id) {
    return press(control(id), "#" + std::to_string(id));
}

Outcome PanelView::press(std::optional<ControlInfo> found, std::string_view text) {
    ControlInfo info;
    if (Outcome o = usable(std::move(found), text, info); !o) return o;
    const bool button = info.kind == ControlKind::PushButton ||
                        info.kind == ControlKind::DefaultButton ||
                        info.kind == ControlKind::CheckBox || info.kind == ControlKind::RadioButton;
    const bool clickableText = info.kind == ControlKind::Static && (info.style & WS_SS_NOTIFY);
    if (!button && !clickableText)
        return {where() + ": " + kindName(info.kind) + " " + quoted(text) + " cannot be clicked"};
    pressAt(info.window,
            info.rect.right > info.rect.left ? (info.rect.right - info.rect.left) / 2 : 0,
            info.rect.bottom > info.rect.top ? (info.rect.bottom - info.rect.top) / 2 : 0);
    return {};
}

Outcome PanelView::tick(bool on) {
    std::optional<ControlInfo> box = firstOfKind(ControlKind::CheckBox);
    if (!box) return {where() + " has no check box"};
    if (box->checked == on) return {};
    return click(box->id);
}

std::vector<std::string> PanelView::splitPath(std::string_view text) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '\\'))
            parts.back() += text[++i];
        else if (text[i] == '/')
            parts.emplace_back();
        else
            parts.back() += text[i];
    }
    return parts;
}

Outcome PanelView::clickTreeItem(const std::vector<std::string>& path, std::uint32_t where) {
    std::optional<ControlInfo> tree = firstOfKind(ControlKind::TreeView);
    if (!tree) return {this->where() + " has no tree"};
    std::string joined;
    for (const std::string& part : path)
        joined += (joined.empty() ? "" : "/") + part;
    if (path.empty()) return {this->where() + ": no tree item named"};
    // From a top-level item, else from below one, else ending anywhere deeper.
    std::vector<std::vector<std::size_t>> matches = matchPath(tree->tree, path, 0);
    if (matches.empty()) matches = matchPath(tree->tree, path, 1);
    int deepest = 0;
    for (const TreeItemInfo& item : tree->tree)
        deepest = std::max(deepest, item.level);
    if (matches.empty())
        for (int level = 2; level <= deepest; ++level)
            for (std::vector<std::size_t>& m : matchPath(tree->tree, path, level))
                matches.push_back(std::move(m));
    if (matches.empty()) return {this->where() + ": the tree has no item " + quoted(joined)};
    if (matches.size() > 1)
        return {this->where() + ": the tree has " + std::to_string(matches.size()) + " items " +
                quoted(joined) + "; the path is ambiguous"};
    return clickTreeItemAt(matches.front().back(), where);
}

Outcome PanelView::clickTreeItemAt(std::size_t index, std::uint32_t where) {
    std::optional<ControlInfo> tree = firstOfKind(ControlKind::TreeView);
    if (!tree) return {this->where() + " has no tree"};
    if (!tree->visible || !isShown()) return {this->where() + ": the tree is hidden"};
    if (!tree->enabled) return {this->where() + ": the tree is disabled"};
    if (index >= tree->tree.size())
        return {this->where() + ": the tree has no item " + std::to_string(index)};
    const std::string name = quoted(tree->tree[index].text);
    const std::vector<std::size_t> chain = chainTo(tree->tree, index);
    // Open every closed item above the target with its expand button.
    for (std::size_t k = 0; k + 1 < chain.size(); ++k) {
        const ControlInfo now = describeControl(tree->window);
        const TreeItemInfo& item = now.tree[chain[k]];
        if (item.expanded) continue;
        if (!item.shown) return {this->where() + ": " + quoted(item.text) + " cannot be reached"};
        if (item.button.right > item.button.left) {
            const std::optional<WsPoint> at = reveal(tree->window, chain[k], Part::Button);
            if (!at)
                return {this->where() + ": the button of " + quoted(item.text) +
                        " cannot be brought into view"};
            pressAt(tree->window, at->x, at->y);
        } else { // a tree without buttons: a double-click on the label opens the item
            WsSendMessage(tree->window, WS_TVM_EXPAND, WS_TVE_EXPAND,
                          reinterpret_cast<WsLParam>(item.item));
        }
        if (!WsIsWindowEnabled(tree->window))
            return {this->where() + ": the tree was disabled on the way"};
    }
    Part part = Part::Label;
    if (where == WS_TVHT_ONITEMRIGHT) {
        part = Part::Right;
    } else if (where == WS_TVHT_ONITEMICON) {
        if (!tree->imageList) return {this->where() + ": the tree shows no icons"};
        part = Part::Icon;
    }
    if (!describeControl(tree->window).tree[index].shown)
        return {this->where() + ": " + name + " cannot be reached"};
    const std::optional<WsPoint> at = reveal(tree->window, index, part);
    if (!at) {
        if (part == Part::Right) return {this->where() + ": nothing to the right of " + name};
        return {this->where() + ": " + name + " cannot be brought into view"};
    }
    pressAt(tree->window, at->x, at->y);
    return {};
}

Outcome PanelView::resize(int width, int height) {
    if (!exists()) return {"the panel is gone"};
    if (width <= 0 || height <= 0) return {where() + " cannot be made that small"};
    const WsRect r = rect();
    WsMoveWindow(panel_, r.left, r.top, width, height);
    return {};
}

void PanelView::paint() {
    WsPaintWindow(panel_);
}

void PanelView::print(const PanelView& panel, std::ostream& out) {
    const WsRect r = panel.rect();
    out << "panel " << quoted(panel.title()) << " " << (r.right - r.left) << "x"
        << (r.bottom - r.top) << (panel.isShown() ? "" : " (hidden)") << "\n";
    for (const ControlInfo& c : panel.controls()) {
        out << "  " << kindName(c.kind);
        if (c.id) out << " #" << c.id;
        if (!c.text.empty()) out << " " << quoted(c.text);
        if (c.kind == ControlKind::CheckBox) out << (c.checked ? " [x]" : " [ ]");
        if (c.image) out << " (icon)";
        if (!c.enabled) out << " (disabled)";
        out << " at " << c.rect.left << "," << c.rect.top << " " << (c.rect.right - c.rect.left)
            << "x" << (c.rect.bottom - c.rect.top) << "\n";
        for (const TreeItemInfo& item : c.tree) {
            if (!item.shown) continue;
            out << "    " << std::string(static_cast<std::size_t>(item.level) * 2, ' ')
                << (item.childCount ? (item.expanded ? "- " : "+ ") : "  ") << item.text << "\n";
        }
        WsScrollInfo rows{};
        if (c.kind == ControlKind::TreeView && WsGetScrollInfo(c.window, WS_SB_VERT, &rows) &&
            rows.max + 1 > rows.page)
            out << "    (rows " << rows.pos + 1 << " to "
                << std::min(rows.pos + rows.page, rows.max + 1) << " of " << rows.max + 1
                << " in view)\n";
    }
}

Outcome PanelView::perform(std::string_view command, std::ostream& out) {
    std::istringstream in{std::string(command)};
    std::string verb;
    in >> verb;
    std::string rest;
    std::getline(in >> std::ws, rest);
    if (verb == "show") {
        print(*this, out);
        return {};
    }
    if (verb == "click") return click(rest);
    if (verb == "tick") {
        if (rest != "on" && rest != "off") return {"tick takes on or off"};
        return tick(rest == "on");
    }
    if (verb == "tree") return clickTreeItem(splitPath(rest));
    if (verb == "resize") {
        std::istringstream size(rest);
        int w = 0, h = 0;
        if (!(size >> w >> h)) return {"resize takes a width and a height"};
        return resize(w, h);
    }
    return {"unknown panel command " + quoted(verb) +
            " (show, click TEXT|#ID, tick on|off, tree A/B, resize W H)"};
}

} // namespace ws
