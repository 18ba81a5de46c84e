#include "host/pathfinder/Unite.h"

#include "host/pathfinder/Hairline.h"
#include "host/pathfinder/ShapeCache.h"
#include "host/pathfinder/SharedEdgeUnion.h"
#include "host/pathfinder/SimpleRing.h"
#include "host/pathfinder/UniteScratch.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

namespace host::pathfinder {
namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;
using ClipperLib::PolyNode;
using ClipperLib::PolyTree;

bool IsStraight(const HostPathSegment& from, const HostPathSegment& to) {
    return from.out.h == from.p.h && from.out.v == from.p.v && to.in.h == to.p.h &&
           to.in.v == to.p.v;
}

double Distance(HostRealPoint a, HostRealPoint b) {
    return std::hypot(a.h - b.h, a.v - b.v);
}

// Adds the points after p0 of the cubic p0 p1 p2 p3, enough of them that no chord strays
// further than the tolerance from the curve (bound from the second differences).
void FlattenCubic(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3,
                  Ring& out) {
    const double ddx = std::max(std::abs(p0.h - 2 * p1.h + p2.h), std::abs(p1.h - 2 * p2.h + p3.h));
    const double ddy = std::max(std::abs(p0.v - 2 * p1.v + p2.v), std::abs(p1.v - 2 * p2.v + p3.v));
    const double dd = std::hypot(ddx, ddy);
    int steps = static_cast<int>(std::ceil(std::sqrt(0.75 * dd / kFlatteningTolerance)));
    steps = std::clamp(steps, 1, 1024);
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double u = 1 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        out.push_back(
            {a * p0.h + b * p1.h + c * p2.h + d * p3.h, a * p0.v + b * p1.v + c * p2.v + d * p3.v});
    }
}

cInt ToUnits(double v) {
    // Beyond this the integer engine loses exactness; such art is far off any page.
    constexpr double kLimit = 4.0e15;
    const double scaled = std::clamp(v * kUnitsPerPoint, -kLimit, kLimit);
    return static_cast<cInt>(std::llround(scaled));
}

Path ToPath(const Ring& ring) {
    Path path;
    path.reserve(ring.size());
    for (const HostRealPoint& p : ring) {
        if (!std::isfinite(p.h) || !std::isfinite(p.v)) return {};
        path.push_back(IntPoint(ToUnits(p.h), ToUnits(p.v)));
    }
    return path;
}

Ring ToRing(const Path& path) {
    Ring ring;
    ring.reserve(path.size());
    for (const IntPoint& p : path)
        ring.push_back(
            {static_cast<double>(p.X) / kUnitsPerPoint, static_cast<double>(p.Y) / kUnitsPerPoint});
    return ring;
}

double Perimeter(const Path& path) {
    double sum = 0;
    for (size_t i = 0, j = path.size() - 1; i < path.size(); j = i++)
        sum += std::hypot(static_cast<double>(path[i].X - path[j].X),
                          static_cast<double>(path[i].Y - path[j].Y));
    return sum;
}

// Area and boundary length of a region given as outlines in non-zero form. Holes wind
// opposite to their outers, so their signed areas subtract.
void Measure(const Paths& paths, Int128& doubleArea, double& perimeter) {
    doubleArea = 0;
    perimeter = 0;
    for (const Path& path : paths) {
        if (path.size() < 3) continue;
        doubleArea += DoubleArea(path);
        perimeter += Perimeter(path);
    }
}

bool Apart(const NormalForm& a, const NormalForm& b, cInt margin = 0) {
    return a.maxX + margin < b.minX || b.maxX + margin < a.minX || a.maxY + margin < b.minY ||
           b.maxY + margin < a.minY;
}

// Outer outlines first, each followed by its holes; islands inside holes come after.
void CollectRings(const PolyNode& node, std::vector<Ring>& rings) {
    for (const PolyNode* outer : node.Childs) {
        rings.push_back(ToRing(outer->Contour));
        for (const PolyNode* hole : outer->Childs)
            rings.push_back(ToRing(hole->Contour));
    }
    for (const PolyNode* outer : node.Childs)
        for (const PolyNode* hole : outer->Childs)
            CollectRings(*hole, rings);
}

// The general union. Answers whether the inputs merged, and if so their union's outlines.
bool UniteByClipping(const std::vector<const NormalForm*>& forms, UniteResult& result) {
    ClipperLib::Clipper clipper;
    Int128 separateArea = 0;
    double separatePerimeter = 0;
    for (const NormalForm* form : forms) {
        clipper.AddPaths(form->paths, ClipperLib::ptSubject, true);
        separateArea += form->doubleArea;
        separatePerimeter += form->perimeter;
    }
    PolyTree united;
    clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    Paths unitedPaths;
    ClipperLib::PolyTreeToPaths(united, unitedPaths);
    Int128 area = 0;
    double perimeter = 0;
    Measure(unitedPaths, area, perimeter);
    // Inputs that overlap lose area in the union; inputs that share a stretch of boundary
    // lose twice its length from the total boundary. Inputs meeting at a point lose
    // neither. Half a unit keeps rounding noise in the length sums out.
    result.merged = area < separateArea || perimeter < separatePerimeter - 0.5;
    if (result.merged) CollectRings(united, result.rings);
    return result.merged;
}

// Outlines within the precision of each other along less than this many precisions meet
// only about a point: at a corner, or where a bend of one passes close by the other.
constexpr double kStretchInPrecisions = 4;

