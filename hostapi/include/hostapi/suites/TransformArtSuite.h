#ifndef CARTOVEL_HOSTAPI_SUITES_TRANSFORMART_H
#define CARTOVEL_HOSTAPI_SUITES_TRANSFORMART_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostTransformArtSuite "AI Transform Art Suite"
#define kHostTransformArtSuiteVersion 3

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

#ifdef __cplusplus
}
#endif

#endif
