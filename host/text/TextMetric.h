// The host's text metric: a simple, fixed model of how much room text takes, so that
// justification, orientation and matrices move text bounds the way a user would see.
//
// Advance widths, in ems of the character's font size, by character class:
//   full-width CJK (ideographs, kana, Hangul, full-width forms, CJK punctuation)  1.0
//   half-width katakana                                                           0.5
//   Latin capitals A-Z                                                            0.7
//   Latin small letters a-z and digits 0-9                                        0.55
//   space, tab and ASCII punctuation                                              0.3
//   combining marks and zero-width characters                                     0
//   anything else                                                                 0.6
// Horizontal text: advances are scaled by the horizontal scale; a line's size is the
// largest font size times vertical scale on it; it rises 0.8 size above its baseline and
// falls 0.2 size below; each line's baseline is 1.2 times its size (or the paragraph's line
// spacing) below the one before.
// Justification places each line about the anchor: left from it, right ending at it,
// centre on it.
// Vertical text: characters run down from the anchor, advances scaled by the vertical
// scale; a column is one size wide (scaled horizontally) centred on its axis, and each
// further column stands 1.2 sizes (or the line spacing) to the left. Left justification hangs the
// column from the anchor, right ends it at the anchor, centre centres it. Character rotation does
// not change the bounds. An empty line takes the size of the run it ends in (12 points for text
// without runs).
#pragma once

#include "host/document/TextData.h"

#include <optional>
#include <vector>

namespace host {

/// Line spacing, in multiples of the type size, when a paragraph sets none.
inline constexpr double kAutomaticLineSpacing = 1.2;

/// Advance width of one character in ems.
double advanceEm(char32_t c);

/// Bounds of the text in its own space (origin at the anchor, y up), before the matrix.
HostRealRect textLocalBounds(const TextData& text);

/// Where each line (split at CR) lies in the text's own space: the baseline's y for
/// horizontal text (0, then decreasing), the column axis's x for vertical text.
std::vector<double> lineOffsets(const TextData& text);

/// Bounds in the document: the local bounds' corners through the text matrix for point
/// text, the frame path's bounds for area and path text.
std::optional<HostRealRect> textBounds(const TextData& text);

} // namespace host
