#include "commands/LayerPath.h"

#include "platform/UserAgent.h"

#include <vector>

namespace cartovel {
namespace {

// The layer's title and its parents' end the path; fromTop: and nothing is above them.
bool endsPath(const host::Document& doc, const host::Layer& layer,
              const std::vector<std::string>& path, bool fromTop) {
    const host::Layer* at = &layer;
    for (auto part = path.rbegin(); part != path.rend(); ++part) {
        if (at == nullptr || at->title != *part) return false;
        at = doc.parentLayer(*at);
    }
    return !fromTop || at == nullptr;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

} // namespace

LayerLookup findLayerByPath(const host::Document& doc, std::string_view path) {
    const std::vector<std::string> parts = ws::PanelView::splitPath(path);
    const std::vector<host::Layer*> layers = doc.allLayers();
    std::vector<host::Layer*> found;
    for (const bool fromTop : {true, false}) {
        for (host::Layer* layer : layers)
            if (endsPath(doc, *layer, parts, fromTop)) found.push_back(layer);
        if (!found.empty()) break;
    }
    if (found.size() == 1) return {found.front(), {}};
    const std::string what =
        parts.size() == 1 ? "named " + quoted(parts.front()) : "at the path " + quoted(path);
    if (found.empty()) return {nullptr, "no layer is " + what};
    return {nullptr, std::to_string(found.size()) + " layers are " + what +
                         "; the path is ambiguous: give the layers above it (PARENT/LAYER)"};
}

LayerLookup findLayerById(const host::Document& doc, std::string_view id) {
    for (host::Layer* layer : doc.allLayers())
        if (layer->group()->name == id) return {layer, {}};
    return {nullptr, "no layer has the id " + quoted(id)};
}

std::size_t layerIndex(const host::Document& doc, const host::Layer& layer) {
    std::size_t index = 0;
    for (const host::Layer* l = doc.firstLayer(); l != nullptr && l != &layer;
         l = doc.nextPreorderLayer(*l))
        ++index;
    return index;
}

} // namespace cartovel
