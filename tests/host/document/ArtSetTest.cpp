// Art sets: what a layer's and the selection's lists hold, in which order, and handles
// that go stale while listed.
#include "DocumentTestSupport.h"

#include "host/document/ArtSets.h"

using namespace host;

namespace {

TEST(ArtSets, LayerListHoldsTheLayerGroupFirstThenEverythingInPreOrder) {
    Document doc;
    Layer* l = doc.appendLayer(nullptr, "L");
    Art* g = doctest::addArt(doc, *l->group(), ArtType::Group, "g");
    Art* a = doctest::addRect(doc, *g, 0, 0, 1, 1, "a");
    Layer* sub = doc.appendLayer(l, "sub");
    Art* s = doctest::addRect(doc, *sub->group(), 0, 0, 1, 1, "s");
    const std::vector<HostArtHandle> expected{l->group()->handle(), g->handle(), a->handle(),
                                              sub->group()->handle(), s->handle()};
    EXPECT_EQ(layerHandles(doc, *l), expected);
    // An empty layer lists its group alone.
    Layer* empty = doc.appendLayer(nullptr, "E");
    EXPECT_EQ(layerHandles(doc, *empty), std::vector<HostArtHandle>{empty->group()->handle()});
}

// The pair test of the polygon colouring: two polygons duplicated into a new top layer and
// the layer selected as a tree give the work layer's group first, then the duplicates, even
// with other art selected elsewhere.
TEST(ArtSets, SelectionAfterSelectingAWorkLayerTree) {
    auto doc = Document::createDefault();
    Layer* map = doc->currentLayer();
    Art* a = doctest::addRect(*doc, *map->group(), 0, 0, 1, 1, "A");
    Art* b = doctest::addRect(*doc, *map->group(), 1, 0, 1, 1, "B");
    ASSERT_EQ(doc->setUserAttributes(*b, kAttrSelected, kAttrSelected), kHostNoErr);
    Layer* work = nullptr;
    ASSERT_EQ(doc->insertLayer(nullptr, PaintOrder::AboveAll, &work), kHostNoErr);
    Art *a2 = nullptr, *b2 = nullptr;
    ASSERT_EQ(doc->duplicateArt(*a, PaintOrder::InsideOnTop, work->group(), &a2), kHostNoErr);
    ASSERT_EQ(doc->duplicateArt(*b, PaintOrder::Below, a2, &b2), kHostNoErr);
    for (Art* x : {work->group(), a2, b2})
        ASSERT_EQ(doc->setUserAttributes(*x, kAttrSelected, kAttrSelected), kHostNoErr);
    const std::vector<HostArtHandle> sel = selectionHandles(*doc);
    ASSERT_GE(sel.size(), 3u);
    EXPECT_EQ(sel[0], work->group()->handle());
    EXPECT_EQ(sel[1], a2->handle());
    EXPECT_EQ(sel[2], b2->handle());
    // After a unite that leaves one object, the work layer's list counts two.
    ASSERT_EQ(doc->disposeArt(*b2), kHostNoErr);
    EXPECT_EQ(layerHandles(*doc, *work).size(), 2u);
}

TEST(ArtSets, SetsAreOwnedUntilDisposedAndEntriesCanGoStale) {
    Document doc;
    Layer* l = doc.appendLayer(nullptr, "L");
    Art* a = doctest::addRect(doc, *l->group(), 0, 0, 1, 1);
    const HostArtHandle ha = a->handle();
    ArtSets sets;
    const HostArtSetHandle h = sets.create();
    ASSERT_NE(sets.find(h), nullptr);
    *sets.find(h) = layerHandles(doc, *l);
    ASSERT_EQ(doc.disposeArt(*a), kHostNoErr);
    EXPECT_EQ(doc.art(sets.find(h)->at(1)), nullptr); // listed, but gone from the document
    EXPECT_EQ(sets.dispose(h), kHostNoErr);
    EXPECT_EQ(sets.find(h), nullptr);
    EXPECT_EQ(sets.dispose(h), kHostErrBadHandle);
    EXPECT_EQ(sets.find(reinterpret_cast<HostArtSetHandle>(ha)), nullptr);
    EXPECT_EQ(sets.liveCount(), 0u);
}

} // namespace
