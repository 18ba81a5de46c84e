#include "host/pathfinder/SimpleRing.h"

#include "host/pathfinder/IntGeometry.h"

#include <algorithm>
#include <vector>

namespace host::pathfinder {
namespace {

using namespace geometry;

/// Whether the closed segments p-q and r-s have any point in common.
bool SegmentsMeet(IntPoint p, IntPoint q, IntPoint r, IntPoint s) {
    const int o1 = Orient(p, q, r), o2 = Orient(p, q, s);
    if (o1 * o2 > 0) return false;
    const int o3 = Orient(r, s, p), o4 = Orient(r, s, q);
    if (o3 * o4 > 0) return false;
    if (o1 != 0 || o2 != 0) return true;
    // On one line: they meet when their spans along it overlap or touch.
    const Box a = BoxOf(p, q), b = BoxOf(r, s);
    return a.Meets(b);
}

} // namespace

std::optional<Path> SimpleRingForm(Path ring) {
    ring.erase(std::unique(ring.begin(), ring.end()), ring.end());
    while (ring.size() > 1 && ring.front() == ring.back())
        ring.pop_back();
    ring = WithoutStraightRuns(ring);
    const std::size_t n = ring.size();
    if (n < 3) return std::nullopt;
    // What is still on one line with both neighbours doubles back: a spike.
    for (std::size_t i = 0; i < n; ++i)
        if (Orient(Previous(ring, i), ring[i], Next(ring, i)) == 0) return std::nullopt;

    std::vector<Edge> edges;
    edges.reserve(n);
    Box extent{ring[0].X, ring[0].Y, ring[0].X, ring[0].Y};
    for (std::uint32_t i = 0; i < n; ++i) {
        const IntPoint p = ring[i], q = Next(ring, i);
        edges.push_back({p, q, BoxOf(p, q), 0, i});
        extent = {std::min(extent.minX, p.X), std::min(extent.minY, p.Y),
                  std::max(extent.maxX, p.X), std::max(extent.maxY, p.Y)};
    }
    // Neighbouring edges meet only at their common vertex, as there are no spikes; any
    // other two edges must not meet at all.
    const bool simple = ForEachNearPair(edges, edges, extent, [&](const Edge& a, const Edge& b) {
        if (a.index >= b.index || b.index == a.index + 1 || (a.index == 0 && b.index == n - 1))
            return true;
        return !a.box.Meets(b.box) || !SegmentsMeet(a.p, a.q, b.p, b.q);
    });
    if (!simple) return std::nullopt;
    if (DoubleArea(ring) < 0) std::reverse(ring.begin(), ring.end());
    return ring;
}

} // namespace host::pathfinder
