#pragma once

#include "hostapi/HostTypes.h"

/* Option bits. */
enum {
    kHostTransformObjects = 1,
    kHostTransformFillGradients = 2,
    kHostTransformFillPatterns = 4,
    kHostTransformStrokePatterns = 8,
    kHostScaleLines = 16,
    kHostTransformChildren = 64,
    kHostTransformStrokeGradients = 256
};

typedef struct HostTransformArtSuite {
    /** Transforms art by matrix. Stroke weights and effects scale by lineScale only with
     *  kHostScaleLines; a plug-in group's contents only with kHostTransformChildren. */
    HostErr (*TransformArt)(HostArtHandle art, const HostRealMatrix* matrix, HostReal lineScale,
                            int32_t options);
} HostTransformArtSuite;
