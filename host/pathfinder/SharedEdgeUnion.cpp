#include "host/pathfinder/SharedEdgeUnion.h"

#include "host/pathfinder/IntGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace host::pathfinder {

struct SharedEdgeScratch::Buffers {
    struct Corner {
        geometry::IntPoint at;
        std::uint8_t shape;
        std::uint32_t ring, index;
    };
    struct EdgeRef {
        int shape;
        std::uint32_t ring, index;
    };
    std::vector<geometry::Edge> edges[2];
    geometry::NearPairGrid grid;
    /// Per edge of each shape, ring after ring: open, cancelled against the other shape,
    /// or taken into an outline; where each ring's edges begin.
    std::vector<std::uint8_t> state[2];
    std::vector<std::size_t> ringStart[2];
    std::vector<std::uint8_t> sharesCorner[2];
    std::vector<Corner> corners;
    std::vector<EdgeRef> entries;
    ClipperLib::Path ring;
};

namespace {

using namespace geometry;
using ClipperLib::Paths;
using Corner = SharedEdgeScratch::Buffers::Corner;
using EdgeRef = SharedEdgeScratch::Buffers::EdgeRef;

Box ExtentOf(const NormalForm& form) {
    return {form.minX, form.minY, form.maxX, form.maxY};
}

bool SameDirection(IntPoint u, IntPoint v) {
    return CrossOf(u, v) == 0 && DotOf(u, v) > 0;
}

/// Whether x comes before y turning counter-clockwise from the direction `from`.
bool TurnsBefore(IntPoint from, IntPoint x, IntPoint y) {
    const auto half = [&](IntPoint d) {
        const Int128 cross = CrossOf(from, d);
        return cross > 0 || (cross == 0 && DotOf(from, d) > 0) ? 0 : 1;
    };
    const int hx = half(x), hy = half(y);
    if (hx != hy) return hx < hy;
    return CrossOf(x, y) > 0;
}

/// Whether d points strictly into the corner swept counter-clockwise from `out` to `back`.
bool PointsInto(IntPoint out, IntPoint back, IntPoint d) {
    if (SameDirection(d, out) || SameDirection(d, back)) return false;
    return TurnsBefore(out, d, back);
}

void EdgesMeeting(const Paths& paths, const Box& window, std::vector<Edge>& edges) {
    edges.clear();
    for (std::uint32_t r = 0; r < paths.size(); ++r) {
        const Path& path = paths[r];
        for (std::uint32_t i = 0; i < path.size(); ++i) {
            const IntPoint p = path[i], q = Next(path, i);
            const Box box = BoxOf(p, q);
            if (box.Meets(window)) edges.push_back({p, q, box, r, i});
        }
    }
}

enum class Contact { None, Cancels, Conflict };

// How an edge of one shape meets an edge of the other. Meeting at a common end is left to
// the corner test; running back along each other cancels; anything else (crossing, an end
// inside the other edge, overlapping the same way) needs general clipping.
Contact Classify(const Edge& a, const Edge& b) {
    if (!a.box.Meets(b.box)) return Contact::None;
    if (a.p == b.q && a.q == b.p) return Contact::Cancels;
    if (a.p == b.p && a.q == b.q) return Contact::Conflict;
    const int o1 = Orient(a.p, a.q, b.p), o2 = Orient(a.p, a.q, b.q);
    if (o1 == 0 && o2 == 0) {
        // On one line: only a stretch in common is a conflict, a single point is not.
        const bool alongX = a.box.maxX - a.box.minX >= a.box.maxY - a.box.minY;
        const cInt from =
            alongX ? std::max(a.box.minX, b.box.minX) : std::max(a.box.minY, b.box.minY);
        const cInt to =
            alongX ? std::min(a.box.maxX, b.box.maxX) : std::min(a.box.maxY, b.box.maxY);
        return to > from ? Contact::Conflict : Contact::None;
    }
    if (o1 * o2 > 0) return Contact::None;
    const int o3 = Orient(b.p, b.q, a.p), o4 = Orient(b.p, b.q, a.q);
    if (o3 * o4 > 0) return Contact::None;
    // Not on one line, so they have a single point in common: fine if it ends both.
    const bool commonEnd = a.p == b.p || a.p == b.q || a.q == b.p || a.q == b.q;
    return commonEnd ? Contact::None : Contact::Conflict;
}

/// Non-zero winding number of p, which must not lie on the outlines.
int Winding(IntPoint p, const Paths& paths) {
    int winding = 0;
    for (const Path& path : paths) {
        for (std::size_t i = 0; i < path.size(); ++i) {
            const IntPoint a = path[i], b = Next(path, i);
            if (a.Y <= p.Y) {
                if (b.Y > p.Y && Orient(a, b, p) > 0) ++winding;
            } else if (b.Y <= p.Y && Orient(a, b, p) < 0) {
                --winding;
            }
        }
    }
    return winding;
}

class PairUnion {
public:
    PairUnion(const NormalForm& a, const NormalForm& b, SharedEdgeScratch::Buffers& buffers)
        : shapes_{&a, &b}, buffers_(buffers) {
        for (int s = 0; s < 2; ++s) {
            const Paths& paths = shapes_[s]->paths;
            std::vector<std::size_t>& starts = buffers_.ringStart[s];
            starts.clear();
            std::size_t edges = 0;
            for (const Path& path : paths) {
                starts.push_back(edges);
                edges += path.size();
            }
            starts.push_back(edges);
            buffers_.state[s].assign(edges, kOpen);
            buffers_.sharesCorner[s].assign(paths.size(), 0);
        }
    }

