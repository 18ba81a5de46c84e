// Exact Bezier bounds, arcs as cubics, rectangle and matrix arithmetic, and art bounds of
// every kind.
#include "DocumentTestSupport.h"

#include "host/geometry/ArtBounds.h"
#include "host/geometry/Bezier.h"

#include <cmath>
#include <numbers>

using namespace host;

namespace {

constexpr double kEps = 1e-9;

void expectRect(const std::optional<HostRealRect>& r, double l, double t, double rt, double b,
                double eps = kEps) {
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->left, l, eps);
    EXPECT_NEAR(r->top, t, eps);
    EXPECT_NEAR(r->right, rt, eps);
    EXPECT_NEAR(r->bottom, b, eps);
}

PathData curve(HostRealPoint p0, HostRealPoint c1, HostRealPoint c2, HostRealPoint p3) {
    PathData p;
    p.segments = {{p0, p0, c1, 0}, {p3, c2, p3, 0}};
    return p;
}

TEST(Bezier, BoundsFollowTheCurveNotTheControlPoints) {
    // An arch: control points at height 10, the curve peaks at 7.5.
    expectRect(pathBounds(curve({0, 0}, {0, 10}, {10, 10}, {10, 0})), 0, 7.5, 10, 0);
    // An S whose x extremes lie strictly between the end points' x.
    const auto s = pathBounds(curve({0, 0}, {10, 0}, {-10, 10}, {0, 10}));
    ASSERT_TRUE(s);
    EXPECT_GT(s->right, 2.8);
    EXPECT_LT(s->right, 10);
    EXPECT_NEAR(s->left, -s->right, kEps);
    // Straight segments and a single anchor.
    PathData dot;
    dot.segments = {{{3, 4}, {3, 4}, {3, 4}, 1}};
    expectRect(pathBounds(dot), 3, 4, 3, 4);
    EXPECT_FALSE(pathBounds(PathData{}).has_value());
}

TEST(Bezier, TheClosingSegmentCountsOnlyWhenClosed) {
    // The closing curve bulges below the open path's extent.
    PathData p;
    p.segments = {{{0, 0}, {0, -8}, {0, 0}, 0}, {{4, 0}, {4, 0}, {4, -8}, 0}};
    expectRect(pathBounds(p), 0, 0, 4, 0);
    p.closed = true;
    expectRect(pathBounds(p), 0, 0, 4, -6);
}

TEST(Bezier, ArcsBecomeCubicsThatStayOnTheEllipse) {
    std::vector<CubicTail> out;
    // A half circle of radius 5 about the origin, from (-5, 0) to (5, 0), sweep positive.
    ASSERT_EQ(arcToCubics({-5, 0}, 5, 5, 0, false, true, {5, 0}, out), ArcShape::Curves);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out.back()[2].h, 5);
    HostRealPoint from{-5, 0};
    for (const CubicTail& c : out) {
        for (double t = 0; t <= 1; t += 0.125) {
            const HostRealPoint q = cubicPoint(from, c[0], c[1], c[2], t);
            EXPECT_NEAR(std::hypot(q.h, q.v), 5, 5 * 3e-4);
            EXPECT_LE(q.v, 1e-9); // the positive sweep from angle pi runs through y < 0
        }
        from = c[2];
    }
    // Radii too small grow to fit; equal end points draw nothing; a zero radius is a line.
    out.clear();
    ASSERT_EQ(arcToCubics({0, 0}, 1, 1, 0, false, true, {10, 0}, out), ArcShape::Curves);
    EXPECT_NEAR(cubicPoint({0, 0}, out[0][0], out[0][1], out[0][2], 1).h, 5, 1e-9);
    EXPECT_EQ(arcToCubics({1, 1}, 1, 1, 0, false, true, {1, 1}, out), ArcShape::Omitted);
    EXPECT_EQ(arcToCubics({1, 1}, 0, 1, 0, false, true, {2, 1}, out), ArcShape::Line);
}

