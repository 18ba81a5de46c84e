// The layer a panel command names: by its path of titles or by its SVG id.
#pragma once

#include "host/document/Document.h"

#include <string>
#include <string_view>

namespace cartovel {

struct LayerLookup {
    host::Layer* layer = nullptr;
    std::string error; // why none was found; empty with a layer
};

/// The layer at the end of path, titles parted by "/" ("\/" is a slash inside a title and
/// "\\" a backslash), starting at a top-level layer, else at any sublayer. Refused when it
/// names no layer or more than one.
LayerLookup findLayerByPath(const host::Document& doc, std::string_view path);

/// The layer whose group has this SVG id.
LayerLookup findLayerById(const host::Document& doc, std::string_view id);

/// The layer's position among the document's layers in pre-order, front to back.
std::size_t layerIndex(const host::Document& doc, const host::Layer& layer);

} // namespace cartovel
