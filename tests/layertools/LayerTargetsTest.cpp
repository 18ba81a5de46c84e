// The target walks, the sibling step and the layer-tree snapshot, on real documents.
#include "LayerToolsHarness.h"

#include "common/LayerTargets.h"
#include "common/LayerTree.h"
#include "frame/HostSuites.h"
#include "host/core/Faults.h"

namespace {

using lt::LayerEntry;

// A(B(B1(B1a)), C), D*, (E* (F, G*)), H
const std::vector<LayerEntry> kTree = {
    {0, "A"},        {1, "B"},        {2, "B1"}, {3, "B1a"},      {1, "C"},
    {0, "D", false}, {0, "E", false}, {1, "F"},  {1, "G", false}, {0, "H"},
};

class LayerTargets : public lt::LayerToolsTest {
protected:
    std::vector<std::string> Walk(LayerTargetKind kind, bool visibleOnly) {
        std::vector<std::string> seen;
        const HostErr err = ForEachTargetLayer(kind, visibleOnly, [&](HostLayerHandle layer) {
            seen.push_back(doc().layer(layer)->title);
            return kHostNoErr;
        });
        EXPECT_EQ(err, kHostNoErr);
        return seen;
    }
    void MakeCurrent(const std::string& title) {
        ASSERT_EQ(doc().setCurrentLayer(*LayerNamed(title)), kHostNoErr);
    }
};

using Names = std::vector<std::string>;

TEST_F(LayerTargets, EachKindYieldsItsLayersInHostOrder) {
    OpenDocument(kTree);
    EXPECT_EQ(Walk(kTargetTopLevel, false), (Names{"A", "D", "E", "H"}));
    EXPECT_EQ(Walk(kTargetAllLayers, false),
              (Names{"A", "B", "B1", "B1a", "C", "D", "E", "F", "G", "H"}));
    MakeCurrent("A");
    EXPECT_EQ(Walk(kTargetCurrentSublayers, false), (Names{"B", "C"}));
}

TEST_F(LayerTargets, CurrentSublayersStayOnTheirLevel) {
    OpenDocument(kTree);
    // Below a sublayer: only its direct sublayers, the nested one's children skipped, and
    // the walk stops at the end of the level even though layers follow.
    MakeCurrent("B");
    EXPECT_EQ(Walk(kTargetCurrentSublayers, false), (Names{"B1"}));
    MakeCurrent("E");
    EXPECT_EQ(Walk(kTargetCurrentSublayers, false), (Names{"F", "G"}));
    MakeCurrent("H"); // no sublayers, last in the document
    EXPECT_TRUE(Walk(kTargetCurrentSublayers, false).empty());
}

TEST_F(LayerTargets, VisibleOnlyPassesOverHiddenLayersWithoutPruning) {
    OpenDocument(kTree);
    EXPECT_EQ(Walk(kTargetAllLayers, true), (Names{"A", "B", "B1", "B1a", "C", "F", "H"}));
    EXPECT_EQ(Walk(kTargetTopLevel, true), (Names{"A", "H"}));
    MakeCurrent("E");
    EXPECT_EQ(Walk(kTargetCurrentSublayers, true), (Names{"F"}));
}

TEST_F(LayerTargets, OtherKindsVisitNothing) {
    OpenDocument(kTree);
    for (LayerTargetKind kind : {-1, 3, 1000})
        EXPECT_TRUE(Walk(kind, false).empty()) << kind;
}

TEST_F(LayerTargets, FirstNonZeroCodeEndsTheWalk) {
    OpenDocument(kTree);
    int visits = 0;
    EXPECT_EQ(ForEachTargetLayer(kTargetAllLayers, false,
                                 [&](HostLayerHandle) { return ++visits == 3 ? 'oops' : 0; }),
              'oops');
    EXPECT_EQ(visits, 3);

    visits = 0;
    app().faults().failOperation("GetNextPreorderLayer", kHostErrMemory, 2);
    EXPECT_EQ(ForEachTargetLayer(kTargetAllLayers, false,
                                 [&](HostLayerHandle) { return ++visits, kHostNoErr; }),
              kHostErrMemory);
    EXPECT_EQ(visits, 2);
}

TEST_F(LayerTargets, NextSiblingStaysUnderTheSameParent) {
    OpenDocument(kTree);
    auto next = [&](const char* title) {
        HostLayerHandle n = NextSiblingLayer(HandleOf(title));
        return n ? doc().layer(n)->title : std::string("-");
    };
    EXPECT_EQ(next("A"), "D");
    EXPECT_EQ(next("B"), "C");
    EXPECT_EQ(next("B1a"), "-"); // last at its level; the next in pre-order is C
    EXPECT_EQ(next("C"), "-");
    EXPECT_EQ(next("H"), "-");
}

std::vector<std::string> Flatten(const std::vector<LayerNode>& list) {
    std::vector<std::string> out;
    std::vector<std::pair<const std::vector<LayerNode>*, size_t>> stack{{&list, 0}};
    while (!stack.empty()) {
        auto& [nodes, at] = stack.back();
        if (at == nodes->size()) {
            stack.pop_back();
            continue;
        }
        const LayerNode& n = (*nodes)[at++];
        out.push_back(std::to_string(n.depth) + ":" + n.title.as_UTF8());
        stack.push_back({&n.children, 0});
    }
    return out;
}

TEST_F(LayerTargets, SnapshotReadsInPreorderLikeTheAllLayersWalk) {
    OpenDocument(kTree);
    std::vector<LayerNode> tree;
    ASSERT_EQ(BuildLayerTree(tree), kHostNoErr);
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(Flatten(tree),
              (Names{"0:A", "1:B", "2:B1", "3:B1a", "1:C", "0:D", "0:E", "1:F", "1:G", "0:H"}));
    EXPECT_EQ(tree[0].layer, HandleOf("A"));

    OpenDocument({{0, "Only"}});
    ASSERT_EQ(BuildLayerTree(tree), kHostNoErr);
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_TRUE(tree[0].children.empty());

    app().faults().failOperation("GetLayerTitle", kHostErrMemory);
    EXPECT_EQ(BuildLayerTree(tree), kHostErrMemory);
}

TEST(LayerNodeTest, DeepTreeIsFreedWithoutRecursion) {
    // Deep enough that a recursive destructor would run out of stack.
    LayerNode root;
    LayerNode* at = &root;
    for (int i = 0; i < 1'000'000; ++i) {
        at->children.emplace_back(i + 1, nullptr);
        at = &at->children.back();
    }
    std::vector<LayerNode> list;
    list.push_back(std::move(root));
    list.clear();
    SUCCEED();
}

} // namespace
