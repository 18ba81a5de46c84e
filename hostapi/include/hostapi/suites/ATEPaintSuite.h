#pragma once

#include "hostapi/ATETypes.h"
#include "hostapi/suites/PathStyleSuite.h"

/** The paint of characters as a path style, and back. */
typedef struct HostATEPaintSuite {
    /** The fill, stroke and stroke width the features give characters; fields the
     *  features do not assign come out as new text has them (black fill, no stroke).
     *  The style's other fields are those of a new path. */
    HostErr (*GetPathStyleFromCharFeatures)(ATECharFeaturesRef features, HostPathStyle* style);
    /** Assigns the style's fill, stroke and stroke width to the features; an invalid
     *  colour or width gives kHostErrBadParameter and leaves the features unchanged. */
    HostErr (*SetCharFeaturesFromPathStyle)(const HostPathStyle* style,
                                            ATECharFeaturesRef features);
} HostATEPaintSuite;
