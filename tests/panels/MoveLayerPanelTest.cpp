// The move-between-layers panel through the loaded module: the tree a refresh builds, a
// click on a layer with and without the group option, and what the tree allows while
// documents open, switch and close.
#include "PanelFixture.h"

#include "host/docsuites/DocumentSession.h"

namespace paneltest {
namespace {

class MovePanel : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        OpenSession(SampleMap());
        StartModule();
        // Tall enough to show every layer without scrolling.
        ASSERT_TRUE(Panel(kMoveTitle).resize(240, 400));
        Click(kMoveTitle, kRefresh);
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> out;
        for (const ws::TreeItemInfo& item : Tree().tree)
            if (item.shown)
                out.push_back(std::string(static_cast<std::size_t>(item.level), '.') + item.text);
        return out;
    }
    std::vector<std::string> ChildrenOf(const std::string& layer) {
        return Children(*FindLayer(doc(), layer)->group());
    }
    void GroupOption(bool on) { ASSERT_TRUE(Panel(kMoveTitle).tick(on)); }
};

TEST_F(MovePanel, RefreshShowsTheDocumentWithItsTopLevelLayersOpen) {
    EXPECT_EQ(Shown(), (std::vector<std::string>{"sample", ".Roads", ".Areas", ".Labels"}));
    const ws::ControlInfo tree = Tree();
    EXPECT_TRUE(tree.enabled);
    EXPECT_EQ(tree.tree[0].image, 2);
    EXPECT_EQ(tree.tree[1].image, 0);
    EXPECT_NE(tree.imageList, nullptr);
    EXPECT_EQ(WsImageListGetImageCount(tree.imageList), 3);
    // Sublayers, the hidden one too, are there once their parent is opened.
    Panel(kMoveTitle).clickTreeItem({"Areas", "Parks"}, WS_TVHT_ONITEMRIGHT);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"sample", ".Roads", ".Areas", "..Parks", "..Lakes",
                                                 ".Labels"}));
}

TEST_F(MovePanel, AClickWithNothingSelectedOnlyTellsTheUser) {
    ClickLayer({"Labels"});
    EXPECT_EQ(Messages(), (std::vector<std::string>{kNothingSelected}));
    EXPECT_EQ(ChildrenOf("Roads"), (std::vector<std::string>{"road1", "road2"}));
}

TEST_F(MovePanel, SelectedObjectsGoToTheBottomOfTheTargetAndThoseThereStay) {
    Select({"road2", "lake", "b"});
    ClickLayer({"Labels"}, WS_TVHT_ONITEMICON);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LayerOf(doc(), "road2"), "Labels");
    EXPECT_EQ(LayerOf(doc(), "lake"), "Labels");
    // b is already on Labels (inside the group pair): it stays in its group.
    EXPECT_EQ(Children(*FindArt(doc(), "pair")), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ChildrenOf("Labels"), (std::vector<std::string>{"pair", "town", "road2", "lake"}));
    // The work ran in the module's context, which is gone again; the focus is the host's.
    EXPECT_EQ(app().contexts().depth(), 0u);
    EXPECT_GT(app().contexts().pushes(), 0u);
    EXPECT_EQ(WsGetFocus(), app().mainWindow().get());
}

TEST_F(MovePanel, APartlySelectedGroupStaysAndItsSelectedMemberMoves) {
    Select({"a"});
    ClickLayer({"Roads"});
    EXPECT_EQ(Children(*FindArt(doc(), "pair")), (std::vector<std::string>{"b"}));
    EXPECT_EQ(ChildrenOf("Roads"), (std::vector<std::string>{"road1", "road2", "a"}));
    // A fully selected group moves as a whole.
    Select({"b"});
    ClickLayer({"Roads"});
    EXPECT_EQ(ChildrenOf("Roads"), (std::vector<std::string>{"road1", "road2", "a", "pair"}));
}

