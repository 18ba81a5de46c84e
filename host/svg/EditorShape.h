// The open-source editor's parameters of shapes it draws itself (ellipse arcs, stars,
// spirals, path effects), carried along when a command moves such a shape by an affine
// transformation they can follow.
#pragma once

#include "hostapi/suites/PathSuite.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host::svg {

using Attributes = std::vector<std::pair<std::string, std::string>>;

/// The affine transformation that takes every point of read (anchors and handles) to the
/// point of now at the same place; none when there is no such one, or more than one.
std::optional<HostRealMatrix> affineBetween(const std::vector<HostPathSegment>& read,
                                            const std::vector<HostPathSegment>& now);

/// The parameters among attributes after the shape moved by m (SVG coordinates, y down):
/// the new values of those that change; false when they cannot describe the moved shape.
bool followEditorShape(const Attributes& attributes, const HostRealMatrix& m, Attributes& changed);

} // namespace host::svg
