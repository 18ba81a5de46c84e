#pragma once

#include "hostapi/HostTypes.h"

/** Conversions between the coordinate convention of the text engine (y grows downwards)
 *  and the document's (y grows upwards). Each converts a whole matrix in place, its
 *  linear part and its translation; a matrix that is not finite gives
 *  kHostErrBadParameter and is left unchanged. The two are inverse to each other. */
typedef struct HostHardSoftSuite {
    /** A matrix in the text engine's convention becomes the same mapping in the
     *  document's, so its rotation angle is the rotation a user sees. */
    HostErr (*MatrixTextEngineToDocument)(HostRealMatrix* matrix);
    /** A matrix in the document's convention becomes the same mapping in the text
     *  engine's. */
    HostErr (*MatrixDocumentToTextEngine)(HostRealMatrix* matrix);
} HostHardSoftSuite;
