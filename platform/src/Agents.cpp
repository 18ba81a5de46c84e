// The current user agent, and the dialog view through which agents read and act.
#include "Agents.h"

#include "Guard.h"
#include "Window.h"
#include "controls/TreeView.h"
#include "platform/UserAgent.h"

#include <iostream>
#include <unordered_map>

namespace ws {
namespace {

UserAgent* agent = nullptr;

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

} // namespace

void runUserAgent(WsWindow dialog) {
    if (!agent) return;
    DialogView view(dialog);
    // An agent that fails leaves the dialog unanswered, and the dialog run still cleans up.
    try {
        agent->runDialog(view);
    } catch (const std::exception& e) {
        reportToUser(std::string("the user agent failed: ") + e.what());
    } catch (...) {
        reportToUser("the user agent failed");
    }
}

void reportToUser(const std::string& message) {
    if (agent)
        agent->reportError(message);
    else
        std::cerr << "window system: " << message << " (no user to answer it)\n";
}

ControlInfo describeControl(WsWindow control) {
    ControlInfo info;
    const Window* w = findWindow(control);
    if (!w) return info;
    info.window = control;
    info.id = w->id;
    info.kind = controlKindOf(*w);
    info.className = w->className;
    info.text = w->text;
    info.enabled = w->enabled;
    info.visible = w->visible;
    info.checked = w->check == WS_BST_CHECKED;
    info.focused = WsGetFocus() == control;
    info.digitsOnly = info.kind == ControlKind::Edit && (w->style & WS_ES_NUMBER);
    for (const ListItem& item : w->items)
        info.items.push_back(item.text);
    info.selection = w->selection;
    info.style = WsGetWindowStyle(control);
    WsGetWindowRect(control, &info.rect);
    WsLogFont font{};
    if (WsGetFontInfo(w->font, &font))
        info.fontHeight = font.height < 0 ? -font.height : font.height;
    info.image = static_cast<WsGdiObject>(w->image);
    info.paint = w->paint;
    if (w->tree) {
        info.imageList = w->tree->imageList;
        const std::vector<TreeRow> rows = treeRows(*w);
        std::unordered_map<std::uint64_t, const TreeRow*> rowOf;
        for (const TreeRow& row : rows)
            rowOf.emplace(row.id, &row);
        for (const auto& [id, level] : treeItems(*w->tree)) {
            const TreeNode& node = w->tree->nodes.at(id);
            TreeItemInfo item;
            item.item = treeHandle(id);
            item.text = node.text;
            item.level = level;
            item.image = node.image;
            item.expanded = node.expanded;
            item.childCount = static_cast<int>(node.children.size());
            if (auto it = rowOf.find(id); it != rowOf.end()) {
                item.shown = true;
                item.row = it->second->row;
                item.label = it->second->label;
                item.button = it->second->button;
                item.icon = it->second->icon;
            }
            info.tree.push_back(std::move(item));
        }
    }
    return info;
}

std::vector<ControlInfo> describeChildren(WsWindow window) {
    std::vector<ControlInfo> out;
    for (WsWindow c = WsGetFirstChild(window); c; c = WsGetNextSibling(c))
        out.push_back(describeControl(c));
    return out;
}

UserAgent::~UserAgent() = default;

void UserAgent::shellOpen(const std::string&) {}

UserAgent* setUserAgent(UserAgent* next) {
    return std::exchange(agent, next);
}

UserAgent* currentUserAgent() {
    return agent;
}

DialogView::DialogView(WsWindow dialog) : dialog_(dialog) {}

std::int32_t DialogView::templateId() const {
    return dialogTemplateId(dialog_);
}

bool DialogView::isOpen() const {
    return dialogIsOpen(dialog_);
}

std::string DialogView::caption() const {
    const Window* w = findWindow(dialog_);
    return w ? w->text : std::string();
}

std::vector<ControlInfo> DialogView::controls() const {
    return describeChildren(dialog_);
}

std::optional<ControlInfo> DialogView::control(std::int32_t id) const {
    const WsWindow c = WsGetDlgItem(dialog_, id);
    if (!c) return std::nullopt;
    return describeControl(c);
}

DialogSnapshot DialogView::snapshot() const {
    return {templateId(), caption(), controls()};
}

std::string DialogView::where() const {
    return "dialog " + std::to_string(templateId()) + " " + quoted(caption());
}

Outcome DialogView::usable(std::int32_t id, WsWindow& control) const {
    if (!isOpen()) return {where() + " is not open"};
    control = WsGetDlgItem(dialog_, id);
    const std::string name = where() + ": control " + std::to_string(id);
    if (!control) return {name + " does not exist"};
    if (!WsIsWindowVisible(control)) return {name + " is hidden"};
    if (!WsIsWindowEnabled(control)) return {name + " is disabled"};
    return {};
}

Outcome DialogView::type(std::int32_t id, std::string_view text) {
    WsWindow control = nullptr;
    if (Outcome o = usable(id, control); !o) return o;
    const ControlInfo info = describeControl(control);
    const Window* w = findWindow(control);
    const std::string name = where() + ": control " + std::to_string(id);
    const bool editableCombo =
        info.kind == ControlKind::ComboBox && (w->style & WS_CBS_TYPEMASK) == WS_CBS_DROPDOWN;
    if (info.kind != ControlKind::Edit && !editableCombo) return {name + " takes no typing"};
    if (info.kind == ControlKind::Edit && (w->style & WS_ES_READONLY))
        return {name + " is read-only"};
    if (info.digitsOnly && text.find_first_not_of("0123456789") != std::string_view::npos)
        return {name + " accepts digits only, not " + quoted(text)};
    WsSetFocus(control);
    if (!findWindow(control)) return {name + " went away"};
    const std::string value(text);
    WsSetWindowText(control, value.c_str());
    if (editableCombo) notifyParent(control, WS_CBN_EDITCHANGE);
    return {};
}

Outcome DialogView::leave(std::int32_t id) {
    WsWindow control = nullptr;
    if (Outcome o = usable(id, control); !o) return o;
    if (WsGetFocus() != control) WsSetFocus(control);
    // The next control in order that can take the focus, as the tab key would find it.
    const std::vector<ControlInfo> all = controls();
    std::size_t at = 0;
    while (at < all.size() && all[at].window != control)
        ++at;
    WsWindow next = dialog_;
    for (std::size_t k = 1; k < all.size(); ++k) {
        const ControlInfo& c = all[(at + k) % all.size()];
        if (c.visible && c.enabled && c.kind != ControlKind::Static &&
            c.kind != ControlKind::GroupBox) {
            next = c.window;
            break;
        }
    }
    WsSetFocus(next);
    return {};
}

Outcome DialogView::click(std::int32_t id) {
    WsWindow control = nullptr;
    if (Outcome o = usable(id, control); !o) return o;
    const ControlKind kind = describeControl(control).kind;
    if (findWindow(control)->className != "BUTTON" || kind == ControlKind::GroupBox)
        return {where() + ": control " + std::to_string(id) + " is not a button"};
    WsSendMessage(control, WS_BM_CLICK, 0, 0);
    return {};
}

Outcome DialogView::pickIndex(std::int32_t id, int index) {
    WsWindow control = nullptr;
    if (Outcome o = usable(id, control); !o) return o;
    const ControlInfo info = describeControl(control);
    const std::string name = where() + ": control " + std::to_string(id);
    if (info.kind != ControlKind::ComboBox && info.kind != ControlKind::ListBox)
        return {name + " is not a list"};
    if (index < 0 || static_cast<std::size_t>(index) >= info.items.size())
        return {name + " has no entry " + std::to_string(index) + " (it has " +
                std::to_string(info.items.size()) + ")"};
    WsSetFocus(control);
    if (!findWindow(control)) return {name + " went away"};
    const bool combo = info.kind == ControlKind::ComboBox;
    WsSendMessage(control, combo ? WS_CB_SETCURSEL : WS_LB_SETCURSEL, static_cast<WsWParam>(index),
                  0);
    notifyParent(control, combo ? WS_CBN_SELCHANGE : WS_LBN_SELCHANGE);
    return {};
}

Outcome DialogView::pickText(std::int32_t id, std::string_view itemText) {
    WsWindow control = nullptr;
    if (Outcome o = usable(id, control); !o) return o;
    const ControlInfo info = describeControl(control);
    for (std::size_t i = 0; i < info.items.size(); ++i)
        if (equalsIgnoringCase(info.items[i], itemText)) return pickIndex(id, static_cast<int>(i));
    std::string choices;
    for (const std::string& item : info.items)
        choices += (choices.empty() ? "" : ", ") + quoted(item);
    return {where() + ": control " + std::to_string(id) + " has no entry " + quoted(itemText) +
            " (entries: " + choices + ")"};
}

} // namespace ws