TEST_F(MovePanel, TheGroupOptionGroupsTwoOrMoreButNeverOne) {
    GroupOption(true);
    Select({"road1"});
    ClickLayer({"Labels"});
    EXPECT_EQ(ChildrenOf("Labels"), (std::vector<std::string>{"pair", "town", "road1"}));
    doc().deselectAll();
    Select({"road2", "area"});
    ClickLayer({"Labels"});
    const std::vector<std::string> labels = ChildrenOf("Labels");
    ASSERT_EQ(labels, (std::vector<std::string>{"pair", "town", "road1", "<group>"}));
    EXPECT_EQ(Children(*FindLayer(doc(), "Labels")->group()->lastChild()),
              (std::vector<std::string>{"road2", "area"}));
    // Only objects that are there already: the new group goes again.
    doc().deselectAll();
    Select({"town"});
    ClickLayer({"Labels"});
    EXPECT_EQ(ChildrenOf("Labels"), labels);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MovePanel, AHiddenOrLockedTargetTakesTheMoveAndKeepsItsState) {
    // The module names the target, so the host lets the art in; the one-object and
    // nothing-moved paths of the group option tidy up with the target opened for them.
    struct Case {
        bool group;
        std::vector<std::string> selection;
        std::vector<std::string> lakes; // children afterwards
    };
    const std::vector<Case> cases = {
        {false, {"road1"}, {"lake", "road1"}},
        {true, {"road1"}, {"lake", "road1"}},
        {true, {"road1", "road2"}, {"lake", "<group>"}},
        {true, {"lake"}, {"lake"}},
    };
    for (const Case& c : cases) {
        for (bool hide : {false, true}) {
            SCOPED_TRACE(std::string(c.group ? "group, " : "") + c.selection.front() + ", " +
                         std::to_string(c.selection.size()) + (hide ? ", hidden" : ", locked"));
            OpenSession(SampleMap());
            Click(kMoveTitle, kRefresh);
            host::Layer* lakes = FindLayer(doc(), "Lakes");
            GroupOption(c.group);
            const std::size_t messages = Messages().size();
            Select(c.selection);
            (hide ? lakes->visible : lakes->editable) = false;
            ClickLayer({"Areas", "Lakes"});

            EXPECT_EQ(Messages().size(), messages);
            EXPECT_EQ(Children(*lakes->group()), c.lakes);
            EXPECT_EQ(lakes->visible, !hide);
            EXPECT_EQ(lakes->editable, hide);
        }
    }
}

// Lakes itself is open, but the layer around it is not: nothing leaves it, and what the
// panel files into it leaves the selection, so the next click finds nothing selected
// instead of failing on it.
TEST_F(MovePanel, ASublayerOfAHiddenOrLockedLayerIsClosedLikeIt) {
    const auto lastMessage = [&] {
        const std::vector<std::string> shown = Messages();
        return shown.empty() ? std::string() : shown.back();
    };
    for (bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "hidden parent" : "locked parent");
        OpenSession(SampleMap());
        Click(kMoveTitle, kRefresh);
        host::Layer& areas = *FindLayer(doc(), "Areas");
        if (hide) {
            doc().setLayerVisible(areas, false);
        } else {
            doc().setLayerEditable(areas, false);
        }
        Select({"lake"});
        ClickLayer({"Roads"});
        EXPECT_EQ(LayerOf(doc(), "lake"), "Lakes");
        EXPECT_EQ(lastMessage(), kFailed);

        doc().deselectAll();
        Select({"road1"});
        const std::size_t messages = Messages().size();
        ClickLayer({"Areas", "Lakes"});
        EXPECT_EQ(Messages().size(), messages);
        EXPECT_EQ(LayerOf(doc(), "road1"), "Lakes");
        EXPECT_TRUE(doc().selectedArt().empty());
        ClickLayer({"Labels"});
        EXPECT_EQ(lastMessage(), kNothingSelected);
        EXPECT_EQ(LayerOf(doc(), "road1"), "Lakes");

        // The group option opens Lakes alone, which does not open it: the lone object stays
        // in its new group.
        GroupOption(true);
        Select({"road2"});
        ClickLayer({"Areas", "Lakes"});
        EXPECT_EQ(lastMessage(), kFailed);
        EXPECT_EQ(ChildrenOf("Lakes"), (std::vector<std::string>{"lake", "road1", "<group>"}));
        EXPECT_EQ(Children(*FindLayer(doc(), "Lakes")->group()->lastChild()),
                  (std::vector<std::string>{"road2"}));
        GroupOption(false);
    }
}

TEST_F(MovePanel, TheRootItemAndTheExpandButtonsMoveNothing) {
    Select({"road1"});
    ClickLayer({"sample"});
    const ws::ControlInfo tree = Tree();
    const ws::TreeItemInfo& areas = tree.tree[2];
    ASSERT_EQ(areas.text, "Areas");
    ASSERT_GT(areas.button.right, areas.button.left);
    const WsPoint button{(areas.button.left + areas.button.right) / 2,
                         (areas.button.top + areas.button.bottom) / 2};
    WsPoint screen = button;
    WsClientToScreen(tree.window, &screen);
    WsSetCursorPos(screen.x, screen.y);
    WsSendMessage(tree.window, WS_LBUTTONDOWN, 0,
                  static_cast<WsLParam>(WS_MAKEWPARAM(button.x, button.y)));
    app().idle();
    EXPECT_TRUE(Tree().tree[2].expanded);
    EXPECT_EQ(LayerOf(doc(), "road1"), "Roads");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MovePanel, TheTreeWorksOnlyOnTheDocumentItShows) {
    host::DocumentSession& other = OpenAnother(SampleMap("/maps/other.svg"));
    EXPECT_FALSE(Tree().enabled);
    EXPECT_FALSE(Panel(kMoveTitle).clickTreeItem({"Roads"}));
    Click(kMoveTitle, kRefresh);
    EXPECT_EQ(Tree().tree[0].text, "other");
    EXPECT_TRUE(Tree().enabled);
    // A third document: the tree is not its tree; switching back enables it again.
    OpenSession(SampleMap());
    EXPECT_FALSE(Tree().enabled);
    other.makeCurrent();
    EXPECT_TRUE(Tree().enabled);
    // The last document closes: nothing may be clicked.
    StopHost();
    StartHost();
    StartModule();
    OpenAnother(SampleMap());
    Click(kMoveTitle, kRefresh);
    EXPECT_TRUE(Tree().enabled);
    CloseOthers();
    EXPECT_FALSE(Tree().enabled);
}

