#pragma once

#include "hostapi/ATETypes.h"

/** A stretch of one text, from start to end in UTF-16 units. Features read from a range
 *  are "unique": a field is assigned when every character of the range agrees on it (an
 *  empty range reports what text inserted there would take). */
typedef struct ATETextRangeSuite {
    ATEErr (*AddRef)(ATETextRangeRef range);
    ATEErr (*Release)(ATETextRangeRef range);
    ATEErr (*GetStart)(ATETextRangeRef range, int32_t* start);
    ATEErr (*GetEnd)(ATETextRangeRef range, int32_t* end);
    ATEErr (*GetSize)(ATETextRangeRef range, int32_t* size);
    /** Copies at most maxLength units of the range's text into text and gives the number
     *  copied; with a null text only *length, the range's size, is given. */
    ATEErr (*GetContents)(ATETextRangeRef range, uint16_t* text, int32_t maxLength,
                          int32_t* length);
    /** Inserts text (UTF-16, length units) at the end of the range, which grows to take
     *  it in; the new characters take the features of the character before them.
     *  Ill-formed UTF-16 gives kHostErrEncoding. */
    ATEErr (*InsertAfter)(ATETextRangeRef range, const uint16_t* text, int32_t length);
    ATEErr (*GetUniqueCharFeatures)(ATETextRangeRef range, ATECharFeaturesRef* features);
    ATEErr (*GetUniqueParaFeatures)(ATETextRangeRef range, ATEParaFeaturesRef* features);
    /** Gives every character of the range the fields that features assigns; fields it
     *  leaves unassigned stay as they are. */
    ATEErr (*SetLocalCharFeatures)(ATETextRangeRef range, ATECharFeaturesRef features);
    /** The same for the paragraphs that the range touches. */
    ATEErr (*SetLocalParaFeatures)(ATETextRangeRef range, ATEParaFeaturesRef features);
    /** The runs of the range: the longest stretches of characters with equal features,
     *  as they are when the iterator is made. */
    ATEErr (*GetTextRuns)(ATETextRangeRef range, ATETextRunsIteratorRef* runs);
} ATETextRangeSuite;