TEST(RealMath, RectangleOperations) {
    HostRealRect r{0, 10, 10, 0};
    rectInset(r, -0.5, -0.5);
    EXPECT_EQ(r, (HostRealRect{-0.5, 10.5, 10.5, -0.5}));
    EXPECT_EQ(rectUnion({0, 1, 1, 0}, {5, 3, 6, 2}), (HostRealRect{0, 3, 6, 0}));
    const struct {
        HostRealRect a, b;
        bool overlap;
    } cases[] = {
        {{0, 1, 1, 0}, {1, 1, 2, 0}, true},    // touching edges
        {{0, 1, 1, 0}, {1.1, 1, 2, 0}, false}, // apart horizontally
        {{0, 1, 1, 0}, {0, 3, 1, 1.5}, false}, // apart vertically
        {{0, 4, 4, 0}, {1, 2, 2, 1}, true},    // inside
    };
    for (const auto& k : cases)
        EXPECT_EQ(rectsOverlap(k.a, k.b), k.overlap);
    EXPECT_TRUE(pointInRect({1, 0}, {0, 1, 1, 0}));
    EXPECT_FALSE(pointInRect({1, 1.01}, {0, 1, 1, 0}));
}

TEST(RealMath, MatrixOperations) {
    // Translate to the origin, scale, translate back: scaling about (10, 20).
    HostRealMatrix m = translationMatrix(-10, -20);
    concatScale(m, 2, 3);
    concatTranslate(m, 10, 20);
    const HostRealPoint p = transformPoint(m, {11, 21});
    EXPECT_DOUBLE_EQ(p.h, 12);
    EXPECT_DOUBLE_EQ(p.v, 23);
    // concat(first, second) applies first, then second.
    const HostRealMatrix rs = concat(rotationMatrix(std::numbers::pi / 2), translationMatrix(5, 0));
    const HostRealPoint q = transformPoint(rs, {1, 0});
    EXPECT_NEAR(q.h, 5, kEps);
    EXPECT_NEAR(q.v, 1, kEps);
    EXPECT_NEAR(rotationAngle(rs), std::numbers::pi / 2, kEps);
    EXPECT_EQ(translationPart(rs).h, 5);
    HostRealMatrix inv = rs;
    ASSERT_TRUE(invert(inv));
    const HostRealPoint back = transformPoint(inv, q);
    EXPECT_NEAR(back.h, 1, kEps);
    EXPECT_NEAR(back.v, 0, kEps);
    HostRealMatrix singular{1, 2, 2, 4, 3, 3};
    EXPECT_FALSE(invert(singular));
    EXPECT_EQ(singular.tx, 3); // unchanged
    HostRealMatrix nan{std::nan(""), 0, 0, 1, 0, 0};
    EXPECT_FALSE(invert(nan));
}

TEST(ArtBounds, EveryKindOfArt) {
    Document doc;
    Layer* l = doc.appendLayer(nullptr, "L");
    Art* g = doctest::addArt(doc, *l->group(), ArtType::Group);
    Art* r1 = doctest::addRect(doc, *g, 0, 0, 10, 10);
    doctest::addRect(doc, *g, 20, -5, 1, 1);
    expectRect(artBounds(doc, *g), 0, 10, 21, -5);
    expectRect(artBounds(doc, *r1), 0, 10, 10, 0);
    // A placed image at 100 % hangs from its top-left corner; scaled by a half.
    Art* placed = doctest::addArt(doc, *l->group(), ArtType::Placed);
    *placed->image() = {{0.5, 0, 0, -0.5, 100, 200}, 40, 20, "a.png"};
    expectRect(artBounds(doc, *placed), 100, 200, 120, 190);
    Art* raster = doctest::addArt(doc, *l->group(), ArtType::Raster);
    *raster->image() = {{1, 0, 0, 1, 100, 200}, 40, 20, "data:,"};
    expectRect(artBounds(doc, *raster), 100, 220, 140, 200);
    // A symbol instance: the symbol's bounds through its matrix, rotated a quarter turn.
    Symbol* sym = doc.newSymbol("star");
    doctest::addRect(doc, *sym->art(), 0, 0, 4, 2);
    Art* inst = nullptr;
    ASSERT_EQ(doc.newSymbolInstance(*sym, {0, 1, -1, 0, 50, 50}, PaintOrder::InsideOnTop,
                                    l->group(), &inst),
              kHostNoErr);
    expectRect(artBounds(doc, *inst), 48, 54, 50, 50);
    // Empty containers have no bounds, and do not widen their parent's.
    Art* empty = doctest::addArt(doc, *g, ArtType::Group);
    EXPECT_FALSE(artBounds(doc, *empty).has_value());
    expectRect(artBounds(doc, *g), 0, 10, 21, -5);
}

} // namespace
