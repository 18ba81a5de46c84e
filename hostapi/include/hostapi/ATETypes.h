/* Basic types of the text engine's suites: error codes, opaque references and the
 * engine's enumerations.
 *
 * References are counted. Every reference the host hands out belongs to the receiver,
 * which gives it back with its suite's Release; AddRef takes one more count. A reference
 * that names a text whose art was disposed gives kHostErrBadHandle. */
#ifndef CARTOVEL_HOSTAPI_ATE_TYPES_H
#define CARTOVEL_HOSTAPI_ATE_TYPES_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The host's error codes. */
typedef HostErr ATEErr;
typedef HostBool ATEBool8;

typedef struct ATETextRangeOpaque* ATETextRangeRef;
typedef struct ATETextFrameOpaque* ATETextFrameRef;
typedef struct ATECharFeaturesOpaque* ATECharFeaturesRef;
typedef struct ATEParaFeaturesOpaque* ATEParaFeaturesRef;
typedef struct ATETextRunsIteratorOpaque* ATETextRunsIteratorRef;

/* Text frame kinds. */
enum { kATEPointTextType = 0, kATEInPathTextType = 1, kATEOnPathTextType = 2 };

/* Orientation. */
enum { kATEHorizontalOrientation = 0, kATEVerticalOrientation = 1 };

/* Paragraph justification; in vertical text left is top and right is bottom. */
enum { kATELeftJustify = 0, kATERightJustify = 1, kATECenterJustify = 2 };

#ifdef __cplusplus
}
#endif

#endif
