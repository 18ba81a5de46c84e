// Hidden and locked pass down to sublayers: art on a sublayer of a hidden or locked layer is
// treated exactly like art on a hidden or locked layer, and what is filed there leaves the
// selection.
#include "DocumentTestSupport.h"

#include <vector>

using namespace host;

namespace {

// outer > middle > inner holds p and q; open, the current layer, holds o.
class ClosedLayer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(doc.setCurrentLayer(*open), kHostNoErr); }
    bool selected(const Art& art) const { return doc.userAttributes(art, kAttrSelected) != 0; }
    void setFlag(Layer& layer, bool hide, bool value) {
        if (hide) {
            doc.setLayerVisible(layer, value);
        } else {
            doc.setLayerEditable(layer, value);
        }
    }

    Document doc;
    Layer* outer = doc.appendLayer(nullptr, "outer");
    Layer* middle = doc.appendLayer(outer, "middle");
    Layer* inner = doc.appendLayer(middle, "inner");
    Layer* open = doc.appendLayer(nullptr, "open");
    Art* p = doctest::addRect(doc, *inner->group(), 0, 0, 1, 1, "p");
    Art* q = doctest::addRect(doc, *inner->group(), 2, 0, 1, 1, "q");
    Art* o = doctest::addRect(doc, *open->group(), 4, 0, 1, 1, "o");
};

TEST_F(ClosedLayer, AroundALayerCountsAsOnIt) {
    const struct {
        const char* name;
        int above; // levels above inner
        bool hide; // else lock
    } cases[] = {
        {"inner hidden", 0, true},   {"inner locked", 0, false}, {"parent hidden", 1, true},
        {"parent locked", 1, false}, {"top hidden", 2, true},    {"top locked", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Layer& closed = *std::vector<Layer*>{inner, middle, outer}[c.above];
        setFlag(closed, c.hide, false);
        const std::uint32_t bit = c.hide ? kAttrHidden : kAttrLocked;
        EXPECT_EQ(doc.closedAttributes(*inner), bit);
        EXPECT_EQ(doc.closedAttributes(*open), 0u);
        // A layer still reports its own flags.
        EXPECT_EQ(inner->visible && inner->editable, &closed != inner);

        // Drawing into it, changing and moving out what is there: refused.
        Art* made = nullptr;
        EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::InsideOnTop, inner->group(), &made),
                  kHostErrRefused);
        EXPECT_EQ(doc.newText(TextKind::Point, Orientation::Horizontal, PaintOrder::Above, p,
                              {0, 0}, nullptr, &made),
                  kHostErrRefused);
        EXPECT_EQ(doc.duplicateArt(*o, PaintOrder::Above, q, &made), kHostErrRefused);
        EXPECT_EQ(doc.reorderArt(*p, PaintOrder::InsideOnTop, open->group()), kHostErrRefused);
        EXPECT_EQ(doc.disposeArt(*q), kHostErrRefused);
        EXPECT_EQ(doc.setPathStyle(*p, PathStyle{}), kHostErrRefused);
        EXPECT_EQ(doctest::childNames(*inner->group()), (std::vector<std::string>{"p", "q"}));

        // Filing in is allowed, and what arrives is no longer selected, nor is its old
        // container marked for it.
        Art* folder = doctest::addArt(doc, *open->group(), ArtType::Group, "folder");
        doctest::addRect(doc, *folder, 6, 0, 1, 1, "leaf");
        ASSERT_EQ(doc.setUserAttributes(*folder, kAttrFullySelected, kAttrFullySelected),
                  kHostNoErr);
        ASSERT_TRUE(selected(*open->group()));
        EXPECT_EQ(doc.reorderArt(*folder, PaintOrder::InsideOnBottom, inner->group()), kHostNoErr);
        EXPECT_EQ(doc.layerOfArt(*folder), inner);
        EXPECT_FALSE(selected(*folder));
        EXPECT_FALSE(selected(*folder->firstChild()));
        EXPECT_FALSE(selected(*open->group()));
        EXPECT_TRUE(doc.selectedArt().empty());
        // Nor does a layer made inside the closed one open it.
        Layer* added = nullptr;
        ASSERT_EQ(doc.insertLayer(inner, PaintOrder::InsideOnTop, &added), kHostNoErr);
        EXPECT_EQ(doc.closedAttributes(*added), bit);

        // Opened again, the same layer takes edits and keeps what is moved in selected.
        setFlag(closed, c.hide, true);
        EXPECT_EQ(doc.closedAttributes(*added), 0u);
        EXPECT_EQ(doc.closedAttributes(*inner), 0u);
        ASSERT_EQ(doc.deleteLayer(*added), kHostNoErr);
        ASSERT_EQ(doc.setUserAttributes(*o, kAttrSelected, kAttrSelected), kHostNoErr);
        EXPECT_EQ(doc.reorderArt(*o, PaintOrder::InsideOnTop, inner->group()), kHostNoErr);
        EXPECT_TRUE(selected(*o));
        EXPECT_EQ(doc.reorderArt(*o, PaintOrder::InsideOnTop, open->group()), kHostNoErr);
        EXPECT_EQ(doc.disposeArt(*folder), kHostNoErr);
        doc.deselectAll();
    }
}

// The user attributes of a layer's group say the same as its flags and close the layers
// inside it the same way.
TEST_F(ClosedLayer, ALayerGroupsAttributesCloseItsSublayers) {
    ASSERT_EQ(doc.setUserAttributes(*outer->group(), kAttrLocked, kAttrLocked), kHostNoErr);
    EXPECT_EQ(doc.closedAttributes(*inner), kAttrLocked);
    EXPECT_EQ(doc.disposeArt(*p), kHostErrRefused);
    ASSERT_EQ(doc.setUserAttributes(*middle->group(), kAttrHidden, kAttrHidden), kHostNoErr);
    EXPECT_EQ(doc.closedAttributes(*inner), kAttrLocked | kAttrHidden);
    ASSERT_EQ(doc.setUserAttributes(*outer->group(), kAttrLocked, 0), kHostNoErr);
    ASSERT_EQ(doc.setUserAttributes(*middle->group(), kAttrHidden, 0), kHostNoErr);
    EXPECT_EQ(doc.closedAttributes(*inner), 0u);
    EXPECT_EQ(doc.disposeArt(*p), kHostNoErr);
}

} // namespace
