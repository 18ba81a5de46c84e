// A single outline that neither crosses nor touches itself is its own normal form, once
// it winds counter-clockwise and has lost its repeated points and the vertices in the
// middle of straight runs, just as general clipping would leave it. Telling that costs far
// less than a clipping run, and most polygons on a map are such outlines.
#pragma once

#include "host/pathfinder/NormalForm.h"

#include <optional>

namespace host::pathfinder {

/// The outline in normal form when it is simple; nothing when it needs general clipping
/// (it crosses or touches itself, doubles back on itself, or has no area).
std::optional<ClipperLib::Path> SimpleRingForm(ClipperLib::Path ring);

} // namespace host::pathfinder
