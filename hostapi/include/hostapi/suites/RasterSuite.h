#pragma once

#include "hostapi/HostTypes.h"

typedef struct HostRasterSuite {
    HostErr (*GetRasterMatrix)(HostArtHandle raster, HostRealMatrix* matrix);
    HostErr (*SetRasterMatrix)(HostArtHandle raster, const HostRealMatrix* matrix);
} HostRasterSuite;
