// The art transformation and its option bits.
#include "DocumentTestSupport.h"

#include "host/geometry/ArtBounds.h"
#include "host/geometry/TransformArt.h"

#include <cmath>

using namespace host;

namespace {

class Transform : public ::testing::Test {
protected:
    void SetUp() override {
        layer = doc.appendLayer(nullptr, "L");
        path = doctest::addRect(doc, *layer->group(), 0, 0, 10, 10, "p");
        path->path()->style.edit().strokeWidth = 2;
        path->path()->style.edit().dash = {1, 2};
    }

    Document doc;
    Layer* layer = nullptr;
    Art* path = nullptr;
    const HostRealMatrix scale2 = scaleMatrix(2, 2);
};

TEST_F(Transform, EachOptionBitTouchesOnlyItsOwnPart) {
    const struct {
        std::int32_t options;
        double right, strokeWidth, firstDash;
        bool fillGradient, fillPattern, strokePattern, strokeGradient;
    } cases[] = {
        {kTransformObjects, 20, 2, 1, false, false, false, false},
        {kScaleLines, 10, 6, 3, false, false, false, false},
        {kTransformObjects | kScaleLines, 20, 6, 3, false, false, false, false},
        {kTransformFillGradients, 10, 2, 1, true, false, false, false},
        {kTransformFillPatterns, 10, 2, 1, false, true, false, false},
        {kTransformStrokePatterns, 10, 2, 1, false, false, true, false},
        {kTransformStrokeGradients, 10, 2, 1, false, false, false, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.options);
        Art* p = nullptr;
        ASSERT_EQ(doc.duplicateArt(*path, PaintOrder::Above, path, &p), kHostNoErr);
        ASSERT_EQ(transformArt(doc, *p, scale2, 3.0, k.options), kHostNoErr);
        EXPECT_EQ(artBounds(doc, *p)->right, k.right);
        const PathStyle& s = p->path()->style;
        EXPECT_EQ(s.strokeWidth, k.strokeWidth);
        EXPECT_EQ(s.dash[0], k.firstDash);
        EXPECT_EQ(isIdentity(s.fillGradientMatrix), !k.fillGradient);
        EXPECT_EQ(isIdentity(s.fillPatternMatrix), !k.fillPattern);
        EXPECT_EQ(isIdentity(s.strokePatternMatrix), !k.strokePattern);
        EXPECT_EQ(isIdentity(s.strokeGradientMatrix), !k.strokeGradient);
    }
}

TEST_F(Transform, GroupsPassItOnPluginGroupsOnlyWithTheChildrenBit) {
    Art* group = doctest::addArt(doc, *layer->group(), ArtType::Group);
    Art* inGroup = doctest::addRect(doc, *group, 0, 0, 1, 1);
    Art* plugin = doctest::addArt(doc, *layer->group(), ArtType::PluginGroup);
    Art* inPlugin = doctest::addRect(doc, *plugin, 0, 0, 1, 1);
    const HostRealMatrix move = translationMatrix(5, 0);
    ASSERT_EQ(transformArt(doc, *group, move, 1, kTransformObjects), kHostNoErr);
    ASSERT_EQ(transformArt(doc, *plugin, move, 1, kTransformObjects), kHostNoErr);
    EXPECT_EQ(artBounds(doc, *inGroup)->left, 5);
    EXPECT_EQ(artBounds(doc, *inPlugin)->left, 0);
    ASSERT_EQ(transformArt(doc, *plugin, move, 1, kTransformObjects | kTransformChildren),
              kHostNoErr);
    EXPECT_EQ(artBounds(doc, *inPlugin)->left, 5);
}

TEST_F(Transform, MatricesOfImagesSymbolsAndTextTakeTheTransformationAfterThem) {
    Art* placed = doctest::addArt(doc, *layer->group(), ArtType::Placed);
    placed->image()->matrix = {1, 0, 0, -1, 10, 20};
    Symbol* sym = doc.newSymbol("s");
    doctest::addRect(doc, *sym->art(), -1, -1, 2, 2);
    Art* inst = nullptr;
    ASSERT_EQ(doc.newSymbolInstance(*sym, translationMatrix(10, 20), PaintOrder::InsideOnTop,
                                    layer->group(), &inst),
              kHostNoErr);
    Art* text = nullptr;
    ASSERT_EQ(doc.newText(TextKind::Point, Orientation::Horizontal, PaintOrder::InsideOnTop,
                          layer->group(), {10, 20}, nullptr, &text),
              kHostNoErr);
    for (Art* a : {placed, inst, text})
        ASSERT_EQ(transformArt(doc, *a, scale2, 1, kTransformObjects), kHostNoErr);
    EXPECT_EQ(placed->image()->matrix, (HostRealMatrix{2, 0, 0, -2, 20, 40}));
    EXPECT_EQ(inst->symbolInstance()->matrix, (HostRealMatrix{2, 0, 0, 2, 20, 40}));
    EXPECT_EQ(text->text()->matrix, (HostRealMatrix{2, 0, 0, 2, 20, 40}));
    EXPECT_EQ(textAnchor(*text->text()).h, 20);
}

TEST_F(Transform, AreaTextMovesItsFrameAndItsText) {
    Art* frame = doctest::addRect(doc, *layer->group(), 0, 0, 100, 50);
    Art* text = nullptr;
    ASSERT_EQ(doc.newText(TextKind::Area, Orientation::Horizontal, PaintOrder::InsideOnTop,
                          layer->group(), {}, frame, &text),
              kHostNoErr);
    ASSERT_EQ(transformArt(doc, *text, translationMatrix(1, 2), 1, kTransformObjects), kHostNoErr);
    const auto b = artBounds(doc, *text);
    EXPECT_EQ(b->left, 1);
    EXPECT_EQ(b->top, 52);
    EXPECT_EQ(text->text()->matrix.tx, 1);
    // The frame alone: the text's matrix stays, only the path moves.
    ASSERT_EQ(transformArt(doc, *frame, translationMatrix(1, 0), 1, kTransformObjects), kHostNoErr);
    EXPECT_EQ(artBounds(doc, *text)->left, 2);
    EXPECT_EQ(text->text()->matrix.tx, 1);
}

TEST_F(Transform, RefusedOnLockedLayersAndForNonFiniteInput) {
    EXPECT_EQ(transformArt(doc, *path, {std::nan(""), 0, 0, 1, 0, 0}, 1, 1), kHostErrBadParameter);
    EXPECT_EQ(transformArt(doc, *path, scale2, INFINITY, 1), kHostErrBadParameter);
    layer->editable = false;
    EXPECT_EQ(transformArt(doc, *path, scale2, 1, 1), kHostErrRefused);
    EXPECT_EQ(artBounds(doc, *path)->right, 10);
}

TEST_F(Transform, DeepNestingDoesNotExhaustTheStack) {
    Art* parent = layer->group();
    for (int i = 0; i < 100000; ++i)
        parent = doctest::addArt(doc, *parent, ArtType::Group);
    Art* deep = doctest::addRect(doc, *parent, -1, 0, 1, 1);
    ASSERT_EQ(transformArt(doc, *layer->group(), translationMatrix(3, 0), 1, 1), kHostNoErr);
    EXPECT_EQ(artBounds(doc, *deep)->left, 2);
    EXPECT_EQ(artBounds(doc, *layer->group())->left, 2);
    Layer* other = doc.appendLayer(nullptr, "other");
    ASSERT_EQ(doc.deleteLayer(*layer), kHostNoErr);
    EXPECT_EQ(doc.artCount(), 1u); // the other layer's group
    EXPECT_EQ(doc.currentLayer(), other);
}

} // namespace
