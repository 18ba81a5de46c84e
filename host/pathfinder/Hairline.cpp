#include "host/pathfinder/Hairline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host::pathfinder {
namespace {

using namespace geometry;

struct Vec {
    double x, y;
};

Vec VecOf(IntPoint from, IntPoint to) {
    return {static_cast<double>(to.X - from.X), static_cast<double>(to.Y - from.Y)};
}

double Dot(Vec u, Vec v) {
    return u.x * v.x + u.y * v.y;
}

double Cross(Vec u, Vec v) {
    return u.x * v.y - u.y * v.x;
}

Box Grown(const Box& box, cInt by) {
    return {box.minX - by, box.minY - by, box.maxX + by, box.maxY + by};
}

// Narrows [lo, hi] to the t with from <= k0 + k1 t <= to.
void Constrain(double k0, double k1, double from, double to, double& lo, double& hi) {
    if (k1 == 0) {
        if (k0 < from || k0 > to) hi = -1, lo = 1;
        return;
    }
    double t0 = (from - k0) / k1, t1 = (to - k0) / k1;
    if (t0 > t1) std::swap(t0, t1);
    lo = std::max(lo, t0);
    hi = std::min(hi, t1);
}

// Widens [lo, hi] by the t with |p0 + t d - c| <= r.
void AddDisc(Vec p0, Vec d, Vec c, double r, double& lo, double& hi) {
    const Vec w{p0.x - c.x, p0.y - c.y};
    const double a = Dot(d, d), b = 2 * Dot(d, w), k = Dot(w, w) - r * r;
    const double discriminant = b * b - 4 * a * k;
    if (discriminant < 0) return;
    const double root = std::sqrt(discriminant);
    lo = std::min(lo, (-b - root) / (2 * a));
    hi = std::max(hi, (-b + root) / (2 * a));
}

// The part of the edge p→q (t from 0 to 1) within r of the segment u→v: the line meets the
// capsule around u→v, a convex set, in one interval, the hull of where it meets the
// capsule's rectangle and its two end discs. Empty when lo > hi.
std::pair<double, double> WithinReach(IntPoint p, IntPoint q, IntPoint u, IntPoint v, double r) {
    const Vec p0 = VecOf(u, p), d = VecOf(p, q), e = VecOf(u, v);
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    AddDisc(p0, d, {0, 0}, r, lo, hi);
    AddDisc(p0, d, e, r, lo, hi);
    const double length2 = Dot(e, e);
    if (length2 > 0) {
        double rectLo = -std::numeric_limits<double>::infinity(), rectHi = -rectLo;
        Constrain(Dot(p0, e), Dot(d, e), 0, length2, rectLo, rectHi);
        const double length = std::sqrt(length2);
        Constrain(Cross(e, p0), Cross(e, d), -r * length, r * length, rectLo, rectHi);
        if (rectLo <= rectHi) {
            lo = std::min(lo, rectLo);
            hi = std::max(hi, rectHi);
        }
    }
    return {std::max(lo, 0.0), std::min(hi, 1.0)};
}

// Length covered by spans of one edge of the given length, each span counted once.
double Covered(std::vector<std::pair<double, double>>& spans, double length) {
    std::sort(spans.begin(), spans.end());
    double covered = 0, reached = 0;
    for (const auto& [from, to] : spans) {
        const double start = std::max(from, reached);
        if (to > start) covered += to - start;
        reached = std::max(reached, to);
    }
    spans.clear();
    return covered * length;
}

} // namespace

double NearBoundaryLength(const NormalForm& a, const NormalForm& b, cInt reach,
                          HairlineScratch& scratch) {
    const Box boxA{a.minX, a.minY, a.maxX, a.maxY};
    const Box reachB = Grown({b.minX, b.minY, b.maxX, b.maxY}, reach);
    if (!boxA.Meets(reachB)) return 0;
    const Box window{std::max(boxA.minX, reachB.minX), std::max(boxA.minY, reachB.minY),
                     std::min(boxA.maxX, reachB.maxX), std::min(boxA.maxY, reachB.maxY)};
    // Edges of a as they are; edges of b with boxes grown by the reach, so that the grid
    // pairs every edge of a with every edge of b close enough to matter.
    std::vector<Edge>& as = scratch.edges[0];
    std::vector<Edge>& bs = scratch.edges[1];
    as.clear();
    bs.clear();
    for (std::uint32_t r = 0; r < a.paths.size(); ++r)
        for (std::uint32_t i = 0; i < a.paths[r].size(); ++i) {
            const IntPoint p = a.paths[r][i], q = Next(a.paths[r], i);
            if (const Box box = BoxOf(p, q); box.Meets(window)) as.push_back({p, q, box, r, i});
        }
    if (as.empty()) return 0;
    for (std::uint32_t r = 0; r < b.paths.size(); ++r)
        for (std::uint32_t i = 0; i < b.paths[r].size(); ++i) {
            const IntPoint p = b.paths[r][i], q = Next(b.paths[r], i);
            if (const Box box = Grown(BoxOf(p, q), reach); box.Meets(window))
                bs.push_back({p, q, box, r, i});
        }
    if (bs.empty()) return 0;

    // Pairs come edge of a by edge of a, so the spans of one edge are merged as it ends.
    double total = 0;
    const Edge* current = nullptr;
    std::vector<std::pair<double, double>>& spans = scratch.spans;
    spans.clear();
    const auto finish = [&] {
        if (current == nullptr || spans.empty()) return;
        const double length = std::hypot(static_cast<double>(current->q.X - current->p.X),
                                         static_cast<double>(current->q.Y - current->p.Y));
        if (const double covered = Covered(spans, length); 2 * covered >= length) total += covered;
    };
    const double r = static_cast<double>(reach);
    ForEachNearPair(as, bs, window, scratch.grid, [&](const Edge& ea, const Edge& eb) {
        if (!ea.box.Meets(eb.box)) return true;
        if (&ea != current) {
            finish();
            current = &ea;
        }
        const auto [from, to] = WithinReach(ea.p, ea.q, eb.p, eb.q, r);
        if (from < to) spans.emplace_back(from, to);
        return true;
    });
    finish();
    return total;
}

bool MeetWithin(const NormalForm& a, const NormalForm& b, cInt reach, double stretch,
                HairlineScratch& scratch) {
    return NearBoundaryLength(a, b, reach, scratch) > stretch &&
           NearBoundaryLength(b, a, reach, scratch) > stretch;
}

void UniteClosingGaps(const std::vector<const NormalForm*>& forms, cInt gap,
                      ClipperLib::PolyTree& united) {
    constexpr double kMitreLimit = 2.0;
    // A whole number of units: straight edges along the axes come back where they were.
    const auto half = static_cast<double>(gap / 2 + 1);
    ClipperLib::ClipperOffset grow(kMitreLimit);
    for (const NormalForm* form : forms)
        grow.AddPaths(form->paths, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    ClipperLib::Paths grown;
    grow.Execute(grown, half);
    ClipperLib::ClipperOffset shrink(kMitreLimit);
    shrink.AddPaths(grown, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    shrink.Execute(united, -half);
}

} // namespace host::pathfinder
