#ifndef CARTOVEL_HOSTAPI_SUITES_PLACED_H
#define CARTOVEL_HOSTAPI_SUITES_PLACED_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostPlacedSuite "AI Placed Suite"
#define kHostPlacedSuiteVersion 10

/** The matrix maps the image's own pixel rectangle into the document. */
typedef struct HostPlacedSuite {
    HostErr (*GetPlacedMatrix)(HostArtHandle placed, HostRealMatrix* matrix);
    HostErr (*SetPlacedMatrix)(HostArtHandle placed, const HostRealMatrix* matrix);
} HostPlacedSuite;

#ifdef __cplusplus
}
#endif

#endif
