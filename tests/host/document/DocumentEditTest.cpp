// New, duplicate, reorder and dispose art at paint orders; handle validation; the editing
// rules of locked and hidden layers.
#include "DocumentTestSupport.h"

#include "host/geometry/ArtBounds.h"

using namespace host;
using doctest::childNames;

namespace {

// L holds the group g of p and q; M is the current layer.
class Edit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(doc.setCurrentLayer(*other), kHostNoErr); }

    Document doc;
    Layer* layer = doc.appendLayer(nullptr, "L");
    Layer* other = doc.appendLayer(nullptr, "M");
    Art* group = doctest::addArt(doc, *layer->group(), ArtType::Group, "g");
    Art* p = doctest::addRect(doc, *group, 0, 0, 1, 1, "p");
    Art* q = doctest::addRect(doc, *group, 2, 0, 1, 1, "q");
};

TEST_F(Edit, NewArtGoesWhereThePaintOrderSays) {
    const struct {
        PaintOrder order;
        bool relativeToP; // else relative to the group
        std::vector<std::string> groupChildren;
        std::vector<std::string> layerChildren;
    } cases[] = {
        {PaintOrder::Above, true, {"new", "p", "q"}, {"g"}},
        {PaintOrder::Below, true, {"p", "new", "q"}, {"g"}},
        {PaintOrder::InsideOnTop, false, {"new", "p", "q"}, {"g"}},
        {PaintOrder::InsideOnBottom, false, {"p", "q", "new"}, {"g"}},
        {PaintOrder::AboveAll, true, {"p", "q"}, {"new", "g"}},
        {PaintOrder::BelowAll, true, {"p", "q"}, {"g", "new"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.order));
        Art* made = nullptr;
        ASSERT_EQ(doc.newArt(ArtType::Path, k.order, k.relativeToP ? p : group, &made), kHostNoErr);
        made->name = "new";
        EXPECT_EQ(childNames(*group), k.groupChildren);
        EXPECT_EQ(childNames(*layer->group()), k.layerChildren);
        EXPECT_EQ(doc.disposeArt(*made), kHostNoErr);
    }
}

TEST_F(Edit, NullReferenceMeansTheCurrentLayer) {
    Art* made = nullptr;
    ASSERT_EQ(doc.newArt(ArtType::Group, PaintOrder::AboveAll, nullptr, &made), kHostNoErr);
    EXPECT_EQ(made->parent(), other->group());
    EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::Above, nullptr, &made), kHostErrBadParameter);
    EXPECT_EQ(made, nullptr);
}

TEST_F(Edit, PlacesThatCannotHoldTheArtAreRefused) {
    Art* made = nullptr;
    EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::InsideOnTop, p, &made), kHostErrWrongType);
    // Beside a top-level layer's group there is no room for art.
    EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::Above, layer->group(), &made),
              kHostErrBadParameter);
    Art* compound = doctest::addArt(doc, *group, ArtType::CompoundPath, "c");
    EXPECT_EQ(doc.newArt(ArtType::Group, PaintOrder::InsideOnTop, compound, &made),
              kHostErrWrongType);
    EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::InsideOnTop, compound, &made), kHostNoErr);
    EXPECT_EQ(doc.newArt(ArtType::SymbolInstance, PaintOrder::AboveAll, nullptr, &made),
              kHostErrBadParameter);
}

TEST_F(Edit, DuplicateIsADeepCopyWithTagsButNotTheSelection) {
    Art* inner = doctest::addArt(doc, *group, ArtType::Group, "inner");
    Art* leaf = doctest::addRect(doc, *inner, 5, 5, 1, 1, "leaf");
    leaf->tags.set("BBAccumRotation", "0.5");
    ASSERT_EQ(
        doc.setUserAttributes(*leaf, kAttrSelected | kAttrLocked, kAttrSelected | kAttrLocked),
        kHostNoErr);
    Art* copy = nullptr;
    ASSERT_EQ(doc.duplicateArt(*group, PaintOrder::InsideOnTop, other->group(), &copy), kHostNoErr);
    EXPECT_EQ(childNames(*copy), (std::vector<std::string>{"p", "q", "inner"}));
    const Art* leafCopy = copy->lastChild()->firstChild();
    ASSERT_NE(leafCopy, nullptr);
    EXPECT_NE(leafCopy, leaf);
    EXPECT_EQ(leafCopy->tags, leaf->tags);
    EXPECT_EQ(leafCopy->path()->segments.size(), 4u);
    EXPECT_EQ(doc.userAttributes(*leafCopy), kAttrLocked);
    // Changing the copy leaves the original alone.
    copy->lastChild()->firstChild()->path()->segments.clear();
    EXPECT_EQ(leaf->path()->segments.size(), 4u);
}

