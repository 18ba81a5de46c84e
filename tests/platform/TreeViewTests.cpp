// The tree view's scrolling: the scroll bars, the wheel, the keys and bringing an item into
// view, each kept within the rows there are.
#include "TestSupport.h"

#include <string>
#include <vector>

namespace {

class TreeScroll : public ::testing::Test {
protected:
    void SetUp() override {
        frame = WsCreateWindow("FRAME", "frame", 0, 0, 0, 400, 400, nullptr, 0, nullptr);
        tree = WsCreateWindow("TREEVIEW", "", WS_TVS_HASBUTTONS, 0, 0, 100, 100, frame, 7, nullptr);
        ASSERT_TRUE(tree);
        WsTreeItem first = add(nullptr, "probe");
        rowHeight = rect(first).bottom - rect(first).top;
        ASSERT_GT(rowHeight, 0);
        WsSendMessage(tree, WS_TVM_DELETEITEM, 0, reinterpret_cast<WsLParam>(WS_TVI_ROOT));
        // Four whole rows and half of a fifth.
        WsMoveWindow(tree, 0, 0, 100, 4 * rowHeight + rowHeight / 2);
    }
    void TearDown() override { WsDestroyWindow(frame); }

    WsTreeItem add(WsTreeItem parent, const std::string& text) {
        WsTvInsert insert{};
        insert.parent = parent ? parent : WS_TVI_ROOT;
        insert.insertAfter = WS_TVI_LAST;
        insert.text = text.c_str();
        return reinterpret_cast<WsTreeItem>(
            WsSendMessage(tree, WS_TVM_INSERTITEM, 0, reinterpret_cast<WsLParam>(&insert)));
    }
    std::vector<WsTreeItem> addMany(int count) {
        std::vector<WsTreeItem> items;
        for (int i = 0; i < count; ++i)
            items.push_back(add(nullptr, "item " + std::to_string(i)));
        return items;
    }
    WsRect rect(WsTreeItem item, bool label = false) {
        WsTvItemRect r{item, {}};
        EXPECT_TRUE(
            WsSendMessage(tree, WS_TVM_GETITEMRECT, label ? 1 : 0, reinterpret_cast<WsLParam>(&r)));
        return r.rect;
    }
    int pos(int bar = WS_SB_VERT) {
        WsScrollInfo info{};
        EXPECT_TRUE(WsGetScrollInfo(tree, bar, &info));
        return info.pos;
    }
    WsLResult send(uint32_t message, WsWParam wParam, WsLParam lParam = 0) {
        return WsSendMessage(tree, message, wParam, lParam);
    }
    WsLResult send(uint32_t message, WsWParam wParam, WsTreeItem item) {
        return WsSendMessage(tree, message, wParam, reinterpret_cast<WsLParam>(item));
    }
    WsTreeItem next(WsWParam relation, WsTreeItem item = nullptr) {
        return reinterpret_cast<WsTreeItem>(send(WS_TVM_GETNEXTITEM, relation, item));
    }
    WsTreeItem hit(int x, int y) {
        WsTvHitTestInfo info{};
        info.pt = {x, y};
        return reinterpret_cast<WsTreeItem>(
            send(WS_TVM_HITTEST, 0, reinterpret_cast<WsLParam>(&info)));
    }
    int height() {
        WsRect r{};
        WsGetClientRect(tree, &r);
        return r.bottom;
    }

