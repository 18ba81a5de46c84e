#include "host/document/PathSegments.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace host {
namespace {

HostPathSegment At(double x) {
    HostPathSegment s{};
    s.p = s.in = s.out = {x, -x};
    s.corner = 1;
    return s;
}

std::vector<double> Xs(const PathSegments& segments) {
    std::vector<double> xs;
    for (const HostPathSegment& s : segments)
        xs.push_back(s.p.h);
    return xs;
}

bool SameBits(const HostPathSegment& a, const HostPathSegment& b) {
    return std::memcmp(&a.p, &b.p, sizeof a.p) == 0 &&
           std::memcmp(&a.in, &b.in, sizeof a.in) == 0 &&
           std::memcmp(&a.out, &b.out, sizeof a.out) == 0 && a.corner == b.corner;
}

// Whatever way a path is kept, each reader gives back the very bits that were stored.
TEST(PathSegments, KeepsStraightPathsCompactAndReadsThemBackExactly) {
    const HostRealPoint negZero{-0.0, 0.0};
    const HostPathSegment curve{{1, 1}, {0, 2}, {2, 0}, 0};
    struct Case {
        const char* name;
        std::vector<HostPathSegment> stored;
        bool compact;
    };
    const std::vector<Case> cases = {
        {"polygon with all kinds of corner flags",
         {{negZero, negZero, negZero, 1},
          {{3, -0.0}, {3, -0.0}, {3, -0.0}, 0},
          {{1e308, 5e-324}, {1e308, 5e-324}, {1e308, 5e-324}, 7}},
         true},
        {"a curve among straight anchors", {At(1), curve, At(2)}, false},
        {"a handle that differs from its anchor only in the sign of zero",
         {At(1), {{0.0, 4}, {-0.0, 4}, {0.0, 4}, 1}},
         false},
    };
    for (const Case& c : cases) {
        const PathSegments path{std::span<const HostPathSegment>(c.stored)};
        EXPECT_EQ(path.compact(), c.compact) << c.name;
        ASSERT_EQ(path.size(), c.stored.size()) << c.name;
        std::vector<HostPathSegment> copied(path.size());
        path.copyTo(0, path.size(), copied.data());
        std::size_t i = 0;
        for (const HostPathSegment& s : path) {
            EXPECT_TRUE(SameBits(s, c.stored[i])) << c.name << " iterated " << i;
            EXPECT_TRUE(SameBits(path[i], c.stored[i])) << c.name << " indexed " << i;
            EXPECT_TRUE(SameBits(copied[i], c.stored[i])) << c.name << " copied " << i;
            const HostRealPoint point = path.point(i);
            EXPECT_EQ(std::memcmp(&point, &c.stored[i].p, sizeof point), 0) << c.name;
            ++i;
        }
        EXPECT_TRUE(SameBits(path.back(), c.stored.back())) << c.name;
    }
}

// A compact path goes to full storage when a writer may change a handle, and stays
// compact when each point moves alike; copies keep what they had either way.
TEST(PathSegments, CompactPathsExpandOnlyForWritersThatNeedIt) {
    struct Case {
        const char* name;
        std::function<void(PathSegments&)> write;
        bool compact;
        double firstX;
    };
    const std::vector<Case> cases = {
        {"one anchor written", [](PathSegments& s) { s[1].corner = 0; }, false, 1},
        {"a curve stored",
         [](PathSegments& s) {
             s = {At(4), {{5, 5}, {6, 6}, {5, 5}, 0}};
         },
         false, 4},
        {"straight anchors stored",
         [](PathSegments& s) {
             s = {At(4), At(5)};
         },
         true, 4},
        {"anchor appended", [](PathSegments& s) { s.push_back(At(4)); }, false, 1},
        {"every point moved",
         [](PathSegments& s) {
             s.mapPoints([](HostRealPoint p) { return HostRealPoint{p.h * 2, p.v}; });
         },
         true, 2},
    };
    for (const Case& c : cases) {
        PathSegments path{At(1), At(2), At(3)};
        ASSERT_TRUE(path.compact());
        const PathSegments copy = path;
        c.write(path);
        EXPECT_EQ(path.compact(), c.compact) << c.name;
        EXPECT_EQ(path.front().p.h, c.firstX) << c.name;
        EXPECT_TRUE(copy.compact()) << c.name;
        EXPECT_EQ(Xs(copy), (std::vector<double>{1, 2, 3})) << c.name;
        EXPECT_FALSE(copy.sharesWith(path)) << c.name;
    }
}

// Every writing member, applied to a path that shares its buffer with a copy: the path
// gets what a vector would, and the copy keeps what it had.
TEST(PathSegments, EveryWriteLeavesCopiesAsTheyWere) {
    struct Case {
        const char* name;
        std::function<void(PathSegments&)> write;
        std::vector<double> expected;
    };
    const std::vector<Case> cases = {
        {"index", [](PathSegments& s) { s[1].p.h = 9; }, {1, 9, 3}},
        {"front and back",
         [](PathSegments& s) {
             s.front().p.h = 7;
             s.back().p.h = 8;
         },
         {7, 2, 8}},
        {"iteration",
         [](PathSegments& s) {
             for (HostPathSegment& x : s)
                 x.p.h += 10;
         },
         {11, 12, 13}},
        {"data", [](PathSegments& s) { s.data()[2].p.h = 0; }, {1, 2, 0}},
        {"push_back beyond the room", [](PathSegments& s) { s.push_back(At(4)); }, {1, 2, 3, 4}},
        {"push_back within the room",
         [](PathSegments& s) {
             s.reserve(8);
             s.push_back(At(4));
         },
         {1, 2, 3, 4}},
        {"push_back of its own segment", [](PathSegments& s) { s.push_back(s[0]); }, {1, 2, 3, 1}},
        {"pop_back", [](PathSegments& s) { s.pop_back(); }, {1, 2}},
        {"resize down", [](PathSegments& s) { s.resize(1); }, {1}},
        {"resize up", [](PathSegments& s) { s.resize(5, At(6)); }, {1, 2, 3, 6, 6}},
        {"assign from its own range",
         [](PathSegments& s) { s.assign(s.begin() + 1, s.end()); },
         {2, 3}},
        {"assign a count of its own segment", [](PathSegments& s) { s.assign(2, s[2]); }, {3, 3}},
        {"list", [](PathSegments& s) { s = {At(5)}; }, {5}},
        {"clear", [](PathSegments& s) { s.clear(); }, {}},
    };
    for (const Case& c : cases) {
        PathSegments path{At(1), At(2), At(3)};
        const PathSegments copy = path;
        ASSERT_TRUE(copy.sharesWith(path));
        c.write(path);
        EXPECT_EQ(Xs(path), c.expected) << c.name;
        EXPECT_EQ(Xs(copy), (std::vector<double>{1, 2, 3})) << c.name;
        EXPECT_FALSE(copy.sharesWith(path)) << c.name;
    }
}

// A hold is what a cache keyed on the buffer relies on: while it lives, the segments it
// holds stay as they are, even when the path that made it is the only path using them.
TEST(PathSegments, HeldSegmentsStayWhileTheOwnerWrites) {
    PathSegments path{At(1), At(2)};
    path[0].corner = 0; // now kept in full
    const HostPathSegment* held = path.fullData();
    {
        const std::shared_ptr<const void> hold = path.hold();
        path[0].p.h = 5;
        EXPECT_EQ(held[0].p.h, 1.0);
        EXPECT_NE(path.fullData(), held);
    }
    // Without a hold the owner writes in place.
    const HostPathSegment* own = path.fullData();
    path[1].p.h = 6;
    EXPECT_EQ(path.fullData(), own);
    EXPECT_EQ(Xs(path), (std::vector<double>{5, 6}));
    EXPECT_EQ(PathSegments().hold(), nullptr);
}

} // namespace
} // namespace host