TEST_F(MovePanel, ALayerDeletedSinceTheRefreshIsReported) {
    Select({"road1"});
    ASSERT_EQ(doc().deleteLayer(*FindLayer(doc(), "Labels")), kHostNoErr);
    ClickLayer({"Labels"});
    EXPECT_EQ(Messages(), (std::vector<std::string>{kLayerMissing}));
    EXPECT_EQ(LayerOf(doc(), "road1"), "Roads");
}

TEST_F(MovePanel, ClickingTheLabelFlipsTheBox) {
    Click(kMoveTitle, kGroupLabel);
    EXPECT_TRUE(Panel(kMoveTitle).control("#1002")->checked);
    Select({"road1", "road2"});
    ClickLayer({"Labels"});
    EXPECT_EQ(ChildrenOf("Labels"), (std::vector<std::string>{"pair", "town", "<group>"}));
    Click(kMoveTitle, kGroupLabel);
    EXPECT_FALSE(Panel(kMoveTitle).control("#1002")->checked);
}

TEST_F(MovePanel, LongNamesAreCutAtACharacterBoundary) {
    // 254 units and a character of two: the cut at 255 must not split it.
    FindLayer(doc(), "Roads")->title = std::string(254, 'r') + "\xF0\x9F\x97\xBA";
    Click(kMoveTitle, kRefresh);
    EXPECT_EQ(Tree().tree[1].text, std::string(254, 'r'));
}

TEST_F(MovePanel, DeeplyNestedGroupsAreWalkedWithoutRecursion) {
    host::Art* parent = FindLayer(doc(), "Roads")->group();
    host::Art* top = nullptr;
    for (int depth = 0; depth < 20000; ++depth) {
        host::Art* group = doc().makeArt(host::ArtType::Group);
        doc().appendChild(*parent, *group);
        if (top == nullptr) top = group;
        parent = group;
    }
    AddPath(doc(), *parent, "deep", 0, 0);
    top->name = "nest";
    Select({"deep"});
    ClickLayer({"Labels"});
    EXPECT_EQ(LayerOf(doc(), "nest"), "Labels");
}

TEST_F(MovePanel, RowsFarDownOrFarRightAreScrolledIntoViewAtTheSmallestSize) {
    ASSERT_TRUE(Panel(kMoveTitle).resize(160, 144));
    for (int i = 0; i < 300; ++i)
        doc().appendLayer(nullptr, "wide " + std::to_string(i));
    host::Layer* deep = FindLayer(doc(), "Labels");
    for (int depth = 1; depth <= 30; ++depth)
        deep = doc().appendLayer(deep, "deep " + std::to_string(depth));
    std::string japanese;
    for (int i = 0; i < 75; ++i)
        japanese += "地";
    doc().appendLayer(nullptr, japanese);
    doc().appendLayer(nullptr, std::string(160, 'n'));
    Click(kMoveTitle, kRefresh);
    std::vector<std::string> deepPath{"Labels"};
    for (int depth = 1; depth <= 30; ++depth)
        deepPath.push_back("deep " + std::to_string(depth));
    const std::vector<std::vector<std::string>> targets = {
        {"wide 196"}, deepPath, {japanese}, {std::string(160, 'n')}, {"Roads"}};
    for (const std::vector<std::string>& path : targets) {
        Select({"lake"});
        ClickLayer(path);
        EXPECT_EQ(LayerOf(doc(), "lake"), path.back());
        for (const std::uint32_t where : {WS_TVHT_ONITEMICON, WS_TVHT_ONITEMRIGHT}) {
            // The widest label ends where the tree's scrolling does.
            if (where == WS_TVHT_ONITEMRIGHT && path.back().size() == 160) continue;
            Select({"road1"});
            ClickLayer(path, where);
            EXPECT_EQ(LayerOf(doc(), "road1"), path.back()) << where;
        }
    }
    EXPECT_TRUE(Messages().empty());
}

} // namespace
} // namespace paneltest