    std::optional<SharedEdgeUnion> Run() {
        const Box boxA = ExtentOf(*shapes_[0]), boxB = ExtentOf(*shapes_[1]);
        SharedEdgeUnion result;
        if (!boxA.Meets(boxB)) return result;
        // Edges can only meet, and corners only coincide, where the two extents overlap.
        const Box window{std::max(boxA.minX, boxB.minX), std::max(boxA.minY, boxB.minY),
                         std::min(boxA.maxX, boxB.maxX), std::min(boxA.maxY, boxB.maxY)};
        if (!MatchEdges(window) || !CheckCorners(window) || !CheckEnclosure(0) ||
            !CheckEnclosure(1))
            return std::nullopt;
        if (cancelledCount_ == 0) return result;
        result.merged = true;
        if (!Chain(result.paths)) return std::nullopt;
        return result;
    }

private:
    bool MatchEdges(const Box& window) {
        std::vector<Edge>& as = buffers_.edges[0];
        std::vector<Edge>& bs = buffers_.edges[1];
        EdgesMeeting(shapes_[0]->paths, window, as);
        EdgesMeeting(shapes_[1]->paths, window, bs);
        return ForEachNearPair(as, bs, window, buffers_.grid, [&](const Edge& a, const Edge& b) {
            switch (Classify(a, b)) {
            case Contact::None:
                return true;
            case Contact::Conflict:
                return false;
            case Contact::Cancels:
                break;
            }
            std::uint8_t& markA = State(0, a.ring, a.index);
            std::uint8_t& markB = State(1, b.ring, b.index);
            if (markA != kOpen || markB != kOpen) return false;
            markA = markB = kCancelled;
            ++cancelledCount_;
            return true;
        });
    }

    // Where the outlines meet at a common vertex, neither may turn into the other's inside.
    bool CheckCorners(const Box& window) {
        std::vector<Corner>& corners = buffers_.corners;
        corners.clear();
        for (std::uint8_t s = 0; s < 2; ++s)
            for (std::uint32_t r = 0; r < shapes_[s]->paths.size(); ++r)
                for (std::uint32_t i = 0; i < shapes_[s]->paths[r].size(); ++i)
                    if (window.Holds(shapes_[s]->paths[r][i]))
                        corners.push_back({shapes_[s]->paths[r][i], s, r, i});
        std::sort(corners.begin(), corners.end(),
                  [](const Corner& x, const Corner& y) { return PointBefore(x.at, y.at); });
        for (std::size_t from = 0; from < corners.size();) {
            std::size_t to = from + 1;
            while (to < corners.size() && corners[to].at == corners[from].at)
                ++to;
            if (!CheckCommonVertex(corners.data() + from, corners.data() + to)) return false;
            from = to;
        }
        return true;
    }

    bool CheckCommonVertex(const Corner* first, const Corner* last) {
        const bool both = std::any_of(first, last, [](const Corner& c) { return c.shape == 0; }) &&
                          std::any_of(first, last, [](const Corner& c) { return c.shape == 1; });
        if (!both) return true;
        for (const Corner* c = first; c != last; ++c) {
            buffers_.sharesCorner[c->shape][c->ring] = 1;
            for (const Corner* d = first; d != last; ++d) {
                if (d->shape == c->shape) continue;
                const Path& own = shapes_[c->shape]->paths[c->ring];
                const Path& other = shapes_[d->shape]->paths[d->ring];
                const IntPoint out = Minus(Next(own, c->index), c->at);
                const IntPoint back = Minus(Previous(own, c->index), c->at);
                if (PointsInto(out, back, Minus(Next(other, d->index), d->at)) ||
                    PointsInto(out, back, Minus(Previous(other, d->index), d->at)))
                    return false;
            }
        }
        return true;
    }

    // An outline that shares no vertex with the other shape is wholly inside or outside it;
    // inside means the insides overlap.
    bool CheckEnclosure(int s) const {
        const NormalForm& other = *shapes_[1 - s];
        const Box otherBox = ExtentOf(other);
        for (std::size_t r = 0; r < shapes_[s]->paths.size(); ++r) {
            if (buffers_.sharesCorner[s][r] != 0) continue;
            const IntPoint probe = shapes_[s]->paths[r].front();
            if (otherBox.Holds(probe) && Winding(probe, other.paths) != 0) return false;
        }
        return true;
    }