TEST_F(Edit, DuplicateAtEachPaintOrder) {
    for (PaintOrder order : {PaintOrder::Above, PaintOrder::Below}) {
        Art* copy = nullptr;
        ASSERT_EQ(doc.duplicateArt(*q, order, p, &copy), kHostNoErr);
        copy->name = "copy";
        const std::vector<std::string> expected = order == PaintOrder::Above
                                                      ? std::vector<std::string>{"copy", "p", "q"}
                                                      : std::vector<std::string>{"p", "copy", "q"};
        EXPECT_EQ(childNames(*group), expected);
        ASSERT_EQ(doc.disposeArt(*copy), kHostNoErr);
    }
    // A layer's group copies as a plain group.
    Art* copy = nullptr;
    ASSERT_EQ(doc.duplicateArt(*layer->group(), PaintOrder::InsideOnBottom, other->group(), &copy),
              kHostNoErr);
    EXPECT_FALSE(copy->isLayerGroup());
    EXPECT_EQ(doc.layerCount(), 2);
}

TEST_F(Edit, ReorderMovesArtAndRefusesCycles) {
    ASSERT_EQ(doc.reorderArt(*q, PaintOrder::Above, p), kHostNoErr);
    EXPECT_EQ(childNames(*group), (std::vector<std::string>{"q", "p"}));
    ASSERT_EQ(doc.reorderArt(*q, PaintOrder::InsideOnBottom, other->group()), kHostNoErr);
    EXPECT_EQ(childNames(*group), (std::vector<std::string>{"p"}));
    EXPECT_EQ(q->parent(), other->group());
    EXPECT_EQ(doc.layerOfArt(*q), other);
    // Into itself or its own contents: refused, nothing moves.
    EXPECT_EQ(doc.reorderArt(*group, PaintOrder::InsideOnTop, group), kHostErrBadParameter);
    Art* inner = doctest::addArt(doc, *group, ArtType::Group, "inner");
    EXPECT_EQ(doc.reorderArt(*group, PaintOrder::InsideOnTop, inner), kHostErrBadParameter);
    EXPECT_EQ(group->parent(), layer->group());
    // Layers move as layers, not as art.
    EXPECT_EQ(doc.reorderArt(*layer->group(), PaintOrder::Below, other->group()),
              kHostErrWrongType);
}

TEST_F(Edit, HandlesOfDisposedOrForeignObjectsAreFoundStale) {
    const HostArtHandle hp = p->handle();
    const HostArtHandle hg = group->handle();
    EXPECT_EQ(doc.art(hp), p);
    EXPECT_EQ(doc.art(nullptr), nullptr);
    // A layer handle is no art handle, nor is a plain number.
    EXPECT_EQ(doc.art(reinterpret_cast<HostArtHandle>(layer->handle())), nullptr);
    EXPECT_EQ(doc.art(reinterpret_cast<HostArtHandle>(std::uintptr_t{42})), nullptr);
    Document second;
    Layer* l2 = second.appendLayer(nullptr, "x");
    Art* foreign = doctest::addRect(second, *l2->group(), 0, 0, 1, 1);
    EXPECT_EQ(doc.art(foreign->handle()), nullptr);
    EXPECT_EQ(doc.layer(l2->handle()), nullptr);
    const std::size_t before = doc.artCount();
    ASSERT_EQ(doc.disposeArt(*group), kHostNoErr);
    EXPECT_EQ(doc.art(hp), nullptr);
    EXPECT_EQ(doc.art(hg), nullptr);
    EXPECT_EQ(doc.artCount(), before - 3);
}

