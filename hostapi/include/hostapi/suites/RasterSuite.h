#ifndef CARTOVEL_HOSTAPI_SUITES_RASTER_H
#define CARTOVEL_HOSTAPI_SUITES_RASTER_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostRasterSuite "AI Raster Suite"
#define kHostRasterSuiteVersion 10

typedef struct HostRasterSuite {
    HostErr (*GetRasterMatrix)(HostArtHandle raster, HostRealMatrix* matrix);
    HostErr (*SetRasterMatrix)(HostArtHandle raster, const HostRealMatrix* matrix);
} HostRasterSuite;

#ifdef __cplusplus
}
#endif

#endif
