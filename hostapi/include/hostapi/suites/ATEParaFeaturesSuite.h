#pragma once

#include "hostapi/ATETypes.h"

/** A set of paragraph features, each field assigned or not (see the character features). */
typedef struct ATEParaFeaturesSuite {
    /** New features with no field assigned. */
    ATEErr (*Initialize)(ATEParaFeaturesRef* features);
    ATEErr (*AddRef)(ATEParaFeaturesRef features);
    ATEErr (*Release)(ATEParaFeaturesRef features);
    ATEErr (*Clone)(ATEParaFeaturesRef features, ATEParaFeaturesRef* copy);
    /** kATELeftJustify, kATERightJustify or kATECenterJustify; other values give
     *  kHostErrBadParameter. */
    ATEErr (*GetJustification)(ATEParaFeaturesRef features, ATEBool8* isAssigned,
                               int32_t* justification);
    ATEErr (*SetJustification)(ATEParaFeaturesRef features, int32_t justification);
    ATEErr (*ClearJustification)(ATEParaFeaturesRef features);
} ATEParaFeaturesSuite;
