// TREEVIEW: items in a hierarchy with expand buttons, icons from an image list and labels;
// hit-testing, a click that tells the parent (WS_NOTIFY, NM_CLICK), and rows that scroll
// with the scroll bars, the wheel and the keyboard. Item handles are numbers never reused,
// so a handle of a deleted item is refused.
#include "controls/TreeView.h"

#include "Guard.h"
#include "Utf8.h"
#include "platform/UserAgent.h"

#include <algorithm>
#include <cstring>

namespace ws {
namespace {

constexpr int kIndent = 19;
// Pixels of one step of the horizontal scroll bar's arrows.
constexpr int kLinePixels = 8;
// Rows one notch of the wheel scrolls, the system's default.
constexpr int kWheelLines = 3;

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

// Calls visit(id, level, node) for the items in pre-order; an item's children are visited
// when visit returns true for it.
template <class Visit> void walkPreOrder(const TreeData& tree, Visit visit) {
    std::vector<std::pair<std::uint64_t, int>> pending;
    for (auto it = tree.roots.rbegin(); it != tree.roots.rend(); ++it)
        pending.emplace_back(*it, 0);
    while (!pending.empty()) {
        const auto [id, level] = pending.back();
        pending.pop_back();
        const TreeNode& node = tree.nodes.at(id);
        if (visit(id, level, node))
            for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
                pending.emplace_back(*it, level + 1);
    }
}

int rowHeightOf(const Window& w) {
    int imageWidth = 0, imageHeight = 0;
    imageSize(*w.tree, imageWidth, imageHeight);
    return std::max({16, fontPixelHeight(w) + 4, imageHeight + 2});
}

// The rows with the row `top` at the top of the window and the content moved scrollX
// pixels to the left.
std::vector<TreeRow> layoutRows(const Window& w, int top, int scrollX) {
    std::vector<TreeRow> rows;
    if (!w.tree) return rows;
    const TreeData& tree = *w.tree;
    int imageWidth = 0, imageHeight = 0;
    imageSize(tree, imageWidth, imageHeight);
    const int fontHeight = fontPixelHeight(w);
    const int rowHeight = rowHeightOf(w);
    const bool linesAtRoot = (w.style & WS_TVS_LINESATROOT) != 0;
    // The items whose parents are all expanded.
    walkPreOrder(tree, [&](std::uint64_t id, int level, const TreeNode& node) {
        TreeRow row;
        row.id = id;
        row.level = level;
        const int y = (static_cast<int>(rows.size()) - top) * rowHeight;
        row.row = {0, y, std::max(w.width, 0), y + rowHeight};
        const int content = (level + (linesAtRoot ? 1 : 0)) * kIndent - scrollX;
        if (hasButtons(w) && content + scrollX >= kIndent && !node.children.empty())
            row.button = {content - kIndent, y, content, y + rowHeight};
        int labelLeft = content;
        if (imageWidth > 0) {
            row.icon = {content, y, content + imageWidth, y + rowHeight};
            labelLeft = content + imageWidth + 3;
        }
        row.label = {labelLeft, y, labelLeft + labelWidth(node.text, fontHeight), y + rowHeight};
        rows.push_back(row);
        return node.expanded;
    });
    return rows;
}

// The rows that fit whole in the window; at least one, so a window lower than a row still
// shows one at a time.
int pageRows(const Window& w) {
    return std::max(1, std::max(w.height, 0) / rowHeightOf(w));
}

struct ScrollRange {
    int lastTop = 0;
    int maxX = 0;
};

ScrollRange scrollRange(const Window& w) {
    ScrollRange range;
    const std::vector<TreeRow> rows = layoutRows(w, 0, 0);
    range.lastTop = std::max(0, static_cast<int>(rows.size()) - pageRows(w));
    int width = 0;
    for (const TreeRow& row : rows)
        width = std::max(width, row.label.right);
    range.maxX = std::max(0, width - std::max(w.width, 0));
    return range;
}

// Scrolls to (top, x) as far as the rows allow; true when anything moved.
bool scrollTo(Window& w, int top, int x) {
    TreeData& tree = treeOf(w);
    const ScrollRange range = scrollRange(w);
    top = std::clamp(top, 0, range.lastTop);
    x = std::clamp(x, 0, range.maxX);
    const bool moved = top != tree.topRow || x != tree.scrollX;
    tree.topRow = top;
    tree.scrollX = x;
    return moved;
}

void keepScrollInRange(Window& w) {
    if (w.tree) scrollTo(w, w.tree->topRow, w.tree->scrollX);
}

// Opens every item above id; true when one was closed.
bool expandParents(TreeData& tree, std::uint64_t id) {
    bool opened = false;
    for (std::uint64_t p = tree.nodes.at(id).parent; p != 0; p = tree.nodes.at(p).parent) {
        TreeNode& parent = tree.nodes.at(p);
        opened = opened || !parent.expanded;
        parent.expanded = true;
    }
    return opened;
}

// Opens the item's parents and scrolls the fewest rows that show its row whole, and to the
// side when its label starts outside the window. Non-zero when it scrolled and opened
// nothing, as the system's tree view answers.
WsLResult ensureVisible(Window& w, std::uint64_t id) {
    TreeData& tree = treeOf(w);
    if (!tree.nodes.count(id)) return 0;
    const bool opened = expandParents(tree, id);
    const std::vector<TreeRow> rows = layoutRows(w, 0, 0);
    int index = 0;
    while (index < static_cast<int>(rows.size()) && rows[static_cast<std::size_t>(index)].id != id)
        ++index;
    int top = tree.topRow;
    if (index < top)
        top = index;
    else if (index >= top + pageRows(w))
        top = index - pageRows(w) + 1;
    int x = tree.scrollX;
    const TreeRow& row = rows[static_cast<std::size_t>(index)];
    const int start = row.icon.right > row.icon.left ? row.icon.left : row.label.left;
    if (start < x || start >= x + std::max(w.width, 0)) x = std::max(0, start - kIndent);
    const bool moved = scrollTo(w, top, x);
    return moved && !opened ? 1 : 0;
}

bool isAncestor(const TreeData& tree, std::uint64_t ancestor, std::uint64_t id) {
    for (std::uint64_t p = id == 0 ? 0 : tree.nodes.at(id).parent; p != 0;
         p = tree.nodes.at(p).parent)
        if (p == ancestor) return true;
    return false;
}

WsLResult scrollBar(Window& w, bool vertical, WsWParam wParam) {
    TreeData& tree = treeOf(w);
    const int code = WS_LOWORD(wParam);
    const int thumb = WS_HIWORD(wParam);
    const ScrollRange range = scrollRange(w);
    const int line = vertical ? 1 : kLinePixels;
    const int page = vertical ? pageRows(w) : std::max(w.width, 1);
    int pos = vertical ? tree.topRow : tree.scrollX;
    switch (code) {
    case WS_SB_LINEUP:
        pos -= line;
        break;
    case WS_SB_LINEDOWN:
        pos += line;
        break;
    case WS_SB_PAGEUP:
        pos -= page;
        break;
    case WS_SB_PAGEDOWN:
        pos += page;
        break;
    case WS_SB_THUMBPOSITION:
    case WS_SB_THUMBTRACK:
        pos = thumb;
        break;
    case WS_SB_TOP:
        pos = 0;
        break;
    case WS_SB_BOTTOM:
        pos = vertical ? range.lastTop : range.maxX;
        break;
    default:
        return 0;
    }
    if (vertical)
        scrollTo(w, pos, tree.scrollX);
    else
        scrollTo(w, tree.topRow, pos);
    return 0;
}

WsLResult wheel(Window& w, WsWParam wParam) {
    const int turn = static_cast<std::int16_t>(WS_HIWORD(wParam));
    const int lines = turn * kWheelLines / WS_WHEEL_DELTA;
    scrollTo(w, treeOf(w).topRow - lines, treeOf(w).scrollX);
    return 0;
}

// The keys move the selection from row to row, a page at a time, or to either end; Left
// closes an open item or goes to its parent, Right opens a closed one or goes to its first
// child. The new selection is brought into view.
WsLResult keyDown(Window& w, WsWParam key) {
    TreeData& tree = treeOf(w);
    const std::vector<TreeRow> rows = layoutRows(w, 0, 0);
    if (rows.empty()) return 0;
    const int last = static_cast<int>(rows.size()) - 1;
    int at = -1;
    for (int i = 0; i <= last; ++i)
        if (rows[static_cast<std::size_t>(i)].id == tree.selected) at = i;
    const int page = std::max(1, pageRows(w) - 1);
    std::uint64_t next = 0;
    if (at < 0) {
        next = rows[static_cast<std::size_t>(std::min(tree.topRow, last))].id;
    } else {
        TreeNode& node = tree.nodes.at(tree.selected);
        int to = at;
        switch (key) {
        case WS_VK_UP:
            to = at - 1;
            break;
        case WS_VK_DOWN:
            to = at + 1;
            break;
        case WS_VK_PRIOR:
            to = at - page;
            break;
        case WS_VK_NEXT:
            to = at + page;
            break;
        case WS_VK_HOME:
            to = 0;
            break;
        case WS_VK_END:
            to = last;
            break;
        case WS_VK_LEFT:
            if (node.expanded && !node.children.empty()) {
                node.expanded = false;
                keepScrollInRange(w);
                return 0;
            }
            next = node.parent;
            break;
        case WS_VK_RIGHT:
            if (!node.children.empty() && !node.expanded) {
                node.expanded = true;
                return 0;
            }
            next = node.children.empty() ? 0 : node.children.front();
            break;
        default:
            return 0;
        }
        if (key != WS_VK_LEFT && key != WS_VK_RIGHT)
            next = rows[static_cast<std::size_t>(std::clamp(to, 0, last))].id;
    }
    if (next == 0) return 0;
    tree.selected = next;
    ensureVisible(w, next);
    return 0;
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
        tree.topRow = tree.scrollX = 0;
        return 1;
    }
    auto it = tree.nodes.find(treeId(item));
    if (it == tree.nodes.end()) return 0;
    if (std::vector<std::uint64_t>* siblings = siblingsOf(tree, it->second.parent))
        std::erase(*siblings, it->first);
    eraseSubtree(tree, treeId(item));
    keepScrollInRange(w);
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
    // The selection does not stay hidden inside a closed item.
    if (!expanded && isAncestor(tree, it->first, tree.selected)) tree.selected = it->first;
    keepScrollInRange(w);
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
    if (relation == WS_TVGN_FIRSTVISIBLE || relation == WS_TVGN_LASTVISIBLE ||
        relation == WS_TVGN_NEXTVISIBLE || relation == WS_TVGN_PREVIOUSVISIBLE) {
        const std::vector<TreeRow> rows = layoutRows(w, 0, 0);
        const int count = static_cast<int>(rows.size());
        int at = -1;
        if (relation == WS_TVGN_FIRSTVISIBLE) {
            at = tree.topRow;
        } else if (relation == WS_TVGN_LASTVISIBLE) {
            at = count - 1;
        } else {
            for (int i = 0; i < count; ++i)
                if (rows[static_cast<std::size_t>(i)].id == treeId(item))
                    at = relation == WS_TVGN_NEXTVISIBLE ? i + 1 : i - 1;
        }
        return at >= 0 && at < count
                   ? reinterpret_cast<WsLResult>(treeHandle(rows[static_cast<std::size_t>(at)].id))
                   : 0;
    }
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
    walkPreOrder(tree, [&](std::uint64_t id, int level, const TreeNode&) {
        out.emplace_back(id, level);
        return true;
    });
    return out;
}

std::vector<TreeRow> treeRows(const Window& w) {
    return w.tree ? layoutRows(w, w.tree->topRow, w.tree->scrollX) : std::vector<TreeRow>{};
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
        if (wParam == WS_TVGN_FIRSTVISIBLE) {
            if (id == 0) return 0;
            expandParents(tree, id);
            const std::vector<TreeRow> rows = layoutRows(*w, 0, 0);
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (rows[i].id == id) scrollTo(*w, static_cast<int>(i), tree.scrollX);
            return 1;
        }
        tree.selected = id;
        if (id != 0) ensureVisible(*w, id);
        return 1;
    }
    case WS_TVM_ENSUREVISIBLE:
        return ensureVisible(*w, treeId(reinterpret_cast<WsTreeItem>(lParam)));
    case WS_TVM_GETVISIBLECOUNT:
        return pageRows(*w);
    case WS_VSCROLL:
    case WS_HSCROLL:
        return scrollBar(*w, message == WS_VSCROLL, wParam);
    case WS_MOUSEWHEEL:
        return wheel(*w, wParam);
    case WS_KEYDOWN:
        return keyDown(*w, wParam);
    case WS_SIZE: {
        keepScrollInRange(*w);
        return WsDefWindowProc(window, message, wParam, lParam);
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

extern "C" {

WS_API int WsGetScrollInfo(WsWindow window, int bar, WsScrollInfo* info) {
    using namespace ws;
    Window* w = findWindow(window);
    if (!w || !info || controlKindOf(*w) != ControlKind::TreeView ||
        (bar != WS_SB_VERT && bar != WS_SB_HORZ))
        return 0;
    TreeData& tree = treeOf(*w);
    const std::vector<TreeRow> rows = layoutRows(*w, 0, 0);
    info->min = 0;
    if (bar == WS_SB_VERT) {
        info->max = std::max(0, static_cast<int>(rows.size()) - 1);
        info->page = pageRows(*w);
        info->pos = tree.topRow;
    } else {
        int width = 0;
        for (const TreeRow& row : rows)
            width = std::max(width, row.label.right);
        info->max = std::max(0, width - 1);
        info->page = std::max(w->width, 0);
        info->pos = tree.scrollX;
    }
    return 1;
}

} // extern "C"
