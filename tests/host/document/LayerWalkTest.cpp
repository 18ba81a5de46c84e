// Layer walks in every order the layer tools use, on a nested tree with art between the
// sublayers.
#include "DocumentTestSupport.h"

using namespace host;
using doctest::titles;

namespace {

// A (A1 (A1a), A2), B, C (C1): A is layer 0, the topmost.
class LayerWalk : public ::testing::Test {
protected:
    Document doc;
    Layer* a = doc.appendLayer(nullptr, "A");
    Layer* a1 = doc.appendLayer(a, "A1");
    Art* between = doctest::addRect(doc, *a->group(), 0, 0, 1, 1, "art between");
    Layer* a1a = doc.appendLayer(a1, "A1a");
    Layer* a2 = doc.appendLayer(a, "A2");
    Layer* b = doc.appendLayer(nullptr, "B");
    Layer* c = doc.appendLayer(nullptr, "C");
    Layer* c1 = doc.appendLayer(c, "C1");
};

TEST_F(LayerWalk, TopLevelByIndexAndBySibling) {
    EXPECT_EQ(doc.layerCount(), 3);
    EXPECT_EQ(doc.layerAt(0), a);
    EXPECT_EQ(doc.layerAt(2), c);
    EXPECT_EQ(doc.layerAt(3), nullptr);
    EXPECT_EQ(doc.layerAt(-1), nullptr);
    EXPECT_EQ(doc.firstLayer(), a);
    EXPECT_EQ(doc.nextLayer(*a), b);
    EXPECT_EQ(doc.nextLayer(*c), nullptr);
    // The sibling step stays under one parent and skips art between sublayers.
    EXPECT_EQ(doc.nextLayer(*a1), a2);
    EXPECT_EQ(doc.nextLayer(*a2), nullptr);
}

TEST_F(LayerWalk, ParentsAndFirstSublayers) {
    EXPECT_EQ(doc.firstSublayer(*a), a1);
    EXPECT_EQ(doc.firstSublayer(*a1), a1a);
    EXPECT_EQ(doc.firstSublayer(*b), nullptr);
    EXPECT_EQ(doc.parentLayer(*a1a), a1);
    EXPECT_EQ(doc.parentLayer(*a2), a);
    EXPECT_EQ(doc.parentLayer(*a), nullptr);
    // A sublayer's group is a child of its parent layer's group.
    EXPECT_EQ(a1->group()->parent(), a->group());
    EXPECT_EQ(a->group()->parent(), nullptr);
}

TEST_F(LayerWalk, PreOrderAndPreOrderOutside) {
    EXPECT_EQ(titles(doc.allLayers()),
              (std::vector<std::string>{"A", "A1", "A1a", "A2", "B", "C", "C1"}));
    const struct {
        Layer* from;
        Layer* next;
        Layer* outside;
    } cases[] = {
        {a, a1, b}, {a1, a1a, a2},    {a1a, a2, a2},          {a2, b, b},
        {b, c, c},  {c, c1, nullptr}, {c1, nullptr, nullptr},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.from->title);
        EXPECT_EQ(doc.nextPreorderLayer(*k.from), k.next);
        EXPECT_EQ(doc.nextPreorderLayerOutside(*k.from), k.outside);
    }
}

TEST_F(LayerWalk, SublayersDirectlyUnderALayer) {
    // The walk of the "sublayers under the current layer" target kind: first sublayer,
    // then the next layer outside each one while its parent is the current layer.
    std::vector<Layer*> seen;
    for (Layer* l = doc.firstSublayer(*a); l && doc.parentLayer(*l) == a;
         l = doc.nextPreorderLayerOutside(*l))
        seen.push_back(l);
    EXPECT_EQ(titles(seen), (std::vector<std::string>{"A1", "A2"}));
}

