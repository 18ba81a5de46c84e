#pragma once

#include "hostapi/ATETypes.h"
#include "hostapi/suites/PathStyleSuite.h"

/** A set of character features, each field assigned or not. Getting an unassigned field
 *  gives *isAssigned 0 and leaves the value untouched. Sizes are in points, scales are
 *  fractions (1 is 100 %), rotations degrees counter-clockwise; a size or scale that is
 *  not positive and finite, or a rotation that is not finite, gives kHostErrBadParameter. */
typedef struct ATECharFeaturesSuite {
    /** New features with no field assigned. */
    ATEErr (*Initialize)(ATECharFeaturesRef* features);
    ATEErr (*AddRef)(ATECharFeaturesRef features);
    ATEErr (*Release)(ATECharFeaturesRef features);
    ATEErr (*Clone)(ATECharFeaturesRef features, ATECharFeaturesRef* copy);

    ATEErr (*GetFontSize)(ATECharFeaturesRef features, ATEBool8* isAssigned, HostReal* size);
    ATEErr (*SetFontSize)(ATECharFeaturesRef features, HostReal size);
    ATEErr (*ClearFontSize)(ATECharFeaturesRef features);
    ATEErr (*GetHorizontalScale)(ATECharFeaturesRef features, ATEBool8* isAssigned,
                                 HostReal* scale);
    ATEErr (*SetHorizontalScale)(ATECharFeaturesRef features, HostReal scale);
    ATEErr (*ClearHorizontalScale)(ATECharFeaturesRef features);
    ATEErr (*GetVerticalScale)(ATECharFeaturesRef features, ATEBool8* isAssigned, HostReal* scale);
    ATEErr (*SetVerticalScale)(ATECharFeaturesRef features, HostReal scale);
    ATEErr (*ClearVerticalScale)(ATECharFeaturesRef features);
    ATEErr (*GetCharacterRotation)(ATECharFeaturesRef features, ATEBool8* isAssigned,
                                   HostReal* degrees);
    ATEErr (*SetCharacterRotation)(ATECharFeaturesRef features, HostReal degrees);
    ATEErr (*ClearCharacterRotation)(ATECharFeaturesRef features);
    /** The fill: painted or not, and its colour. An invalid colour gives
     *  kHostErrBadParameter. */
    ATEErr (*GetFillPaint)(ATECharFeaturesRef features, ATEBool8* isAssigned, HostBool* paint,
                           HostColor* color);
    ATEErr (*SetFillPaint)(ATECharFeaturesRef features, HostBool paint, const HostColor* color);
    ATEErr (*ClearFillPaint)(ATECharFeaturesRef features);
} ATECharFeaturesSuite;
