// The geometry of the pathfinder's unite: Bezier outlines flattened to polylines, united
// on integer coordinates, and the verdict whether the inputs touch.
#pragma once

#include "hostapi/suites/PathSuite.h"

#include <span>
#include <vector>

namespace host::pathfinder {

/// One closed outline as the document holds it.
using BezierRing = std::vector<HostPathSegment>;

/// One input of the unite: the outlines of a path or of a compound path's members.
struct UniteShape {
    std::vector<BezierRing> rings;
    bool evenOdd = false;
};

using Ring = std::vector<HostRealPoint>;

struct UniteResult {
    /// True when inputs share a stretch of boundary or overlap: the union then has less
    /// area or less boundary than the inputs had together, or, with a precision, when they
    /// run within it of each other along a stretch. Inputs that meet only at a point (or
    /// come within the precision only about a point) do not merge.
    bool merged = false;
    /// When merged, every outline of the union, outer outlines each followed by their
    /// holes (outers counter-clockwise with y up, holes clockwise). Otherwise the outlines
    /// of the inputs, each brought to non-zero form.
    std::vector<Ring> rings;
};

/// Curves are flattened to within this distance (points) of the true curve.
inline constexpr double kFlatteningTolerance = 0.01;

/// Coordinates are rounded to 1/kUnitsPerPoint of a point. A power of two keeps the
/// scaling exact, and shared borders with identical vertices stay identical.
inline constexpr double kUnitsPerPoint = 1024.0;

/// Flattens one closed Bezier outline.
Ring Flatten(std::span<const HostPathSegment> ring);

class ShapeCache;
struct NormalForm;
struct UniteScratch;

/// Unites the shapes. Degenerate outlines (no area) vanish. A cache, when given, keeps the
/// shapes' normal forms for later calls.
///
/// With a precision (points) above 0, shapes that do not touch exactly but whose outlines
/// run within the precision of each other along a stretch of several precisions merge too,
/// their gap closed; shapes that come that close only at a corner do not.
UniteResult Unite(const std::vector<UniteShape>& shapes, ShapeCache* cache = nullptr,
                  double precision = 0);

/// Unites shapes already in normal form, in working memory kept from call to call.
UniteResult UniteForms(const std::vector<const NormalForm*>& forms, UniteScratch& scratch,
                       double precision = 0);

} // namespace host::pathfinder
