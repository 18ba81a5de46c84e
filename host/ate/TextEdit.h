// Edits of a text frame's text as the text engine's suites make them: positions count
// UTF-16 units, features are sets of fields that are assigned or not.
#pragma once

#include "host/document/TextData.h"
#include "hostapi/HostTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host::ate {

struct Paint {
    bool paint = false;
    HostColor color{};
    bool operator==(const Paint& other) const;
};

/** Character features with each field assigned or not. */
struct CharFeatureSet {
    std::optional<double> fontSize;
    std::optional<double> horizontalScale;
    std::optional<double> verticalScale;
    std::optional<double> rotation;
    std::optional<Paint> fill;
    std::optional<Paint> stroke;
    std::optional<double> strokeWidth;
};

struct ParaFeatureSet {
    std::optional<std::int32_t> justification;
};

/** Every field assigned, from the features of one character. */
CharFeatureSet featureSetOf(const CharFeatures& features);
/** Gives features the fields that set assigns. */
void applyFeatureSet(const CharFeatureSet& set, CharFeatures& features);

/** The text's length in UTF-16 units. */
std::int32_t textLength(const TextData& text);
std::u16string textContents(const TextData& text, std::int32_t start, std::int32_t end);

/** Inserts units at position at; the new characters take the features of the character
 *  before (the first character's at the start, the defaults in an empty text). Returns
 *  the number of units the text grew by (line ends are kept as CR, so CR LF counts one),
 *  or nothing for ill-formed UTF-16. */
std::optional<std::int32_t> insertText(TextData& text, std::int32_t at, std::u16string_view units);

/** The fields on which every character of [start, end) agrees; an empty range gives the
 *  features text inserted at start would take. */
CharFeatureSet uniqueFeatures(const TextData& text, std::int32_t start, std::int32_t end);
/** Applies the set to every character of [start, end). */
void applyFeatures(TextData& text, std::int32_t start, std::int32_t end, const CharFeatureSet& set);

/** The runs of [start, end): the longest stretches of equal features, clipped to it. */
std::vector<std::pair<std::int32_t, std::int32_t>> runsOf(const TextData& text, std::int32_t start,
                                                          std::int32_t end);

} // namespace host::ate
