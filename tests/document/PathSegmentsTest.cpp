#include "host/document/PathSegments.h"

#include <gtest/gtest.h>

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
    const HostPathSegment* held = static_cast<const PathSegments&>(path).data();
    {
        const std::shared_ptr<const void> hold = path.hold();
        path[0].p.h = 5;
        EXPECT_EQ(held[0].p.h, 1.0);
        EXPECT_NE(static_cast<const PathSegments&>(path).data(), held);
    }
    // Without a hold the owner writes in place.
    const HostPathSegment* own = static_cast<const PathSegments&>(path).data();
    path[1].p.h = 6;
    EXPECT_EQ(static_cast<const PathSegments&>(path).data(), own);
    EXPECT_EQ(Xs(path), (std::vector<double>{5, 6}));
    EXPECT_EQ(PathSegments().hold(), nullptr);
}

} // namespace
} // namespace host
