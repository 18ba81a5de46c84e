// Hidden and locked as they hold for a layer: its own flags and those of the layers around
// it.
#include "host/document/Document.h"

namespace host {
namespace {

std::uint32_t ownAttributes(const Layer& layer) {
    return (layer.visible ? 0u : kAttrHidden) | (layer.editable ? 0u : kAttrLocked);
}

} // namespace

std::uint32_t Document::closedAttributes(const Layer& layer) const {
    // Climb to the nearest layer whose remembered state still holds (or past the top
    // level), then hand the bits down the layers climbed: each layer is worked out once per
    // change, however deep the nesting.
    std::vector<const Layer*>& climbed = closedClimb_;
    climbed.clear();
    const Layer* known = &layer;
    for (; known && known->closedStamp_ != layerStamp_; known = parentLayer(*known))
        climbed.push_back(known);
    std::uint32_t bits = known ? known->closedAbove_ | ownAttributes(*known) : 0u;
    for (auto it = climbed.rbegin(); it != climbed.rend(); ++it) {
        (*it)->closedAbove_ = bits;
        (*it)->closedStamp_ = layerStamp_;
        bits |= ownAttributes(**it);
    }
    // The layer's own flags are read as they are now, however they were set.
    return layer.closedAbove_ | ownAttributes(layer);
}

void Document::setLayerVisible(Layer& layer, bool visible) {
    if (layer.visible != visible) ++revision_;
    layer.visible = visible;
    ++layerStamp_;
}

void Document::setLayerEditable(Layer& layer, bool editable) {
    if (layer.editable != editable) ++revision_;
    layer.editable = editable;
    ++layerStamp_;
}

} // namespace host
