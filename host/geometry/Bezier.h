// Cubic Bezier geometry: exact bounds (curve extrema, not the control-point hull) and the
// conversion of elliptical arcs to cubics.
#pragma once

#include "host/document/Art.h"
#include "host/geometry/Rect.h"

#include <array>
#include <optional>
#include <vector>

namespace host {

HostRealPoint cubicPoint(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3,
                         double t);

/// Adds the exact bounds of the cubic p0 p1 p2 p3 to b.
void addCubicBounds(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3,
                    BoundsBuilder& b);

/// Bounds of a path's anchors and curves; nothing for a path without segments.
std::optional<HostRealRect> pathBounds(const PathData& path);
void addPathBounds(const PathData& path, BoundsBuilder& b);

/// Control points c1, c2 and end point of one cubic.
using CubicTail = std::array<HostRealPoint, 3>;

/// The elliptical arc from p0 to p1 as the SVG path's A command gives it (radii, x-axis
/// rotation in degrees, flags), appended to out as cubics of at most 90 degrees each.
/// Returns false when the arc is a straight line (a zero radius) and nothing when the end
/// points coincide (the arc is omitted); out is untouched in both cases.
enum class ArcShape { Omitted, Line, Curves };
ArcShape arcToCubics(HostRealPoint p0, double rx, double ry, double rotationDegrees, bool largeArc,
                     bool sweep, HostRealPoint p1, std::vector<CubicTail>& out);

} // namespace host