    WsWindow frame = nullptr;
    WsWindow tree = nullptr;
    int rowHeight = 0;
};

TEST_F(TreeScroll, BarsAndWheelMoveTheRowsWithinTheirRange) {
    const std::vector<WsTreeItem> items = addMany(300);
    WsScrollInfo info{};
    ASSERT_TRUE(WsGetScrollInfo(tree, WS_SB_VERT, &info));
    EXPECT_EQ(info.max, 299);
    EXPECT_EQ(info.page, 4);
    EXPECT_EQ(send(WS_TVM_GETVISIBLECOUNT, 0), 4);
    // Row 200 lies below the window: nothing there can be hit.
    EXPECT_GE(rect(items[200]).top, height());
    struct Step {
        uint32_t message;
        int code;
        int thumb;
        int top;
    };
    const std::vector<Step> steps = {
        {WS_VSCROLL, WS_SB_LINEDOWN, 0, 1},
        {WS_VSCROLL, WS_SB_PAGEDOWN, 0, 5},
        {WS_MOUSEWHEEL, 0, -WS_WHEEL_DELTA, 8},
        {WS_MOUSEWHEEL, 0, 2 * WS_WHEEL_DELTA, 2},
        {WS_VSCROLL, WS_SB_THUMBPOSITION, 198, 198},
        {WS_VSCROLL, WS_SB_BOTTOM, 0, 296},
        {WS_VSCROLL, WS_SB_LINEDOWN, 0, 296},
        {WS_MOUSEWHEEL, 0, -WS_WHEEL_DELTA, 296},
        {WS_VSCROLL, WS_SB_TOP, 0, 0},
        {WS_VSCROLL, WS_SB_LINEUP, 0, 0},
        {WS_VSCROLL, WS_SB_THUMBTRACK, 198, 198},
    };
    for (const Step& step : steps) {
        send(step.message, WS_MAKEWPARAM(step.code, step.thumb));
        EXPECT_EQ(pos(), step.top) << step.message << " " << step.code << " " << step.thumb;
        EXPECT_EQ(next(WS_TVGN_FIRSTVISIBLE), items[static_cast<std::size_t>(step.top)]);
    }
    // At 198, row 200 is the third row and a click there finds it.
    EXPECT_EQ(rect(items[200]).top, 2 * rowHeight);
    EXPECT_EQ(hit(5, 2 * rowHeight + 1), items[200]);
    // A click on the half-shown bottom row selects it without scrolling under the pointer.
    const WsPoint bottom{20, 4 * rowHeight + 2};
    send(WS_LBUTTONDOWN, 0, static_cast<WsLParam>(WS_MAKEWPARAM(bottom.x, bottom.y)));
    EXPECT_EQ(next(WS_TVGN_CARET), items[202]);
    EXPECT_EQ(pos(), 198);
    // Made taller at the bottom of the range, the tree shows no space below its last row.
    send(WS_VSCROLL, WS_MAKEWPARAM(WS_SB_BOTTOM, 0));
    WsMoveWindow(tree, 0, 0, 100, 10 * rowHeight);
    EXPECT_EQ(pos(), 290);
    EXPECT_EQ(rect(items[299]).bottom, height());
}

TEST_F(TreeScroll, EnsureVisibleOpensTheParentsAndScrollsTheFewestRowsAndToTheSide) {
    const std::vector<WsTreeItem> top = addMany(20);
    std::vector<WsTreeItem> chain{top[10]};
    for (int depth = 1; depth <= 30; ++depth)
        chain.push_back(add(chain.back(), "level " + std::to_string(depth)));
    // Parents opened: not a plain scroll.
    EXPECT_EQ(send(WS_TVM_ENSUREVISIBLE, 0, chain.back()), 0);
    for (std::size_t k = 0; k + 1 < chain.size(); ++k) {
        WsTvItem item{chain[k], nullptr, 0, 0, 0, 0, 0, 0};
        send(WS_TVM_GETITEM, 0, reinterpret_cast<WsLParam>(&item));
        EXPECT_TRUE(item.expanded) << k;
    }
    // The deepest row is the bottom whole row, its label starting inside the window.
    const WsRect row = rect(chain.back());
    EXPECT_LE(row.bottom, height());
    EXPECT_GT(row.bottom, height() - rowHeight);
    const WsRect label = rect(chain.back(), true);
    EXPECT_GT(pos(WS_SB_HORZ), 0);
    EXPECT_GE(label.left, 0);
    EXPECT_LT(label.left, 100);
    EXPECT_EQ(hit(label.left + 1, row.top + 1), chain.back());
    // Already in view: nothing moves.
    EXPECT_EQ(send(WS_TVM_ENSUREVISIBLE, 0, chain.back()), 0);
    // An item above comes in at the top, back at the left.
    EXPECT_EQ(send(WS_TVM_ENSUREVISIBLE, 0, top[2]), 1);
    EXPECT_EQ(rect(top[2]).top, 0);
    EXPECT_EQ(pos(WS_SB_HORZ), 0);
    // The horizontal bar reaches the deepest label's end and no further.
    send(WS_TVM_ENSUREVISIBLE, 0, chain.back());
    send(WS_HSCROLL, WS_MAKEWPARAM(WS_SB_BOTTOM, 0));
    EXPECT_EQ(rect(chain.back(), true).right, 100);
    WsScrollInfo none{};
    EXPECT_FALSE(WsGetScrollInfo(frame, WS_SB_VERT, &none));
}

TEST_F(TreeScroll, KeysMoveTheSelectionAndBringItIntoView) {
    const std::vector<WsTreeItem> items = addMany(30);
    const WsTreeItem child = add(items[29], "child");
    send(WS_TVM_SELECTITEM, WS_TVGN_CARET, items[0]);
    struct Key {
        WsWParam key;
        WsTreeItem selected;
        int top;
    };
    const std::vector<Key> keys = {
        {WS_VK_DOWN, items[1], 0},    {WS_VK_NEXT, items[4], 1},   {WS_VK_END, items[29], 26},
        {WS_VK_RIGHT, items[29], 26}, // opens it
        {WS_VK_RIGHT, child, 27},     {WS_VK_LEFT, items[29], 27}, {WS_VK_LEFT, items[29], 26},
        {WS_VK_HOME, items[0], 0},    {WS_VK_UP, items[0], 0},     {WS_VK_PRIOR, items[0], 0},
    };
    for (const Key& k : keys) {
        send(WS_KEYDOWN, k.key);
        EXPECT_EQ(next(WS_TVGN_CARET), k.selected) << k.key;
        EXPECT_EQ(pos(), k.top) << k.key;
    }
    // Closing an item with the selection inside selects the item.
    send(WS_TVM_EXPAND, WS_TVE_EXPAND, items[29]);
    send(WS_TVM_SELECTITEM, WS_TVGN_CARET, child);
    send(WS_TVM_EXPAND, WS_TVE_COLLAPSE, items[29]);
    EXPECT_EQ(next(WS_TVGN_CARET), items[29]);
}

} // namespace