    std::uint8_t& State(int shape, std::uint32_t ring, std::uint32_t index) {
        return buffers_.state[shape][buffers_.ringStart[shape][ring] + index];
    }
    std::uint8_t& StateOf(const EdgeRef& e) { return State(e.shape, e.ring, e.index); }
    IntPoint From(const EdgeRef& e) const { return shapes_[e.shape]->paths[e.ring][e.index]; }
    IntPoint To(const EdgeRef& e) const { return Next(shapes_[e.shape]->paths[e.ring], e.index); }
    EdgeRef OwnNext(const EdgeRef& e) const {
        const std::size_t size = shapes_[e.shape]->paths[e.ring].size();
        return {e.shape, e.ring, e.index + 1 == size ? 0 : e.index + 1};
    }

    // Joins the edges left over into outlines. An outline follows its own ring until the
    // next edge was cancelled, then steps onto an edge that leaves the same vertex right
    // after a cancelled one. At every vertex there are as many such entries as outlines
    // needing one, so the walk never gets stuck on sound input.
    bool Chain(Paths& out) {
        std::vector<EdgeRef>& entries = buffers_.entries;
        entries.clear();
        for (int s = 0; s < 2; ++s)
            for (std::uint32_t r = 0; r < shapes_[s]->paths.size(); ++r) {
                const std::uint8_t* ring = &State(s, r, 0);
                const std::size_t size = shapes_[s]->paths[r].size();
                for (std::uint32_t i = 0; i < size; ++i)
                    if (ring[i] == kOpen && ring[i == 0 ? size - 1 : i - 1] == kCancelled)
                        entries.push_back({s, r, i});
            }
        std::sort(entries.begin(), entries.end(), [&](const EdgeRef& x, const EdgeRef& y) {
            return PointBefore(From(x), From(y));
        });

        Paths outers, holes;
        const auto keep = [&](const Path& ring) {
            Path clean = WithoutStraightRuns(ring);
            if (clean.size() < 3) return false;
            const Int128 area = DoubleArea(clean);
            if (area == 0) return false;
            (area > 0 ? outers : holes).push_back(std::move(clean));
            return true;
        };
        for (const EdgeRef& first : entries) {
            if (StateOf(first) != kOpen) continue;
            Path& ring = buffers_.ring; // kept from pair to pair with its room
            ring.clear();
            for (EdgeRef at = first;;) {
                StateOf(at) = kTaken;
                ring.push_back(From(at));
                if (const EdgeRef own = OwnNext(at); StateOf(own) == kOpen) {
                    at = own;
                    continue;
                }
                // The sharpest left turn keeps outlines from touching themselves.
                const IntPoint vertex = To(at);
                const IntPoint back = Minus(From(at), vertex);
                const auto lo =
                    std::partition_point(entries.begin(), entries.end(), [&](const EdgeRef& e) {
                        return PointBefore(From(e), vertex);
                    });
                const EdgeRef* next = nullptr;
                for (auto it = lo; it != entries.end() && From(*it) == vertex; ++it) {
                    const bool open = StateOf(*it) == kOpen;
                    const bool closes = it->shape == first.shape && it->ring == first.ring &&
                                        it->index == first.index;
                    if ((open || closes) &&
                        (next == nullptr ||
                         TurnsBefore(back, Minus(To(*next), vertex), Minus(To(*it), vertex))))
                        next = &*it;
                }
                if (next == nullptr) return false;
                if (StateOf(*next) != kOpen) break; // back at the first edge
                at = *next;
            }
            if (!keep(ring)) return false;
        }
        // Rings that lost no edge are outlines of the union as they stand.
        for (int s = 0; s < 2; ++s)
            for (std::uint32_t r = 0; r < shapes_[s]->paths.size(); ++r)
                if (State(s, r, 0) == kOpen && !keep(shapes_[s]->paths[r])) return false;

        // Which outer each hole belongs to would take a containment search; leave that rare
        // case to general clipping.
        if (outers.empty() || (!holes.empty() && outers.size() > 1)) return false;
        out = std::move(outers);
        for (Path& hole : holes)
            out.push_back(std::move(hole));
        return true;
    }

    static constexpr std::uint8_t kOpen = 0, kCancelled = 1, kTaken = 2;

    const NormalForm* shapes_[2];
    SharedEdgeScratch::Buffers& buffers_;
    std::size_t cancelledCount_ = 0;
};

} // namespace

SharedEdgeScratch::SharedEdgeScratch() : buffers_(std::make_unique<Buffers>()) {}
SharedEdgeScratch::~SharedEdgeScratch() = default;

std::optional<SharedEdgeUnion> UniteAlongSharedEdges(const NormalForm& a, const NormalForm& b,
                                                     SharedEdgeScratch& scratch) {
    return PairUnion(a, b, scratch.buffers()).Run();
}

std::optional<SharedEdgeUnion> UniteAlongSharedEdges(const NormalForm& a, const NormalForm& b) {
    SharedEdgeScratch scratch;
    return UniteAlongSharedEdges(a, b, scratch);
}

} // namespace host::pathfinder
