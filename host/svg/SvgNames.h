// XML namespaces and the project's own attribute names in SVG files.
#pragma once

#include <string_view>

namespace host::svg {

inline constexpr std::string_view kSvgNamespace = "http://www.w3.org/2000/svg";
inline constexpr std::string_view kXlinkNamespace = "http://www.w3.org/1999/xlink";
// The layer markup of the common open-source SVG editor.
inline constexpr std::string_view kLayerNamespace = "http://www.inkscape.org/namespaces/inkscape";
inline constexpr std::string_view kLockNamespace =
    "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd";
/// What SVG cannot say is kept in attributes of this namespace.
inline constexpr std::string_view kCartovelNamespace = "urn:cartovel:svg:1";

// Local names of the project's attributes (prefix "cv" when written).
namespace cv {
inline constexpr std::string_view kArt = "art";           // art type SVG lacks
inline constexpr std::string_view kName = "name";         // art name that is no valid id
inline constexpr std::string_view kSelected = "selected"; // older files; not read
inline constexpr std::string_view kCurrent = "current";   // "1" on the current layer
inline constexpr std::string_view kGuide = "guide";       // "1"
inline constexpr std::string_view kCorners = "corners";   // corner flags, "0"/"1" each
inline constexpr std::string_view kEnds = "ends";         // open path's outer handles
inline constexpr std::string_view kFill = "fill";         // exact paint
inline constexpr std::string_view kStroke = "stroke";     // exact paint
inline constexpr std::string_view kFillOverprint = "fill-overprint";
inline constexpr std::string_view kStrokeOverprint = "stroke-overprint";
inline constexpr std::string_view kFillGradientMatrix = "fill-gradient-matrix";
inline constexpr std::string_view kFillPatternMatrix = "fill-pattern-matrix";
inline constexpr std::string_view kStrokePatternMatrix = "stroke-pattern-matrix";
inline constexpr std::string_view kStrokeGradientMatrix = "stroke-gradient-matrix";
inline constexpr std::string_view kKind = "kind";     // text frame kind
inline constexpr std::string_view kFrame = "frame";   // "#id" of the area frame path
inline constexpr std::string_view kRole = "role";     // "frame" on a frame path
inline constexpr std::string_view kMatrix = "matrix"; // path text matrix
inline constexpr std::string_view kLine = "line";     // "1" on a line's tspan
inline constexpr std::string_view kHScale = "hscale";
inline constexpr std::string_view kVScale = "vscale";
inline constexpr std::string_view kViewCentre = "view-centre";
inline constexpr std::string_view kTag = "tag"; // element: name, value
} // namespace cv

} // namespace host::svg
