// User attributes and the selection: containers carry the mark of what they hold, the
// fully-selected bit, and layer groups that report their layer's flags.
#include "DocumentTestSupport.h"

using namespace host;

namespace {

// top holds t; bottom holds the group g of a and b, and the sublayer sub that holds s.
class Selection : public ::testing::Test {
protected:
    std::vector<std::string> selectedNames() const {
        std::vector<std::string> out;
        for (const Art* x : doc.selectedArt())
            out.push_back(x->isLayerGroup() ? "[" + x->ownedLayer()->title + "]" : x->name);
        return out;
    }

    Document doc;
    Layer* top = doc.appendLayer(nullptr, "top");
    Layer* bottom = doc.appendLayer(nullptr, "bottom");
    Layer* sub = doc.appendLayer(bottom, "sub");
    Art* g = doctest::addArt(doc, *bottom->group(), ArtType::Group, "g");
    Art* a = doctest::addRect(doc, *g, 0, 0, 1, 1, "a");
    Art* b = doctest::addRect(doc, *g, 0, 0, 1, 1, "b");
    Art* t = doctest::addRect(doc, *top->group(), 0, 0, 1, 1, "t");
    Art* s = doctest::addRect(doc, *sub->group(), 0, 0, 1, 1, "s");
};

TEST_F(Selection, SelectingMarksTheContainersUpToTheLayer) {
    ASSERT_EQ(doc.setUserAttributes(*a, kAttrSelected, kAttrSelected), kHostNoErr);
    EXPECT_EQ(doc.userAttributes(*g, kAttrSelected), kAttrSelected);
    EXPECT_TRUE(doc.layerHasSelectedArt(*bottom));
    EXPECT_FALSE(doc.layerHasSelectedArt(*top));
    // g holds an unselected member: selected but not fully.
    EXPECT_EQ(doc.userAttributes(*g, kAttrFullySelected), 0u);
    ASSERT_EQ(doc.setUserAttributes(*b, kAttrSelected, kAttrSelected), kHostNoErr);
    EXPECT_EQ(doc.userAttributes(*g, kAttrFullySelected), kAttrFullySelected);
    // The last selected member going takes the container's mark with it.
    ASSERT_EQ(doc.setUserAttributes(*a, kAttrSelected, 0), kHostNoErr);
    EXPECT_EQ(doc.userAttributes(*g, kAttrSelected), kAttrSelected);
    ASSERT_EQ(doc.setUserAttributes(*b, kAttrSelected, 0), kHostNoErr);
    EXPECT_EQ(doc.userAttributes(*g, kAttrSelected), 0u);
    EXPECT_FALSE(doc.layerHasSelectedArt(*bottom));
}

TEST_F(Selection, FullySelectingSelectsEverythingInsideAndDeselectingClearsIt) {
    ASSERT_EQ(doc.setUserAttributes(*g, kAttrFullySelected, kAttrFullySelected), kHostNoErr);
    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"[bottom]", "g", "a", "b"}));
    ASSERT_EQ(doc.setUserAttributes(*g, kAttrSelected, 0), kHostNoErr);
    EXPECT_TRUE(selectedNames().empty());
}

TEST_F(Selection, TheSelectionRunsInPreOrderFromLayerZero) {
    for (Art* x : {s, b, t})
        ASSERT_EQ(doc.setUserAttributes(*x, kAttrSelected, kAttrSelected), kHostNoErr);
    // The sublayer's group sits in front of g inside the bottom layer's group.
    EXPECT_EQ(selectedNames(),
              (std::vector<std::string>{"[top]", "t", "[bottom]", "[sub]", "s", "g", "b"}));
    doc.deselectLayer(*sub);
    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"[top]", "t", "[bottom]", "g", "b"}));
    doc.deselectAll();
    EXPECT_TRUE(selectedNames().empty());
}

TEST_F(Selection, MovingAndDisposingSelectedArtKeepsContainerMarksTrue) {
    ASSERT_EQ(doc.setUserAttributes(*a, kAttrSelected, kAttrSelected), kHostNoErr);
    ASSERT_EQ(doc.reorderArt(*a, PaintOrder::InsideOnTop, top->group()), kHostNoErr);
    EXPECT_EQ(doc.userAttributes(*g, kAttrSelected), 0u);
    EXPECT_TRUE(doc.layerHasSelectedArt(*top));
    ASSERT_EQ(doc.disposeArt(*a), kHostNoErr);
    EXPECT_FALSE(doc.layerHasSelectedArt(*top));
}

TEST_F(Selection, LayerGroupsReportAndSetTheirLayersFlags) {
    ASSERT_EQ(doc.setUserAttributes(*sub->group(), kAttrLocked | kAttrHidden, kAttrHidden),
              kHostNoErr);
    EXPECT_FALSE(sub->visible);
    EXPECT_TRUE(sub->editable);
    bottom->editable = false;
    EXPECT_EQ(doc.userAttributes(*bottom->group(), kAttrLocked | kAttrHidden), kAttrLocked);
    EXPECT_EQ(doc.userAttributes(*sub->group(), kAttrLocked | kAttrHidden), kAttrHidden);
    // Art keeps its own bits.
    ASSERT_EQ(doc.setUserAttributes(*a, kAttrLocked, kAttrLocked), kHostNoErr);
    EXPECT_EQ(doc.userAttributes(*a), kAttrLocked);
    EXPECT_EQ(doc.setUserAttributes(*a, 16, 16), kHostErrBadParameter);
}

} // namespace