// Shapes drawn a hairline apart: merged when two of them run within the precision of each
// other along a stretch, their union then closing every gap narrower than the precision.
bool UniteWithinPrecision(const std::vector<const NormalForm*>& forms, double precision,
                          HairlineScratch& scratch, UniteResult& result) {
    const cInt reach = ToUnits(precision);
    if (reach <= 0) return false;
    const double stretch = kStretchInPrecisions * static_cast<double>(reach);
    bool meet = false;
    for (size_t i = 0; i < forms.size() && !meet; ++i)
        for (size_t j = i + 1; j < forms.size() && !meet; ++j)
            meet = !Apart(*forms[i], *forms[j], reach) &&
                   MeetWithin(*forms[i], *forms[j], reach, stretch, scratch);
    if (!meet) return false;
    PolyTree united;
    UniteClosingGaps(forms, reach, united);
    CollectRings(united, result.rings);
    result.merged = !result.rings.empty();
    return result.merged;
}

} // namespace

// Products of unit coordinates overflow 64 bits.
Int128 DoubleArea(const Path& path) {
    Int128 sum = 0;
    for (size_t i = 0, j = path.size() - 1; i < path.size(); j = i++)
        sum +=
            static_cast<Int128>(path[j].X) * path[i].Y - static_cast<Int128>(path[i].X) * path[j].Y;
    return sum;
}

Ring Flatten(std::span<const HostPathSegment> ring) {
    Ring out;
    if (ring.empty()) return out;
    out.reserve(ring.size());
    out.push_back(ring.front().p);
    for (size_t i = 0; i < ring.size(); ++i) {
        const HostPathSegment& from = ring[i];
        const HostPathSegment& to = ring[(i + 1) % ring.size()];
        if (IsStraight(from, to) || Distance(from.p, to.p) == 0.0) {
            out.push_back(to.p);
        } else {
            FlattenCubic(from.p, from.out, to.in, to.p, out);
        }
    }
    out.pop_back(); // the closing point repeats the first
    return out;
}

NormalForm Normalise(const UniteShape& shape) {
    std::vector<std::span<const HostPathSegment>> rings(shape.rings.begin(), shape.rings.end());
    return Normalise(rings, shape.evenOdd);
}

NormalForm Normalise(std::span<const std::span<const HostPathSegment>> rings, bool evenOdd) {
    Paths paths;
    for (std::span<const HostPathSegment> ring : rings) {
        Path path = ToPath(Flatten(ring));
        if (path.size() >= 3) paths.push_back(std::move(path));
    }
    NormalForm form;
    // A simple outline fills the same under either rule and needs no clipping run.
    std::optional<Path> simple;
    if (paths.size() == 1) simple = SimpleRingForm(paths.front());
    if (simple) {
        form.paths.push_back(std::move(*simple));
    } else {
        ClipperLib::Clipper clipper;
        clipper.AddPaths(paths, ClipperLib::ptSubject, true);
        const ClipperLib::PolyFillType fill =
            evenOdd ? ClipperLib::pftEvenOdd : ClipperLib::pftNonZero;
        clipper.Execute(ClipperLib::ctUnion, form.paths, fill, fill);
    }
    Measure(form.paths, form.doubleArea, form.perimeter);
    for (const Path& path : form.paths) {
        for (const IntPoint& p : path) {
            if (form.minX > form.maxX) {
                form.minX = form.maxX = p.X;
                form.minY = form.maxY = p.Y;
            }
            form.minX = std::min(form.minX, p.X);
            form.minY = std::min(form.minY, p.Y);
            form.maxX = std::max(form.maxX, p.X);
            form.maxY = std::max(form.maxY, p.Y);
        }
    }
    return form;
}

UniteResult Unite(const std::vector<UniteShape>& shapes, ShapeCache* cache, double precision) {
    // Each input is first brought to non-zero form, so that its own winding no longer
    // matters and its area and boundary length can be measured.
    std::vector<NormalForm> owned;
    std::vector<const NormalForm*> forms;
    owned.reserve(shapes.size());
    if (cache != nullptr) cache->MakeRoom();
    for (const UniteShape& shape : shapes) {
        if (cache != nullptr) {
            forms.push_back(&cache->Get(shape));
        } else {
            owned.push_back(Normalise(shape));
            forms.push_back(&owned.back());
        }
    }
    if (cache != nullptr) return UniteForms(forms, cache->scratch(), precision);
    UniteScratch scratch;
    return UniteForms(forms, scratch, precision);
}

UniteResult UniteForms(const std::vector<const NormalForm*>& forms, UniteScratch& scratch,
                       double precision) {
    UniteResult result;
    // Inputs whose extents do not even meet cannot merge: no union is needed.
    bool mayTouch = false;
    for (size_t i = 0; i < forms.size() && !mayTouch; ++i)
        for (size_t j = i + 1; j < forms.size() && !mayTouch; ++j)
            mayTouch = !Apart(*forms[i], *forms[j]);

    if (mayTouch && forms.size() == 2) {
        if (std::optional<SharedEdgeUnion> sideBySide =
                UniteAlongSharedEdges(*forms[0], *forms[1], scratch.sharedEdges)) {
            mayTouch = false;
            if (sideBySide->merged) {
                for (const Path& path : sideBySide->paths)
                    result.rings.push_back(ToRing(path));
                result.merged = true;
                return result;
            }
        }
    }
    if (mayTouch && UniteByClipping(forms, result)) return result;
    // Only what did not merge exactly is looked at again within the precision.
    if (precision > 0 && UniteWithinPrecision(forms, precision, scratch.hairline, result))
        return result;
    for (const NormalForm* form : forms)
        for (const Path& path : form->paths)
            result.rings.push_back(ToRing(path));
    return result;
}

} // namespace host::pathfinder
