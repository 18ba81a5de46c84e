// Per-layer counts and bounds of a document, gathered in one walk over its art: a layer's
// figures take in its sublayers' when the walk leaves it, so deep nesting costs no more
// than the same number of layers side by side.
#pragma once

#include "host/document/Document.h"
#include "host/geometry/Rect.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace cartovel {

/// The kinds of art by name, in the order they are listed (alphabetical).
inline constexpr std::size_t kArtKindCount = 11;
std::span<const std::string_view, kArtKindCount> artKindNames();

struct LayerSummary {
    const host::Layer* layer = nullptr;
    std::size_t depth = 0;  // 0 for a top-level layer
    std::size_t items = 0;  // art directly in the layer
    std::size_t inside = 0; // every art object inside it, sublayers' art included
    std::array<std::size_t, kArtKindCount> kinds{}; // inside, by the index of artKindNames
    host::BoundsBuilder bounds; // geometric bounds of everything inside, in document space
};

/// Every layer in pre-order (a layer, its sublayers, then its next sibling). The layer
/// groups are the tree itself and are not counted as art.
std::vector<LayerSummary> summariseLayers(const host::Document& doc);

} // namespace cartovel
