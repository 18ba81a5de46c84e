// A shape as the unite works on it: flattened to integer units and united with itself
// under its own fill rule, so that its outlines no longer cross and wind one way.
#pragma once

#include "host/pathfinder/Unite.h"

#include <polyclipping/clipper.hpp>

namespace host::pathfinder {

__extension__ typedef __int128 Int128;

/// Outer outlines wind counter-clockwise (y up) and holes clockwise, so the shape's
/// inside always lies left of each edge.
struct NormalForm {
    ClipperLib::Paths paths;
    /// Twice the area, exact.
    Int128 doubleArea = 0;
    double perimeter = 0;
    /// The extent of the paths in units; empty when minX > maxX.
    ClipperLib::cInt minX = 0, minY = 0, maxX = -1, maxY = -1;
};

NormalForm Normalise(const UniteShape& shape);
NormalForm Normalise(std::span<const std::span<const HostPathSegment>> rings, bool evenOdd);

/// Twice the signed area of an outline, exact; positive when it winds counter-clockwise.
Int128 DoubleArea(const ClipperLib::Path& path);

} // namespace host::pathfinder
