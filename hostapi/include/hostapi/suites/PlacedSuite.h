#pragma once

#include "hostapi/HostTypes.h"

/** The matrix maps the image's own pixel rectangle into the document. */
typedef struct HostPlacedSuite {
    HostErr (*GetPlacedMatrix)(HostArtHandle placed, HostRealMatrix* matrix);
    HostErr (*SetPlacedMatrix)(HostArtHandle placed, const HostRealMatrix* matrix);
} HostPlacedSuite;
