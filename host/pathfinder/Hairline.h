// Outlines drawn one by one rarely share vertices: neighbours meet with gaps or overlaps of
// a hair. Within a precision such outlines count as meeting, and their union closes the
// gap, while outlines that come that close only at a corner stay apart.
#pragma once

#include "host/pathfinder/IntGeometry.h"
#include "host/pathfinder/NormalForm.h"

#include <vector>

namespace host::pathfinder {

/// Working memory of the near-boundary measure, kept from pair to pair.
struct HairlineScratch {
    std::vector<geometry::Edge> edges[2];
    geometry::NearPairGrid grid;
    std::vector<std::pair<double, double>> spans;
};

/// Length (units) of the boundary of a that runs within reach units of the boundary of b,
/// counting only edges of a that run within reach for at least half their length: the
/// edges of a corner leave the other outline at once and do not count, however close the
/// corner comes.
double NearBoundaryLength(const NormalForm& a, const NormalForm& b, ClipperLib::cInt reach,
                          HairlineScratch& scratch);

/// Whether a and b share a stretch of boundary longer than stretch units, each outline
/// within reach of the other along it.
bool MeetWithin(const NormalForm& a, const NormalForm& b, ClipperLib::cInt reach, double stretch,
                HairlineScratch& scratch);

/// The union of the forms with every gap up to gap units wide closed: each grown by half the
/// gap (mitred corners), united, and shrunk back by as much.
void UniteClosingGaps(const std::vector<const NormalForm*>& forms, ClipperLib::cInt gap,
                      ClipperLib::PolyTree& united);

} // namespace host::pathfinder
