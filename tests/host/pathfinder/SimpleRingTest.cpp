#include "host/pathfinder/SimpleRing.h"

#include "host/document/Document.h"
#include "host/svg/SvgFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace host::pathfinder {
namespace {

using ClipperLib::IntPoint;
using ClipperLib::Path;

Path Outline(std::initializer_list<std::pair<long long, long long>> points) {
    Path path;
    for (auto [x, y] : points)
        path.push_back(IntPoint(x, y));
    return path;
}

// The same cycle of vertices, whichever vertex it starts at.
bool SameCycle(const Path& a, const Path& b) {
    if (a.size() != b.size()) return false;
    if (a.empty()) return true;
    const auto start = std::find(b.begin(), b.end(), a.front());
    if (start == b.end()) return false;
    Path rotated(start, b.end());
    rotated.insert(rotated.end(), b.begin(), start);
    return rotated == a;
}

struct RingCase {
    const char* caption;
    Path ring;
    std::optional<Path> form;
};

class SimpleRingCases : public ::testing::TestWithParam<RingCase> {};

TEST_P(SimpleRingCases, KeepsOnlyWhatIsProvenSimple) {
    const RingCase& c = GetParam();
    const std::optional<Path> form = SimpleRingForm(c.ring);
    ASSERT_EQ(form.has_value(), c.form.has_value()) << c.caption;
    if (form) {
        EXPECT_TRUE(SameCycle(*form, *c.form)) << c.caption;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimpleRingCases,
    ::testing::Values(
        RingCase{"counter-clockwise square", Outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}}),
                 Outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}})},
        RingCase{"clockwise square is turned round", Outline({{0, 0}, {0, 9}, {9, 9}, {9, 0}}),
                 Outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}})},
        RingCase{"repeated points and a straight-run vertex go",
                 Outline({{0, 0}, {0, 0}, {4, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0}}),
                 Outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}})},
        RingCase{"bow tie crosses itself", Outline({{0, 0}, {9, 9}, {9, 0}, {0, 9}}), std::nullopt},
        RingCase{"touches itself at a vertex", Outline({{0, 0}, {9, 0}, {9, 9}, {4, 0}, {0, 9}}),
                 std::nullopt},
        RingCase{"doubles back in a spike", Outline({{0, 0}, {9, 0}, {12, 0}, {9, 0}, {9, 9}}),
                 std::nullopt},
        RingCase{"no area", Outline({{0, 0}, {4, 0}, {9, 0}}), std::nullopt}));

class SimpleRingOnMaps : public ::testing::TestWithParam<const char*> {};

// Every outline of a real map that is answered has the very vertices, in the very order,
// that general clipping leaves: neighbours' shared borders must stay vertex for vertex.
TEST_P(SimpleRingOnMaps, MatchesGeneralClipping) {
    const SvgLoadResult loaded = loadSvgFile(std::string(CARTOVEL_EXAMPLES) + "/" + GetParam());
    ASSERT_TRUE(loaded.document) << loaded.message;
    std::size_t answered = 0;
    for (const Layer* layer : loaded.document->allLayers()) {
        for (const Art* art : loaded.document->layerArt(*layer)) {
            if (art->type() != ArtType::Path) continue;
            const PathSegments& segments = art->path()->segments;
            const std::vector<HostPathSegment> whole(segments.begin(), segments.end());
            const Ring flat = Flatten(whole);
            Path path;
            for (const HostRealPoint& p : flat)
                path.push_back(IntPoint(std::llround(p.h * kUnitsPerPoint),
                                        std::llround(p.v * kUnitsPerPoint)));
            const std::optional<Path> form = SimpleRingForm(path);
            if (!form) continue;
            ++answered;
            ClipperLib::Clipper clipper;
            clipper.AddPath(path, ClipperLib::ptSubject, true);
            ClipperLib::Paths clipped;
            clipper.Execute(ClipperLib::ctUnion, clipped, ClipperLib::pftNonZero,
                            ClipperLib::pftNonZero);
            ASSERT_EQ(clipped.size(), 1u);
            ASSERT_TRUE(SameCycle(*form, clipped.front())) << "art " << answered;
        }
    }
    EXPECT_GT(answered, 40u);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SimpleRingOnMaps,
                         ::testing::Values("us-states.svg", "us-counties.svg"));

} // namespace
} // namespace host::pathfinder