TEST_F(LayerWalk, InsertLayerAtEachPaintOrder) {
    Layer* made = nullptr;
    const struct {
        Layer* relative;
        PaintOrder order;
        const char* title;
    } inserts[] = {
        {nullptr, PaintOrder::AboveAll, "top"},  {nullptr, PaintOrder::BelowAll, "bottom"},
        {a1, PaintOrder::Above, "above A1"},     {a1, PaintOrder::Below, "below A1"},
        {b, PaintOrder::InsideOnTop, "B first"}, {b, PaintOrder::InsideOnBottom, "B last"},
    };
    for (const auto& i : inserts) {
        ASSERT_EQ(doc.insertLayer(i.relative, i.order, &made), kHostNoErr) << i.title;
        made->title = i.title;
    }
    EXPECT_EQ(titles(doc.allLayers()),
              (std::vector<std::string>{"top", "A", "above A1", "A1", "A1a", "below A1", "A2", "B",
                                        "B first", "B last", "C", "C1", "bottom"}));
    EXPECT_EQ(doc.insertLayer(nullptr, PaintOrder::Below, &made), kHostErrBadParameter);
    EXPECT_EQ(made, nullptr);
}

TEST_F(LayerWalk, DeletingTheCurrentLayerGivesBackTheOneCurrentBefore) {
    // A tool's temporary layer: made current, then deleted.
    ASSERT_EQ(doc.setCurrentLayer(*b), kHostNoErr);
    Layer* work = nullptr;
    ASSERT_EQ(doc.insertLayer(nullptr, PaintOrder::AboveAll, &work), kHostNoErr);
    ASSERT_EQ(doc.setCurrentLayer(*work), kHostNoErr);
    ASSERT_EQ(doc.setCurrentLayer(*work), kHostNoErr); // again: still b before it
    ASSERT_EQ(doc.deleteLayer(*work), kHostNoErr);
    EXPECT_EQ(doc.currentLayer(), b);

    // When the layer current before is gone too, the topmost layer is current.
    ASSERT_EQ(doc.setCurrentLayer(*a1), kHostNoErr);
    ASSERT_EQ(doc.setCurrentLayer(*a1a), kHostNoErr);
    const HostLayerHandle gone = a1->handle();
    const HostArtHandle gonePath = a->group()->firstChild()->nextSibling()->handle(); // in A
    ASSERT_EQ(doc.deleteLayer(*a1), kHostNoErr);
    EXPECT_EQ(doc.layer(gone), nullptr);
    EXPECT_NE(doc.art(gonePath), nullptr); // art of the parent layer stays
    EXPECT_EQ(doc.currentLayer(), a);
    EXPECT_EQ(titles(doc.allLayers()), (std::vector<std::string>{"A", "A2", "B", "C", "C1"}));
    // The last top-level layer stays.
    ASSERT_EQ(doc.deleteLayer(*b), kHostNoErr);
    ASSERT_EQ(doc.deleteLayer(*c), kHostNoErr);
    EXPECT_EQ(doc.deleteLayer(*a), kHostErrRefused);
    EXPECT_EQ(doc.layerCount(), 1);
}

// A copy of the layer tree takes over the original's handles layer by layer; a copy that
// does not pair up, or ids of the wrong kind or repeated, leave it as it was.
TEST_F(LayerWalk, ACopyTakesOverTheHandlesOfItsOriginal) {
    Document copy;
    for (const char* title : {"A", "B", "C"})
        copy.appendLayer(nullptr, title);
    const Document::Identity own = copy.identity();
    const Document::Identity original = doc.identity();
    ASSERT_EQ(original.layers.size(), 7u);
    Document::Identity repeated = copy.identity();
    repeated.layers[1] = repeated.layers[0];
    Document::Identity wrongKind = copy.identity();
    wrongKind.layers[2] = original.document;
    const Document::Identity* refusedCases[] = {&original, &repeated, &wrongKind};
    for (const Document::Identity* refused : refusedCases) {
        EXPECT_FALSE(copy.adoptIdentity(*refused));
        EXPECT_EQ(copy.identity().document, own.document);
        EXPECT_EQ(copy.identity().layers, own.layers);
    }
    Document::Identity three{original.document, {a->id(), b->id(), c->id()}};
    ASSERT_TRUE(copy.adoptIdentity(three));
    EXPECT_EQ(copy.handle(), doc.handle());
    EXPECT_EQ(copy.layer(b->handle()), copy.layerAt(1));
    EXPECT_EQ(copy.layer(c->handle())->title, "C");
    EXPECT_EQ(copy.layer(handleOfId<HostLayerHandle>(own.layers[0])), nullptr);
}

} // namespace
