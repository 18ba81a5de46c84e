#pragma once

#include "hostapi/HostMessages.h"
#include "hostapi/HostTypes.h"

/** Parameters of a pathfinder operation. The art list is borrowed for the call. */
typedef struct HostPathfinderData {
    /** Accuracy hint of the real pathfinder; the stand-in host flattens curves to within
     *  0.01 point whatever it says. */
    HostReal precision;
    HostReal removeRedundantPoints;
    int32_t extractUnpaintedArtwork;
    HostReal trapThickness;
    HostReal trapHeightWidthRatio;
    HostReal trapTintReduction;
    HostReal mixSoftRatio;
    HostReal trapMaxTint;
    HostArtHandle* artList;
    int32_t artCount;
    int32_t reserved[4];
} HostPathfinderData;

typedef struct HostPathfinderSuite {
    /** Replaces the listed art by its union, where the first listed art stood: one path
     *  for a single outline, a compound path for a united outline with holes or several
     *  parts; when the inputs do not touch (no shared stretch of boundary, no overlap, no
     *  stretch along which they run closer than the host's precision setting), a group
     *  holding each outline of the inputs as a path of its own. */
    HostErr (*DoUniteEffect)(HostPathfinderData* data, HostMessageData* message);
} HostPathfinderSuite;
