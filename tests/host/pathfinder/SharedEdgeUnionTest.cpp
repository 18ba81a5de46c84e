#include "host/pathfinder/SharedEdgeUnion.h"

#include "host/document/Document.h"
#include "host/pathfinder/NormalForm.h"
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
using ClipperLib::Paths;

// Outlines given in whole points; the unite's units are finer.
NormalForm Form(std::initializer_list<std::initializer_list<std::pair<double, double>>> rings) {
    UniteShape shape;
    for (const auto& points : rings) {
        BezierRing ring;
        for (auto [x, y] : points) {
            HostPathSegment s{};
            s.p = s.in = s.out = {x, y};
            ring.push_back(s);
        }
        shape.rings.push_back(ring);
    }
    return Normalise(shape);
}

NormalForm Square(double x, double y, double size) {
    return Form({{{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}});
}

enum class Answer { Apart, Merged, Declined };

struct PairCase {
    const char* caption;
    NormalForm a, b;
    Answer answer;
    std::size_t outlines; // when merged
};

class SharedEdgeUnionCases : public ::testing::TestWithParam<PairCase> {};

TEST_P(SharedEdgeUnionCases, AnswersOnlyWhatItCanProve) {
    const PairCase& c = GetParam();
    const std::optional<SharedEdgeUnion> united = UniteAlongSharedEdges(c.a, c.b);
    const Answer answer = !united          ? Answer::Declined
                          : united->merged ? Answer::Merged
                                           : Answer::Apart;
    ASSERT_EQ(answer, c.answer) << c.caption;
    if (answer == Answer::Merged) {
        EXPECT_EQ(united->paths.size(), c.outlines) << c.caption;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SharedEdgeUnionCases,
    ::testing::Values(
        PairCase{"shared edge", Square(0, 0, 10), Square(10, 0, 10), Answer::Merged, 1},
        PairCase{"corner contact", Square(0, 0, 10), Square(10, 10, 10), Answer::Apart, 0},
        PairCase{"close but apart", Square(0, 0, 10), Square(10.5, 0, 10), Answer::Apart, 0},
        // A vertex of one in the middle of the other's edge is left to general clipping.
        PairCase{"part of an edge", Square(0, 0, 10), Square(10, 5, 10), Answer::Declined, 0},
        PairCase{"overlap", Square(0, 0, 10), Square(5, 5, 10), Answer::Declined, 0},
        PairCase{"one inside the other", Square(0, 0, 10), Square(2, 2, 3), Answer::Declined, 0},
        PairCase{"same square twice", Square(0, 0, 10), Square(0, 0, 10), Answer::Declined, 0},
        // Shares the corner (0,0) and turns into the square from there, edges never crossing.
        PairCase{"wedge entering at a common corner", Square(0, 0, 10),
                 Form({{{0, 0}, {5, 3}, {3, 5}}}), Answer::Declined, 0},
        PairCase{
            "island in a lake",
            Form({{{0, 0}, {30, 0}, {30, 30}, {0, 30}}, {{10, 10}, {10, 20}, {20, 20}, {20, 10}}}),
            Square(12, 12, 6), Answer::Apart, 0},
        PairCase{
            "enclave filling a hole",
            Form({{{0, 0}, {30, 0}, {30, 30}, {0, 30}}, {{10, 10}, {10, 20}, {20, 20}, {20, 10}}}),
            Square(10, 10, 10), Answer::Merged, 1},
        PairCase{
            "two U shapes closing a courtyard",
            Form({{{0, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 5}, {10, 5}, {10, 10}, {0, 10}}}),
            Form({{{0, 10}, {10, 10}, {10, 15}, {20, 15}, {20, 10}, {30, 10}, {30, 20}, {0, 20}}}),
            Answer::Merged, 2},
        // Two outers and a hole: which outer holds the hole is left to general clipping.
        PairCase{
            "courtyard beside an island",
            Form({{{0, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 5}, {10, 5}, {10, 10}, {0, 10}},
                  {{50, 0}, {60, 0}, {60, 10}, {50, 10}}}),
            Form({{{0, 10}, {10, 10}, {10, 15}, {20, 15}, {20, 10}, {30, 10}, {30, 20}, {0, 20}}}),
            Answer::Declined, 0},
        // B shares the square's right edge, wraps over it and comes down to its top-left
        // corner, closing a triangular courtyard that touches the outline there. One
        // outline that touches itself is as sound as an outer and a hole.
        PairCase{"courtyard touching the outline", Square(0, 0, 10),
                 Form({{{10, 0}, {20, 0}, {20, 20}, {-5, 20}, {0, 10}, {5, 15}, {10, 10}}}),
                 Answer::Merged, 1}));

// General clipping's union as the reference: whether the pair merged, and the union's area.
// Where the union touches itself at a point, either may split it into outlines its own way.
struct Reference {
    bool merged = false;
    Int128 doubleArea = 0;
};

Reference Clip(const NormalForm& a, const NormalForm& b) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(a.paths, ClipperLib::ptSubject, true);
    clipper.AddPaths(b.paths, ClipperLib::ptSubject, true);
    Paths united;
    clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    Reference reference;
    double perimeter = 0;
    for (const Path& path : united) {
        reference.doubleArea += DoubleArea(path);
        for (std::size_t i = 0, j = path.size() - 1; i < path.size(); j = i++)
            perimeter += std::hypot(static_cast<double>(path[i].X - path[j].X),
                                    static_cast<double>(path[i].Y - path[j].Y));
    }
    reference.merged = reference.doubleArea < a.doubleArea + b.doubleArea ||
                       perimeter < a.perimeter + b.perimeter - 0.5;
    return reference;
}

std::vector<NormalForm> PolygonsOf(const Document& document) {
    std::vector<NormalForm> forms;
    for (const Layer* layer : document.allLayers()) {
        for (const Art* art : document.layerArt(*layer)) {
            const Art* parent = art->parent();
            if (parent != nullptr && parent->type() == ArtType::CompoundPath) continue;
            UniteShape shape;
            if (art->type() == ArtType::Path) {
                shape.rings.emplace_back(art->path()->segments.begin(),
                                         art->path()->segments.end());
            } else if (art->type() == ArtType::CompoundPath) {
                for (const Art* member = art->firstChild(); member; member = member->nextSibling())
                    if (member->type() == ArtType::Path)
                        shape.rings.emplace_back(member->path()->segments.begin(),
                                                 member->path()->segments.end());
            } else {
                continue;
            }
            PathStyle style;
            if (document.getPathStyle(*art, style) == kHostNoErr) shape.evenOdd = style.evenOdd;
            forms.push_back(Normalise(shape));
        }
    }
    return forms;
}

class SharedEdgeUnionOnMaps : public ::testing::TestWithParam<const char*> {};

// On real maps, every pair whose extents meet gets the same verdict and the same area as general
// clipping gives, whenever the pair is answered.
TEST_P(SharedEdgeUnionOnMaps, AgreesWithGeneralClipping) {
    const SvgLoadResult loaded = loadSvgFile(std::string(CARTOVEL_EXAMPLES) + "/" + GetParam());
    ASSERT_TRUE(loaded.document) << loaded.message;
    std::vector<NormalForm> forms = PolygonsOf(*loaded.document);
    ASSERT_GT(forms.size(), 40u);
    std::sort(forms.begin(), forms.end(),
              [](const NormalForm& x, const NormalForm& y) { return x.minX < y.minX; });

    std::size_t pairs = 0, answered = 0, merged = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        for (std::size_t j = i + 1; j < forms.size() && forms[j].minX <= forms[i].maxX; ++j) {
            const NormalForm &a = forms[i], &b = forms[j];
            if (a.maxY < b.minY || b.maxY < a.minY) continue;
            ++pairs;
            const std::optional<SharedEdgeUnion> united = UniteAlongSharedEdges(a, b);
            if (!united) continue;
            ++answered;
            const Reference reference = Clip(a, b);
            ASSERT_EQ(united->merged, reference.merged) << "pair " << i << ", " << j;
            if (!united->merged) continue;
            ++merged;
            Int128 area = 0;
            for (const Path& path : united->paths)
                area += DoubleArea(path);
            ASSERT_TRUE(area == reference.doubleArea) << "pair " << i << ", " << j;
        }
    }
    EXPECT_GT(merged, 0u);
    RecordProperty("pairs", static_cast<int>(pairs));
    RecordProperty("answered", static_cast<int>(answered));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SharedEdgeUnionOnMaps,
                         ::testing::Values("us-states.svg", "us-counties.svg"));

} // namespace
} // namespace host::pathfinder
