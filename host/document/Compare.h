// Whole-model comparison of two documents, for checks that a save and reopen kept
// everything: page, view, layers, art trees, symbols, styles, text and tags. Handles,
// the file path, the text focus and the selection (a session's, never saved) are not part
// of it.
#pragma once

#include "host/document/Document.h"

#include <optional>
#include <string>

namespace host {

/// Numbers match when they differ by no more than tolerance times the larger of 1 and
/// their magnitudes. Returns a description of the first difference, or nothing.
std::optional<std::string> firstDifference(const Document& a, const Document& b,
                                           double tolerance = 1e-12);

} // namespace host
