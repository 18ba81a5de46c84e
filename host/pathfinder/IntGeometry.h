// Exact predicates and small tools on the unite's integer coordinates.
#pragma once

#include "host/pathfinder/NormalForm.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace host::pathfinder::geometry {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;

struct Box {
    cInt minX, minY, maxX, maxY;

    [[nodiscard]] bool Meets(const Box& other) const {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
    [[nodiscard]] bool Holds(IntPoint p) const {
        return minX <= p.X && p.X <= maxX && minY <= p.Y && p.Y <= maxY;
    }
};

inline Box BoxOf(IntPoint p, IntPoint q) {
    return {std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)};
}

// Coordinates reach 2^52, so products of differences need 128 bits to stay exact.
inline Int128 CrossOf(IntPoint u, IntPoint v) {
    return static_cast<Int128>(u.X) * v.Y - static_cast<Int128>(u.Y) * v.X;
}

inline Int128 DotOf(IntPoint u, IntPoint v) {
    return static_cast<Int128>(u.X) * v.X + static_cast<Int128>(u.Y) * v.Y;
}

inline IntPoint Minus(IntPoint a, IntPoint b) {
    return IntPoint(a.X - b.X, a.Y - b.Y);
}

/// +1 when c lies left of the line a→b, -1 when right, 0 when on it.
inline int Orient(IntPoint a, IntPoint b, IntPoint c) {
    const Int128 cross = CrossOf(Minus(b, a), Minus(c, a));
    return (cross > 0) - (cross < 0);
}

inline bool PointBefore(IntPoint a, IntPoint b) {
    return a.X != b.X ? a.X < b.X : a.Y < b.Y;
}

/// Whether b is a vertex in the middle of the straight run from a to c.
inline bool Straight(IntPoint a, IntPoint b, IntPoint c) {
    return Orient(a, b, c) == 0 && DotOf(Minus(b, a), Minus(c, b)) > 0;
}

inline IntPoint Next(const Path& path, std::size_t i) {
    return path[i + 1 == path.size() ? 0 : i + 1];
}

inline IntPoint Previous(const Path& path, std::size_t i) {
    return path[i == 0 ? path.size() - 1 : i - 1];
}

/// Edge index of a ring runs from vertex index to the next one.
struct Edge {
    IntPoint p, q;
    Box box;
    std::uint32_t ring, index;
};

/// The cells of ForEachNearPair's grid, kept between calls so that a run of them allocates
/// only while the largest grid so far grows.
struct NearPairGrid {
    std::vector<std::uint32_t> start, fill, members;
};

// Calls test(a, b) once for each pair of edges whose boxes may meet; stops when it says so.
template <class Test>
bool ForEachNearPair(const std::vector<Edge>& as, const std::vector<Edge>& bs, const Box& window,
                     NearPairGrid& grid, Test&& test) {
    if (as.size() * bs.size() <= 1024) {
        for (const Edge& a : as)
            for (const Edge& b : bs)
                if (!test(a, b)) return false;
        return true;
    }
    // A grid over the window with about as many cells as edges. A pair is tested only in
    // the cell that holds the low corner of where their boxes overlap, so never twice.
    const auto side = static_cast<cInt>(std::sqrt(static_cast<double>(as.size() + bs.size())));
    const cInt cellWidth = (window.maxX - window.minX) / side + 1;
    const cInt cellHeight = (window.maxY - window.minY) / side + 1;
    const auto column = [&](cInt x) {
        return static_cast<std::size_t>(
            std::clamp<cInt>((x - window.minX) / cellWidth, 0, side - 1));
    };
    const auto row = [&](cInt y) {
        return static_cast<std::size_t>(
            std::clamp<cInt>((y - window.minY) / cellHeight, 0, side - 1));
    };
    const auto cols = static_cast<std::size_t>(side);
    std::vector<std::uint32_t>& start = grid.start;
    start.assign(cols * cols + 1, 0);
    const auto forCells = [&](const Box& box, auto&& visit) {
        for (std::size_t y = row(box.minY); y <= row(box.maxY); ++y)
            for (std::size_t x = column(box.minX); x <= column(box.maxX); ++x)
                visit(y * cols + x);
    };
    for (const Edge& b : bs)
        forCells(b.box, [&](std::size_t cell) { ++start[cell + 1]; });
    for (std::size_t cell = 0; cell < cols * cols; ++cell)
        start[cell + 1] += start[cell];
    std::vector<std::uint32_t>& fill = grid.fill;
    fill.assign(start.begin(), start.end() - 1);
    std::vector<std::uint32_t>& members = grid.members;
    members.resize(start.back());
    for (std::uint32_t i = 0; i < bs.size(); ++i)
        forCells(bs[i].box, [&](std::size_t cell) { members[fill[cell]++] = i; });

    for (const Edge& a : as) {
        bool go = true;
        forCells(a.box, [&](std::size_t cell) {
            for (std::uint32_t k = start[cell]; go && k < start[cell + 1]; ++k) {
                const Edge& b = bs[members[k]];
                const std::size_t home = row(std::max(a.box.minY, b.box.minY)) * cols +
                                         column(std::max(a.box.minX, b.box.minX));
                if (home == cell) go = test(a, b);
            }
        });
        if (!go) return false;
    }
    return true;
}

template <class Test>
bool ForEachNearPair(const std::vector<Edge>& as, const std::vector<Edge>& bs, const Box& window,
                     Test&& test) {
    NearPairGrid grid;
    return ForEachNearPair(as, bs, window, grid, std::forward<Test>(test));
}

// Drops the vertices in the middle of straight runs, as general clipping does.
inline Path WithoutStraightRuns(const Path& ring) {
    Path out;
    out.reserve(ring.size());
    for (const IntPoint& p : ring) {
        while (out.size() >= 2 && Straight(out[out.size() - 2], out.back(), p))
            out.pop_back();
        out.push_back(p);
    }
    std::size_t first = 0;
    for (bool changed = true; changed && out.size() - first >= 3;) {
        changed = false;
        if (Straight(out[out.size() - 2], out.back(), out[first])) {
            out.pop_back();
            changed = true;
        } else if (Straight(out.back(), out[first], out[first + 1])) {
            ++first;
            changed = true;
        }
    }
    out.erase(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(first));
    return out;
}

} // namespace host::pathfinder::geometry
