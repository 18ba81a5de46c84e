// The candidate index finds exactly the partners a comparison with every later candidate
// finds, however the boxes are spread.
#include "maptools/CandidateIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

PolygonCandidate Box(double left, double bottom, double width, double height) {
    PolygonCandidate c;
    c.grown = {left, bottom + height, left + width, bottom};
    return c;
}

std::vector<size_t> EveryLaterOverlap(const std::vector<PolygonCandidate>& all, size_t of,
                                      size_t after) {
    const auto usable = [](const PolygonCandidate& c) {
        const HostRealRect& r = c.grown;
        return c.boundsError == kHostNoErr && std::isfinite(r.left) && std::isfinite(r.right) &&
               std::isfinite(r.top) && std::isfinite(r.bottom) && r.left <= r.right &&
               r.bottom <= r.top;
    };
    std::vector<size_t> found;
    const HostRealRect& a = all[of].grown;
    for (size_t i = after; i < all.size(); ++i) {
        const HostRealRect& b = all[i].grown;
        if (!usable(all[of]) || !usable(all[i]) ||
            (a.left <= b.right + 1e-6 && b.left <= a.right + 1e-6 && a.bottom <= b.top + 1e-6 &&
             b.bottom <= a.top + 1e-6))
            found.push_back(i);
    }
    return found;
}

struct Layout {
    const char* name;
    std::vector<PolygonCandidate> (*make)();
};

// A field of touching cells with some jitter.
std::vector<PolygonCandidate> Field(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3);
    std::vector<PolygonCandidate> all;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            all.push_back(Box(x * 4 + jitter(random), y * 4 + jitter(random), 5, 5));
    return all;
}

const Layout kLayouts[] = {
    {"field", [] { return Field(1); }},
    {"field with one square far away",
     [] {
         auto all = Field(2);
         all.insert(all.begin() + 400, Box(1e7, -1e7, 5, 5));
         return all;
     }},
    {"field with a frame around everything and a long strip",
     [] {
         auto all = Field(3);
         all.insert(all.begin() + 10, Box(-10, -10, 140, 140));
         all.push_back(Box(-5, 60, 200, 1));
         return all;
     }},
    {"boxes without usable bounds",
     [] {
         auto all = Field(4);
         all[5].boundsError = -1;
         all[300].grown.left = std::numeric_limits<double>::infinity();
         all[600].grown = {10, 0, 0, 10}; // inverted
         return all;
     }},
    {"all in one point",
     [] {
         std::vector<PolygonCandidate> all(20, Box(3, 3, 0, 0));
         return all;
     }},
    {"coordinates far from the origin",
     [] {
         auto all = Field(5);
         for (PolygonCandidate& c : all) {
             c.grown.left += 4e12;
             c.grown.right += 4e12;
         }
         return all;
     }},
};

TEST(CandidateIndex, FindsWhatComparingWithEveryLaterCandidateFinds) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const std::vector<PolygonCandidate> all = layout.make();
        CandidateIndex index;
        index.Build(all);
        std::vector<size_t> found;
        for (size_t of = 0; of < all.size(); of += 7) {
            for (size_t after : {of + 1, size_t{0}, all.size()}) {
                index.Partners(all, all[of], after, found);
                ASSERT_EQ(found, EveryLaterOverlap(all, of, after)) << "candidate " << of;
            }
        }
    }
}

} // namespace
