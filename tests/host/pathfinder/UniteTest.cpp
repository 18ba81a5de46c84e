#include "host/pathfinder/Unite.h"

#include "host/document/PathSegments.h"
#include "host/pathfinder/ShapeCache.h"

#include <gtest/gtest.h>

#include <cmath>

namespace host::pathfinder {
namespace {

HostPathSegment Corner(double x, double y) {
    HostPathSegment s{};
    s.p = s.in = s.out = {x, y};
    s.corner = 1;
    return s;
}

BezierRing Polygon(std::initializer_list<std::pair<double, double>> points) {
    BezierRing ring;
    for (auto [x, y] : points)
        ring.push_back(Corner(x, y));
    return ring;
}

BezierRing Square(double x, double y, double size) {
    return Polygon({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}});
}

UniteShape Shape(std::initializer_list<BezierRing> rings, bool evenOdd = false) {
    return UniteShape{rings, evenOdd};
}

double Area(const Ring& ring) {
    double sum = 0;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        sum += ring[j].h * ring[i].v - ring[i].h * ring[j].v;
    return sum / 2;
}

struct TouchCase {
    const char* caption;
    std::vector<UniteShape> shapes;
    bool merged;
    size_t rings;
    double precision = 0;
};

class UniteTouch : public ::testing::TestWithParam<TouchCase> {};

TEST_P(UniteTouch, TellsTouchingFromMerelyClose) {
    const TouchCase& c = GetParam();
    const UniteResult result = Unite(c.shapes, nullptr, c.precision);
    EXPECT_EQ(result.merged, c.merged) << c.caption;
    EXPECT_EQ(result.rings.size(), c.rings) << c.caption;
}

// A ring with a square hole in the middle: outer 0..30, hole 10..20 wound the other way.
UniteShape Donut() {
    return Shape({Square(0, 0, 30), Polygon({{10, 10}, {10, 20}, {20, 20}, {20, 10}})});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UniteTouch,
    ::testing::Values(
        TouchCase{"shared edge", {Shape({Square(0, 0, 10)}), Shape({Square(10, 0, 10)})}, true, 1},
        TouchCase{"shared part of an edge",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10, 5, 10)})},
                  true,
                  1},
        TouchCase{"corner contact only",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10, 10, 10)})},
                  false,
                  2},
        TouchCase{"overlap", {Shape({Square(0, 0, 10)}), Shape({Square(5, 5, 10)})}, true, 1},
        TouchCase{
            "one inside the other", {Shape({Square(0, 0, 10)}), Shape({Square(2, 2, 3)})}, true, 1},
        TouchCase{
            "close but apart", {Shape({Square(0, 0, 10)}), Shape({Square(10.3, 0, 10)})}, false, 2},
        TouchCase{"enclave filling a hole", {Donut(), Shape({Square(10, 10, 10)})}, true, 1},
        TouchCase{"island in a lake", {Donut(), Shape({Square(12, 12, 6)})}, false, 3},
        TouchCase{
            "two U shapes closing a courtyard",
            {Shape({Polygon(
                 {{0, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 5}, {10, 5}, {10, 10}, {0, 10}})}),
             Shape({Polygon(
                 {{0, 10}, {10, 10}, {10, 15}, {20, 15}, {20, 10}, {30, 10}, {30, 20}, {0, 20}})})},
            true,
            2},
        TouchCase{"island of a shape touching the other",
                  {Shape({Square(0, 0, 10), Square(50, 0, 5)}), Shape({Square(10, 0, 10)})},
                  true,
                  2},
        TouchCase{"zero-area input",
                  {Shape({Polygon({{0, 0}, {10, 0}, {20, 0}})}), Shape({Square(0, 0, 10)})},
                  false,
                  1},
        // Within a precision of 0.03 pt.
        TouchCase{"a hair apart, exact",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10.001, 0, 10)})},
                  false,
                  2},
        TouchCase{"a hair apart",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10.001, 0, 10)})},
                  true,
                  1,
                  0.03},
        TouchCase{"apart by just under the precision",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10.028, 0, 10)})},
                  true,
                  1,
                  0.03},
        TouchCase{"apart by two precisions",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10.06, 0, 10)})},
                  false,
                  2,
                  0.03},
        TouchCase{"T-junction a hair apart",
                  {Shape({Square(0, 0, 10)}),
                   Shape({Polygon({{10.002, 3}, {20, 3}, {20, 8}, {10.002, 8}})})},
                  true,
                  1,
                  0.03},
        TouchCase{"slanted edges a hair apart",
                  {Shape({Polygon({{0, 0}, {10, 0}, {4, 10}})}),
                   Shape({Polygon({{10.01, 0.02}, {14, 10}, {4.01, 10.02}})})},
                  true,
                  1,
                  0.03},
        TouchCase{"corner to corner within the precision",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10.01, 10.01, 10)})},
                  false,
                  2,
                  0.03},
        TouchCase{"corners side by side within the precision",
                  {Shape({Square(0, 0, 10)}), Shape({Square(10.01, 9.95, 10)})},
                  false,
                  2,
                  0.03},
        TouchCase{"outlines leaving a corner at a narrow angle",
                  {Shape({Polygon({{0, 0}, {10, 0}, {0, -5}})}),
                   Shape({Polygon({{0, 0.01}, {10, 0.6}, {0, 5}})})},
                  false,
                  2,
                  0.03},
        TouchCase{"island a hair off the coast",
                  {Shape({Square(0, 0, 10), Square(50, 0, 5)}), Shape({Square(55.005, 0, 5)})},
                  true,
                  2,
                  0.03}));