TEST_F(Edit, LockedOrHiddenLayersRefuseChangesButTakeWhatIsFiledThere) {
    for (bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden" : "locked");
        (hide ? layer->visible : layer->editable) = false;
        Art* made = nullptr;
        EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::InsideOnTop, group, &made),
                  kHostErrRefused);
        EXPECT_EQ(doc.duplicateArt(*p, PaintOrder::Above, q, &made), kHostErrRefused);
        EXPECT_EQ(doc.reorderArt(*p, PaintOrder::InsideOnTop, other->group()), kHostErrRefused);
        EXPECT_EQ(doc.reorderArt(*p, PaintOrder::Below, q), kHostErrRefused);
        EXPECT_EQ(doc.disposeArt(*p), kHostErrRefused);
        EXPECT_EQ(doc.setPathStyle(*p, PathStyle{}), kHostErrRefused);
        EXPECT_EQ(childNames(*group), (std::vector<std::string>{"p", "q"}));
        // Reading and the layer's own flags stay open.
        EXPECT_TRUE(artBounds(doc, *p).has_value());

        // Filing is allowed where the place is named: an empty group, art from elsewhere.
        Art* outside = doctest::addRect(doc, *other->group(), 5, 0, 1, 1, "outside");
        Art* folder = nullptr;
        EXPECT_EQ(doc.newArt(ArtType::Group, PaintOrder::InsideOnBottom, group, &folder),
                  kHostNoErr);
        EXPECT_EQ(doc.reorderArt(*outside, PaintOrder::InsideOnTop, folder), kHostNoErr);
        EXPECT_EQ(doc.reorderArt(*outside, PaintOrder::InsideOnTop, other->group()),
                  kHostErrRefused);
        // Nothing goes to a closed current layer by default, nor is drawn there.
        ASSERT_EQ(doc.setCurrentLayer(*layer), kHostNoErr);
        EXPECT_EQ(doc.newArt(ArtType::Group, PaintOrder::AboveAll, nullptr, &made),
                  kHostErrRefused);
        EXPECT_EQ(doc.newArt(ArtType::Path, PaintOrder::InsideOnTop, folder, &made),
                  kHostErrRefused);
        ASSERT_EQ(doc.setCurrentLayer(*other), kHostNoErr);
        (hide ? layer->visible : layer->editable) = true;
        ASSERT_EQ(doc.disposeArt(*folder), kHostNoErr);
    }
}

TEST_F(Edit, CompoundPathMembersShareOneStyle) {
    Art* compound = doctest::addArt(doc, *group, ArtType::CompoundPath, "c");
    Art* m1 = doctest::addRect(doc, *compound, 0, 0, 4, 4);
    Art* m2 = doctest::addRect(doc, *compound, 1, 1, 1, 1);
    PathStyle s;
    s.fill = cmykColour(0.3, 0, 0, 0);
    ASSERT_EQ(doc.setPathStyle(*m2, s), kHostNoErr);
    EXPECT_EQ(m1->path()->style, s);
    PathStyle read;
    ASSERT_EQ(doc.getPathStyle(*compound, read), kHostNoErr);
    EXPECT_EQ(read, s);
    EXPECT_EQ(doc.getPathStyle(*group, read), kHostErrWrongType);
    s.strokeWidth = -1;
    EXPECT_EQ(doc.setPathStyle(*compound, s), kHostErrBadParameter);
}

TEST_F(Edit, AreaTextTakesOverItsPathAndDisposesIt) {
    const std::size_t before = doc.artCount();
    Art* text = nullptr;
    ASSERT_EQ(
        doc.newText(TextKind::Area, Orientation::Horizontal, PaintOrder::Above, q, {}, q, &text),
        kHostNoErr);
    EXPECT_EQ(childNames(*group), (std::vector<std::string>{"p", ""}));
    EXPECT_EQ(text->text()->framePath, q);
    EXPECT_EQ(q->attachedTo(), text);
    EXPECT_EQ(doc.layerOfArt(*q), layer);
    EXPECT_EQ(doc.disposeArt(*q), kHostErrRefused); // the text needs it
    const HostArtHandle frame = q->handle();
    ASSERT_EQ(doc.disposeArt(*text), kHostNoErr);
    EXPECT_EQ(doc.art(frame), nullptr);
    EXPECT_EQ(doc.artCount(), before - 1);
}

} // namespace
