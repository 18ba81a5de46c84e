// TREEVIEW: items in a hierarchy with expand buttons, icons from an image list and labels;
// hit-testing and a click that tells the parent (WS_NOTIFY, NM_CLICK). Item handles are
// numbers never reused, so a handle of a deleted item is refused.
#include "controls/TreeView.h"

#include "Guard.h"
#include "Utf8.h"

#include <algorithm>
#include <cstring>

namespace ws {
namespace {

constexpr int kIndent = 19;

TreeData& treeOf(Window& w) {
    if (!w.tree) w.tree.reset(new TreeData);
    return *w.tree;
}

bool hasButtons(const Window& w) {
    return (w.style & WS_TVS_HASBUTTONS) != 0;
}

int labelWidth(const std::string& text, int fontHeight) {
    int width = 4;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (utf8::isContinuation(text[i])) continue;
        width += static_cast<unsigned char>(text[i]) < 0x80 ? (fontHeight + 1) / 2 : fontHeight;
    }
    return width;
}

void imageSize(const TreeData& tree, int& width, int& height) {
    width = height = 0;
    WsImageInfo info{};
    if (tree.imageList && WsImageListGetImageInfo(tree.imageList, 0, &info)) {
        width = info.width;
        height = info.height;
    }
}

std::vector<std::uint64_t>* siblingsOf(TreeData& tree, std::uint64_t parent) {
    if (parent == 0) return &tree.roots;
    auto it = tree.nodes.find(parent);
    return it == tree.nodes.end() ? nullptr : &it->second.children;
}

void eraseSubtree(TreeData& tree, std::uint64_t id) {
    std::vector<std::uint64_t> pending{id};
    while (!pending.empty()) {
        const std::uint64_t next = pending.back();
        pending.pop_back();
        auto it = tree.nodes.find(next);
        if (it == tree.nodes.end()) continue;
        pending.insert(pending.end(), it->second.children.begin(), it->second.children.end());
        if (tree.selected == next) tree.selected = 0;
        tree.nodes.erase(it);
    }
}

WsLResult insertItem(Window& w, const WsTvInsert* insert) {
    if (!insert) return 0;
    TreeData& tree = treeOf(w);
    const std::uint64_t parent =
        insert->parent == nullptr || insert->parent == WS_TVI_ROOT ? 0 : treeId(insert->parent);
    std::vector<std::uint64_t>* siblings = siblingsOf(tree, parent);
    if (!siblings) return 0;
    auto at = siblings->end();
    if (insert->insertAfter == WS_TVI_FIRST) {
        at = siblings->begin();
    } else if (insert->insertAfter != WS_TVI_LAST && insert->insertAfter != nullptr) {
        at = std::find(siblings->begin(), siblings->end(), treeId(insert->insertAfter));
        if (at == siblings->end()) return 0;
        ++at;
    }
    TreeNode node;
    node.id = tree.nextId++;
    node.parent = parent;
    node.text = insert->text ? insert->text : "";
    node.image = insert->image;
    node.selectedImage = insert->selectedImage;
    node.param = insert->param;
    siblings->insert(at, node.id);
    const std::uint64_t id = node.id;
    tree.nodes.emplace(id, std::move(node));
    return reinterpret_cast<WsLResult>(treeHandle(id));
}

WsLResult deleteItem(Window& w, WsTreeItem item) {
    TreeData& tree = treeOf(w);
    if (item == WS_TVI_ROOT || item == nullptr) {
        tree.nodes.clear();
        tree.roots.clear();
        tree.selected = 0;
        return 1;
    }
    auto it = tree.nodes.find(treeId(item));
    if (it == tree.nodes.end()) return 0;
    if (std::vector<std::uint64_t>* siblings = siblingsOf(tree, it->second.parent))
        std::erase(*siblings, it->first);
    eraseSubtree(tree, treeId(item));
    return 1;
}

WsLResult expand(Window& w, WsWParam how, WsTreeItem item) {
    TreeData& tree = treeOf(w);
    auto it = tree.nodes.find(treeId(item));
    if (it == tree.nodes.end()) return 0;
    bool& expanded = it->second.expanded;
    if (how == WS_TVE_EXPAND)
        expanded = true;
    else if (how == WS_TVE_COLLAPSE)
        expanded = false;
    else if (how == WS_TVE_TOGGLE)
        expanded = !expanded;
    else
        return 0;
    return 1;
}

WsLResult getItem(Window& w, WsTvItem* out) {
    if (!out) return 0;
    TreeData& tree = treeOf(w);
    auto it = tree.nodes.find(treeId(out->item));
    if (it == tree.nodes.end()) return 0;
    const TreeNode& node = it->second;
    if (out->text && out->textSize > 0) {
        const std::size_t n = utf8::prefixBytes(node.text, node.text.size(), out->textSize - 1);
        std::memcpy(out->text, node.text.data(), n);
        out->text[n] = '\0';
    }
    out->image = node.image;
    out->selectedImage = node.selectedImage;
    out->param = node.param;
    out->expanded = node.expanded ? 1 : 0;
    out->childCount = static_cast<int>(node.children.size());
    return 1;
}

WsLResult nextItem(Window& w, WsWParam relation, WsTreeItem item) {
    TreeData& tree = treeOf(w);
    if (relation == WS_TVGN_ROOT)
        return tree.roots.empty() ? 0 : reinterpret_cast<WsLResult>(treeHandle(tree.roots.front()));
    if (relation == WS_TVGN_CARET)
        return tree.selected ? reinterpret_cast<WsLResult>(treeHandle(tree.selected)) : 0;
    auto it = tree.nodes.find(treeId(item));
    if (it == tree.nodes.end()) return 0;
    const TreeNode& node = it->second;
    std::uint64_t found = 0;
    if (relation == WS_TVGN_PARENT) {
        found = node.parent;
    } else if (relation == WS_TVGN_CHILD) {
        found = node.children.empty() ? 0 : node.children.front();
    } else if (relation == WS_TVGN_NEXT || relation == WS_TVGN_PREVIOUS) {
        const std::vector<std::uint64_t>* siblings = siblingsOf(tree, node.parent);
        auto at = std::find(siblings->begin(), siblings->end(), node.id);
        if (relation == WS_TVGN_NEXT && std::next(at) != siblings->end()) found = *std::next(at);
        if (relation == WS_TVGN_PREVIOUS && at != siblings->begin()) found = *std::prev(at);
    }
    return found ? reinterpret_cast<WsLResult>(treeHandle(found)) : 0;
}

bool inside(const WsRect& r, WsPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

WsTreeItem hitTest(const Window& w, WsTvHitTestInfo* info) {
    if (!info) return nullptr;
    info->item = nullptr;
    info->flags = 0;
    const WsPoint p = info->pt;
    if (p.x < 0) info->flags |= WS_TVHT_TOLEFT;
    if (p.x >= w.width) info->flags |= WS_TVHT_TORIGHT;
    if (p.y < 0) info->flags |= WS_TVHT_ABOVE;
    if (p.y >= w.height) info->flags |= WS_TVHT_BELOW;
    if (info->flags) return nullptr;
    for (const TreeRow& row : treeRows(w)) {
        if (p.y < row.row.top || p.y >= row.row.bottom) continue;
        info->item = treeHandle(row.id);
        if (inside(row.button, p))
            info->flags = WS_TVHT_ONITEMBUTTON;
        else if (inside(row.icon, p))
            info->flags = WS_TVHT_ONITEMICON;
        else if (inside(row.label, p))
            info->flags = WS_TVHT_ONITEMLABEL;
        else if (p.x >= row.label.right)
            info->flags = WS_TVHT_ONITEMRIGHT;
        else
            info->flags = WS_TVHT_ONITEMINDENT;
        return info->item;
    }
    info->flags = WS_TVHT_NOWHERE;
    return nullptr;
}

// A press of the left button: the expand button opens or closes the item, an item is
// selected, and the parent hears of the click.
WsLResult press(WsWindow window, WsLParam lParam) {
    Window* w = findWindow(window);
    if (!w || !w->enabled) return 0;
    WsTvHitTestInfo info{};
    info.pt = {static_cast<std::int16_t>(WS_LOWORD(lParam)),
               static_cast<std::int16_t>(WS_HIWORD(lParam))};
    hitTest(*w, &info);
    if (info.item && w->tree) {
        auto it = w->tree->nodes.find(treeId(info.item));
        if (info.flags == WS_TVHT_ONITEMBUTTON)
            it->second.expanded = !it->second.expanded;
        else if (info.flags & (WS_TVHT_ONITEM | WS_TVHT_ONITEMRIGHT))
            w->tree->selected = it->first;
    }
    WsSetFocus(window);
    w = findWindow(window);
    if (!w || !w->parent) return 0;
    WsNmHdr header{window, w->id, WS_NM_CLICK};
    WsSendMessage(w->parent, WS_NOTIFY, static_cast<WsWParam>(w->id),
                  reinterpret_cast<WsLParam>(&header));
    return 0;
}

} // namespace

void TreeDataDeleter::operator()(TreeData* tree) const {
    delete tree;
}

std::vector<std::pair<std::uint64_t, int>> treeItems(const TreeData& tree) {
    std::vector<std::pair<std::uint64_t, int>> out;
    std::vector<std::pair<std::uint64_t, int>> pending;
    for (auto it = tree.roots.rbegin(); it != tree.roots.rend(); ++it)
        pending.emplace_back(*it, 0);
    while (!pending.empty()) {
        const auto [id, level] = pending.back();
        pending.pop_back();
        out.emplace_back(id, level);
        const TreeNode& node = tree.nodes.at(id);
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
            pending.emplace_back(*it, level + 1);
    }
    return out;
}

std::vector<TreeRow> treeRows(const Window& w) {
    std::vector<TreeRow> rows;
    if (!w.tree) return rows;
    const TreeData& tree = *w.tree;
    int imageWidth = 0, imageHeight = 0;
    imageSize(tree, imageWidth, imageHeight);
    const int fontHeight = fontPixelHeight(w);
    const int rowHeight = std::max({16, fontHeight + 4, imageHeight + 2});
    const bool linesAtRoot = (w.style & WS_TVS_LINESATROOT) != 0;
    // Pre-order over the items whose parents are all expanded.
    std::vector<std::pair<std::uint64_t, int>> pending;
    for (auto it = tree.roots.rbegin(); it != tree.roots.rend(); ++it)
        pending.emplace_back(*it, 0);
    while (!pending.empty()) {
        const auto [id, level] = pending.back();
        pending.pop_back();
        const TreeNode& node = tree.nodes.at(id);
        TreeRow row;
        row.id = id;
        row.level = level;
        const int top = static_cast<int>(rows.size()) * rowHeight;
        row.row = {0, top, std::max(w.width, 0), top + rowHeight};
        const int content = (level + (linesAtRoot ? 1 : 0)) * kIndent;
        if (hasButtons(w) && content >= kIndent && !node.children.empty())
            row.button = {content - kIndent, top, content, top + rowHeight};
        int labelLeft = content;
        if (imageWidth > 0) {
            row.icon = {content, top, content + imageWidth, top + rowHeight};
            labelLeft = content + imageWidth + 3;
        }
        row.label = {labelLeft, top, labelLeft + labelWidth(node.text, fontHeight),
                     top + rowHeight};
        rows.push_back(row);
        if (node.expanded)
            for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
                pending.emplace_back(*it, level + 1);
    }
    return rows;
}

WsLResult treeViewProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    Window* w = findWindow(window);
    if (!w) return 0;
    switch (message) {
    case WS_TVM_INSERTITEM:
        return insertItem(*w, reinterpret_cast<const WsTvInsert*>(lParam));
    case WS_TVM_DELETEITEM:
        return deleteItem(*w, reinterpret_cast<WsTreeItem>(lParam));
    case WS_TVM_EXPAND:
        return expand(*w, wParam, reinterpret_cast<WsTreeItem>(lParam));
    case WS_TVM_GETITEM:
        return getItem(*w, reinterpret_cast<WsTvItem*>(lParam));
    case WS_TVM_GETNEXTITEM:
        return nextItem(*w, wParam, reinterpret_cast<WsTreeItem>(lParam));
    case WS_TVM_GETCOUNT:
        return w->tree ? static_cast<WsLResult>(w->tree->nodes.size()) : 0;
    case WS_TVM_SETIMAGELIST:
        return reinterpret_cast<WsLResult>(
            std::exchange(treeOf(*w).imageList, reinterpret_cast<WsImageList>(lParam)));
    case WS_TVM_GETIMAGELIST:
        return reinterpret_cast<WsLResult>(w->tree ? w->tree->imageList : nullptr);
    case WS_TVM_SELECTITEM: {
        TreeData& tree = treeOf(*w);
        const std::uint64_t id = treeId(reinterpret_cast<WsTreeItem>(lParam));
        if (id != 0 && !tree.nodes.count(id)) return 0;
        tree.selected = id;
        return 1;
    }
    case WS_TVM_GETITEMRECT: {
        auto* out = reinterpret_cast<WsTvItemRect*>(lParam);
        if (!out) return 0;
        for (const TreeRow& row : treeRows(*w))
            if (row.id == treeId(out->item)) {
                out->rect = wParam ? row.label : row.row;
                return 1;
            }
        return 0;
    }
    case WS_TVM_HITTEST:
        return reinterpret_cast<WsLResult>(hitTest(*w, reinterpret_cast<WsTvHitTestInfo*>(lParam)));
    case WS_LBUTTONDOWN:
        return press(window, lParam);
    default:
        return WsDefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace ws
