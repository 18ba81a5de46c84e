// Geometric bounds of art (strokes not included): paths by their exact curves, containers
// as the union of their contents, images and symbol instances as their pixel rectangle or
// symbol bounds through their matrix, text by the text metric.
#pragma once

#include "host/document/Document.h"

#include <optional>

namespace host {

/// Nothing for art without geometry: an empty path or container, an instance of a
/// deleted or empty symbol.
std::optional<HostRealRect> artBounds(const Document& doc, const Art& art);

} // namespace host
