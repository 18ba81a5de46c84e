// The view through which user agents read and act on modeless panel windows.
#include "Window.h"
#include "platform/UserAgent.h"

#include <ostream>
#include <sstream>

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

std::vector<std::string> splitPath(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t slash = text.find('/', start);
        const std::size_t end = slash == std::string_view::npos ? text.size() : slash;
        parts.emplace_back(text.substr(start, end - start));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    return parts;
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

std::optional<ControlInfo> PanelView::firstOfKind(ControlKind kind) const {
    for (ControlInfo& c : controls())
        if (c.kind == kind) return std::move(c);
    return std::nullopt;
}

std::string PanelView::where() const {
    return "panel " + quoted(title());
}

Outcome PanelView::usable(std::string_view text, ControlInfo& info) const {
    if (!exists()) return {"the panel is gone"};
    if (!isShown()) return {where() + " is hidden"};
    std::optional<ControlInfo> found = control(text);
    const std::string name = where() + ": control " + quoted(text);
    if (!found) return {name + " does not exist"};
    if (!found->visible) return {name + " is hidden"};
    if (!found->enabled) return {name + " is disabled"};
    info = std::move(*found);
    return {};
}

Outcome PanelView::click(std::string_view text) {
    ControlInfo info;
    if (Outcome o = usable(text, info); !o) return o;
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
    return click("#" + std::to_string(box->id));
}

Outcome PanelView::clickTreeItem(const std::vector<std::string>& path, std::uint32_t where) {
    std::optional<ControlInfo> tree = firstOfKind(ControlKind::TreeView);
    if (!tree) return {this->where() + " has no tree"};
    if (!tree->visible || !isShown()) return {this->where() + ": the tree is hidden"};
    if (!tree->enabled) return {this->where() + ": the tree is disabled"};
    std::string joined;
    for (const std::string& part : path)
        joined += (joined.empty() ? "" : "/") + part;
    if (path.empty()) return {this->where() + ": no tree item named"};
    std::vector<std::vector<std::size_t>> matches = matchPath(tree->tree, path, 0);
    if (matches.empty()) matches = matchPath(tree->tree, path, 1);
    if (matches.empty()) return {this->where() + ": the tree has no item " + quoted(joined)};
    if (matches.size() > 1)
        return {this->where() + ": the tree has " + std::to_string(matches.size()) + " items " +
                quoted(joined) + "; the path is ambiguous"};
    const std::vector<std::size_t> chain = matches.front();
    // Open every closed item above the target with its expand button.
    for (std::size_t k = 0; k + 1 < chain.size(); ++k) {
        const ControlInfo now = describeControl(tree->window);
        const TreeItemInfo& item = now.tree[chain[k]];
        if (item.expanded) continue;
        if (!item.shown) return {this->where() + ": " + quoted(item.text) + " cannot be reached"};
        if (item.button.right > item.button.left)
            pressAt(tree->window, (item.button.left + item.button.right) / 2,
                    (item.button.top + item.button.bottom) / 2);
        else // a tree without buttons: a double-click on the label opens the item
            WsSendMessage(tree->window, WS_TVM_EXPAND, WS_TVE_EXPAND,
                          reinterpret_cast<WsLParam>(item.item));
        if (!WsIsWindowEnabled(tree->window))
            return {this->where() + ": the tree was disabled on the way"};
    }
    const ControlInfo now = describeControl(tree->window);
    const TreeItemInfo& target = now.tree[chain.back()];
    if (!target.shown) return {this->where() + ": " + quoted(joined) + " cannot be reached"};
    const int treeHeight = tree->rect.bottom - tree->rect.top;
    if (target.row.bottom > treeHeight)
        return {this->where() + ": " + quoted(joined) +
                " is below the tree's visible part; make the panel taller"};
    const int y = (target.row.top + target.row.bottom) / 2;
    int x = (target.label.left + target.label.right) / 2;
    if (where == WS_TVHT_ONITEMRIGHT) {
        if (target.label.right >= tree->rect.right - tree->rect.left)
            return {this->where() + ": nothing to the right of " + quoted(joined)};
        x = target.label.right + 2;
    } else if (where == WS_TVHT_ONITEMICON) {
        if (!tree->imageList) return {this->where() + ": the tree shows no icons"};
        x = target.label.left - 6;
    }
    pressAt(tree->window, x, y);
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