TEST(Unite, HairlineGapIsClosedWithoutGrowingTheShapes) {
    // A buffer would add about 0.6 pt² along the outline; closing adds only the gap.
    const UniteResult result =
        Unite({Shape({Square(0, 0, 10)}), Shape({Square(10.02, 0, 10)})}, nullptr, 0.03);
    ASSERT_EQ(result.rings.size(), 1u);
    EXPECT_NEAR(Area(result.rings[0]), 200.2, 0.03);
    for (const HostRealPoint& p : result.rings[0]) {
        EXPECT_GE(p.h, -0.002);
        EXPECT_LE(p.h, 20.022);
        EXPECT_GE(p.v, -0.002);
        EXPECT_LE(p.v, 10.002);
    }
}

TEST(Unite, EvenOddSelfIntersectionIsNormalisedBeforeMeasuring) {
    // A bow tie: two triangles meeting at (5,5). Under either fill rule it is two
    // separate lobes, and a square far away touches neither.
    const UniteShape bowTie = Shape({Polygon({{0, 0}, {10, 10}, {10, 0}, {0, 10}})}, true);
    const UniteResult result = Unite({bowTie, Shape({Square(100, 0, 10)})});
    EXPECT_FALSE(result.merged);
}

TEST(Unite, MergedOutlineKeepsTheAreaOfBothInputs) {
    const UniteResult result = Unite({Shape({Square(0, 0, 10)}), Shape({Square(10, 0, 10)})});
    ASSERT_EQ(result.rings.size(), 1u);
    EXPECT_NEAR(Area(result.rings[0]), 200.0, 1e-6);
}

TEST(Flatten, CurveStaysWithinToleranceOfTheTrueArc) {
    // A quarter circle of radius 100 by the usual cubic approximation.
    const double k = 0.5522847498 * 100;
    BezierRing ring(2);
    ring[0] = Corner(100, 0);
    ring[0].out = {100, k};
    ring[1] = Corner(0, 100);
    ring[1].in = {k, 100};
    const Ring flat = Flatten(ring);
    ASSERT_GT(flat.size(), 8u);
    for (size_t i = 1; i + 1 < flat.size(); ++i) {
        const HostRealPoint a = flat[i], b = flat[i + 1];
        const HostRealPoint mid{(a.h + b.h) / 2, (a.v + b.v) / 2};
        // The approximation itself is off the circle by 0.027%; allow that plus the tolerance.
        EXPECT_NEAR(std::hypot(mid.h, mid.v), 100.0, 0.03 + kFlatteningTolerance);
    }
}

// A cache that fills up while the inputs of one unite are looked up must not drop the
// forms of the inputs looked up before.
TEST(Unite, CacheOverflowingInTheMiddleOfAUniteGivesWhatNoCacheGives) {
    ShapeCache cache(6);
    const std::vector<UniteShape> pairs[] = {
        {Shape({Square(0, 0, 10)}), Shape({Square(10, 0, 10)})},
        {Shape({Square(0, 0, 10)}), Shape({Square(5, 5, 10)})},
        {Donut(), Shape({Square(12, 12, 6)})},
        {Shape({Square(0, 0, 10)}), Shape({Square(10, 0, 10)})},
    };
    for (const std::vector<UniteShape>& shapes : pairs) {
        const UniteResult cached = Unite(shapes, &cache);
        const UniteResult plain = Unite(shapes);
        EXPECT_EQ(cached.merged, plain.merged);
        ASSERT_EQ(cached.rings.size(), plain.rings.size());
        for (size_t i = 0; i < plain.rings.size(); ++i)
            EXPECT_EQ(Area(cached.rings[i]), Area(plain.rings[i]));
    }
}

ShapeView HeldView(const PathSegments& ring) {
    ShapeView view;
    view.whole.assign(ring.begin(), ring.end());
    view.rings.emplace_back(view.whole);
    view.holds.push_back(ring.hold());
    return view;
}

// Copies of one outline share its buffer and are found by it; an outline written after it
// was looked up is worked out afresh, whether the writer was the copy or the original.
TEST(Unite, CacheFindsSharedOutlinesAndNeverAnOutdatedForm) {
    constexpr auto kMovedMinX = static_cast<ClipperLib::cInt>(100 * kUnitsPerPoint);
    ShapeCache cache;
    const BezierRing square = Square(0, 0, 10);
    PathSegments original(square);
    PathSegments copy = original;
    const NormalForm* first = &cache.Get(HeldView(original));
    EXPECT_EQ(&cache.Get(HeldView(copy)), first);
    EXPECT_EQ(cache.size(), 1u);

    for (PathSegments* written : {&copy, &original}) {
        for (HostPathSegment& s : *written)
            s.p = s.in = s.out = {s.p.h + 100, s.p.v};
        const NormalForm& moved = cache.Get(HeldView(*written));
        EXPECT_EQ(moved.minX, kMovedMinX);
        EXPECT_EQ(first->minX, 0);
    }
    EXPECT_EQ(cache.size(), 3u);
    // The same shape seen in place without holds is compared by its points.
    ShapeView unheld = HeldView(copy);
    unheld.holds.clear();
    EXPECT_EQ(cache.Get(unheld).minX, kMovedMinX);
}

TEST(Unite, NonFiniteCoordinatesAreDroppedNotUnited) {
    const double nan = std::nan("");
    const UniteResult result =
        Unite({Shape({Polygon({{0, 0}, {nan, 0}, {10, 10}})}), Shape({Square(0, 0, 10)})});
    EXPECT_FALSE(result.merged);
    EXPECT_EQ(result.rings.size(), 1u);
}

} // namespace
} // namespace host::pathfinder
