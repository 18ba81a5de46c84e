// SVG outlines: path data (every command, relative and absolute; arcs and quadratics
// become cubics), polyline points and the basic shapes, read into Bezier segments in the
// element's user space; and path data written from document segments.
#pragma once

#include "host/document/Art.h"

#include <string>
#include <string_view>
#include <vector>

namespace host::svg {

struct Subpath {
    std::size_t first = 0;
    std::size_t count = 0;
    bool closed = false;
};

struct Outline {
    std::vector<HostPathSegment> segments;
    std::vector<Subpath> subpaths;
    void clear() {
        segments.clear();
        subpaths.clear();
    }
};

struct SyntaxError {
    std::size_t offset = 0; // into the parsed text
    std::string message;
};

/// Empty or blank data gives no subpaths. On a syntax error (or a number out of range)
/// returns false with the error's offset, out holding everything before the error.
bool parsePathData(std::string_view d, Outline& out, SyntaxError& error);
/// Pairs of numbers; an odd last number is ignored as SVG does.
/// On an error out holds the points before it.
bool parsePoints(std::string_view points, bool close, Outline& out, SyntaxError& error);

void rectOutline(double x, double y, double w, double h, double rx, double ry, Outline& out);
void ellipseOutline(double cx, double cy, double rx, double ry, Outline& out);
void lineOutline(double x1, double y1, double x2, double y2, Outline& out);

/// A smooth anchor: both handles pulled out and pointing in opposite directions. The
/// corner flag that SVG cannot carry is derived with this rule when reading.
bool isSmoothAnchor(const HostPathSegment& s);

/// Appends "M ... Z" for one path, document y written as flip - y. False for a
/// coordinate that is not finite (the text is then incomplete).
bool appendPathData(std::string& out, const PathData& path, double flip);

} // namespace host::svg
