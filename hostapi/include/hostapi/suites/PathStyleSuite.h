#pragma once

#include "hostapi/HostTypes.h"

/* Colour kinds. */
enum { kHostGrayColor = 0, kHostFourColor = 1, kHostThreeColor = 2, kHostNoneColor = 3 };

typedef struct HostColor {
    int32_t kind;
    /* Gray: level 0 white .. 1 black. Four: cyan, magenta, yellow, black 0..1. Three: red,
     * green, blue 0..1. */
    HostReal gray;
    HostReal cyan, magenta, yellow, black;
    HostReal red, green, blue;
} HostColor;

enum { kHostButtCap = 0, kHostRoundCap = 1, kHostProjectingCap = 2 };
enum { kHostMiterJoin = 0, kHostRoundJoin = 1, kHostBevelJoin = 2 };
enum { kHostMaxDashComponents = 6 };

typedef struct HostFillStyle {
    HostColor color;
    HostBool overprint;
} HostFillStyle;

typedef struct HostDashStyle {
    int32_t length;
    HostReal offset;
    HostReal array[kHostMaxDashComponents];
} HostDashStyle;

typedef struct HostStrokeStyle {
    HostColor color;
    HostBool overprint;
    HostReal width;
    HostDashStyle dash;
    int32_t cap;
    int32_t join;
    HostReal miterLimit;
} HostStrokeStyle;

typedef struct HostPathStyle {
    HostBool fillPaint;
    HostFillStyle fill;
    HostBool strokePaint;
    HostStrokeStyle stroke;
    HostBool evenOdd;
} HostPathStyle;

/** Paint of paths and compound paths (a compound path's members share its style).
 *  Other art gives kHostErrWrongType. */
typedef struct HostPathStyleSuite {
    HostErr (*GetPathStyle)(HostArtHandle art, HostPathStyle* style);
    HostErr (*SetPathStyle)(HostArtHandle art, const HostPathStyle* style);
} HostPathStyleSuite;
