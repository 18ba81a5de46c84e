// Working memory of the unite, kept from call to call so that a run of pair tests
// allocates only while the largest pair so far grows.
#pragma once

#include "host/pathfinder/Hairline.h"
#include "host/pathfinder/SharedEdgeUnion.h"

namespace host::pathfinder {

struct UniteScratch {
    SharedEdgeScratch sharedEdges;
    HairlineScratch hairline;
};

} // namespace host::pathfinder
