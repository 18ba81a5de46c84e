#pragma once

#include "hostapi/HostTypes.h"

/** One anchor of a Bezier path with its two direction handles: the curve from segment i
 *  to i+1 runs p(i), out(i), in(i+1), p(i+1). */
typedef struct HostPathSegment {
    HostRealPoint p;
    HostRealPoint in;
    HostRealPoint out;
    HostBool corner;
} HostPathSegment;

typedef struct HostPathSuite {
    HostErr (*GetPathSegmentCount)(HostArtHandle path, int32_t* count);
    /** Segments beyond the new count are dropped, new ones are zero points. */
    HostErr (*SetPathSegmentCount)(HostArtHandle path, int32_t count);
    HostErr (*GetPathSegments)(HostArtHandle path, int32_t first, int32_t count,
                               HostPathSegment* segments);
    HostErr (*SetPathSegments)(HostArtHandle path, int32_t first, int32_t count,
                               const HostPathSegment* segments);
    HostErr (*GetPathClosed)(HostArtHandle path, HostBool* closed);
    HostErr (*SetPathClosed)(HostArtHandle path, HostBool closed);
    HostErr (*GetPathGuide)(HostArtHandle path, HostBool* isGuide);
    HostErr (*SetPathGuide)(HostArtHandle path, HostBool isGuide);
} HostPathSuite;
