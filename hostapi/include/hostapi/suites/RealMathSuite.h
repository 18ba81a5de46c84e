#pragma once

#include "hostapi/HostTypes.h"

/** Rectangle and matrix arithmetic. "Concat X" applies X after the matrix: the result maps
 *  p to X(m(p)). Angles are in radians, counter-clockwise (y grows upwards). */
typedef struct HostRealMathSuite {
    /** Moves each side inwards by h and v (negative values grow the rectangle). */
    HostErr (*RectInset)(HostRealRect* rect, HostReal h, HostReal v);
    HostErr (*RectOverlap)(const HostRealRect* a, const HostRealRect* b, HostBool* overlap);
    HostErr (*RectUnion)(const HostRealRect* a, const HostRealRect* b, HostRealRect* result);
    HostErr (*MatrixSetIdentity)(HostRealMatrix* m);
    HostErr (*MatrixSetTranslate)(HostRealMatrix* m, HostReal tx, HostReal ty);
    HostErr (*MatrixSetScale)(HostRealMatrix* m, HostReal sx, HostReal sy);
    HostErr (*MatrixSetRotate)(HostRealMatrix* m, HostReal angle);
    HostErr (*MatrixConcatTranslate)(HostRealMatrix* m, HostReal tx, HostReal ty);
    HostErr (*MatrixConcatScale)(HostRealMatrix* m, HostReal sx, HostReal sy);
    HostErr (*MatrixConcatRotate)(HostRealMatrix* m, HostReal angle);
    /** result = first, then second. */
    HostErr (*MatrixConcat)(const HostRealMatrix* first, const HostRealMatrix* second,
                            HostRealMatrix* result);
    /** kHostErrBadParameter for a singular matrix; *m is then unchanged. */
    HostErr (*MatrixInvert)(HostRealMatrix* m);
    HostErr (*MatrixXformPoint)(const HostRealMatrix* m, const HostRealPoint* p,
                                HostRealPoint* result);
    HostErr (*MatrixGetTranslate)(const HostRealMatrix* m, HostReal* tx, HostReal* ty);
    /** The angle of the image of the x axis. */
    HostErr (*MatrixGetRotate)(const HostRealMatrix* m, HostReal* angle);
} HostRealMathSuite;
