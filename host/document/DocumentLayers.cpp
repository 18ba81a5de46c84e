// Layer walks and layer edits.
#include "host/document/Document.h"

namespace host {

std::int32_t Document::layerCount() const {
    return static_cast<std::int32_t>(root_->sublayerCount_);
}

Layer* Document::layerAt(std::int32_t index) const {
    if (index < 0) return nullptr;
    for (Art* g = root_->firstChild_; g; g = g->next_) {
        if (index-- == 0) return g->ownedLayer_;
    }
    return nullptr;
}

Layer* Document::firstLayer() const {
    return root_->firstChild_ ? root_->firstChild_->ownedLayer_ : nullptr;
}

Layer* Document::nextLayer(const Layer& layer) const {
    for (Art* a = layer.group()->next_; a; a = a->next_)
        if (a->ownedLayer_) return a->ownedLayer_;
    return nullptr;
}

Layer* Document::firstSublayer(const Layer& layer) const {
    const Art* g = layer.group();
    if (g->sublayerCount_ == 0) return nullptr;
    for (Art* a = g->firstChild_; a; a = a->next_)
        if (a->ownedLayer_) return a->ownedLayer_;
    return nullptr;
}

Layer* Document::parentLayer(const Layer& layer) const {
    const Art* p = layer.group()->parent_;
    return p ? p->ownedLayer_ : nullptr;
}

Layer* Document::nextPreorderLayer(const Layer& layer) const {
    if (Layer* sub = firstSublayer(layer)) return sub;
    return nextPreorderLayerOutside(layer);
}

Layer* Document::nextPreorderLayerOutside(const Layer& layer) const {
    if (outsideCacheShape_ != shape_) {
        outsideCache_.clear();
        outsideCacheShape_ = shape_;
    }
    // Climb until a layer with a next sibling or one already answered; everything on the
    // way shares that answer.
    std::vector<const Layer*> climbed;
    Layer* answer = nullptr;
    for (const Layer* l = &layer; l; l = parentLayer(*l)) {
        if (const auto known = outsideCache_.find(l); known != outsideCache_.end()) {
            answer = known->second;
            break;
        }
        climbed.push_back(l);
        if ((answer = nextLayer(*l)) != nullptr) break;
    }
    for (const Layer* l : climbed)
        outsideCache_[l] = answer;
    return answer;
}

std::vector<Layer*> Document::allLayers() const {
    std::vector<Layer*> out;
    for (Layer* l = firstLayer(); l; l = nextPreorderLayer(*l))
        out.push_back(l);
    return out;
}

Document::Identity Document::identity() const {
    Identity out{id_, {}};
    for (const Layer* l : allLayers())
        out.layers.push_back(l->id_);
    return out;
}

bool Document::adoptIdentity(const Identity& identity) {
    const std::vector<Layer*> layers = allLayers();
    if (handleKindOf(identity.document) != HandleKind::Document ||
        identity.layers.size() != layers.size() || layers_.size() != layers.size())
        return false;
    std::unordered_map<std::uint64_t, std::unique_ptr<Layer>> rekeyed;
    rekeyed.reserve(layers.size());
    for (const std::uint64_t id : identity.layers)
        if (handleKindOf(id) != HandleKind::Layer || !rekeyed.emplace(id, nullptr).second)
            return false;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        auto node = layers_.extract(layers[i]->id_);
        layers[i]->id_ = identity.layers[i];
        rekeyed[identity.layers[i]] = std::move(node.mapped());
    }
    layers_ = std::move(rekeyed);
    id_ = identity.document;
    return true;
}

HostErr Document::insertLayer(Layer* reference, PaintOrder order, Layer** newLayer) {
    if (!newLayer) return kHostErrBadParameter;
    *newLayer = nullptr;
    Place place;
    switch (order) {
    case PaintOrder::AboveAll:
        place = {root_.get(), root_->firstChild_};
        break;
    case PaintOrder::BelowAll:
        place = {root_.get(), nullptr};
        break;
    case PaintOrder::Above:
    case PaintOrder::Below:
    case PaintOrder::InsideOnTop:
    case PaintOrder::InsideOnBottom: {
        if (!reference) return kHostErrBadParameter;
        Art* g = reference->group();
        if (order == PaintOrder::Above) place = {g->parent_, g};
        if (order == PaintOrder::Below) place = {g->parent_, g->next_};
        if (order == PaintOrder::InsideOnTop) place = {g, g->firstChild_};
        if (order == PaintOrder::InsideOnBottom) place = {g, nullptr};
        break;
    }
    default:
        return kHostErrBadParameter;
    }
    *newLayer = createLayer("Layer " + std::to_string(layers_.size() + 1), place);
    return kHostNoErr;
}

HostErr Document::deleteLayer(Layer& layer) {
    // A document always keeps a layer to draw on.
    if (!parentLayer(layer) && layerCount() == 1) return kHostErrRefused;
    Art* g = layer.group();
    unlink(*g);
    destroySubtree(*g); // also forgets the layer and its sublayers
    return kHostNoErr;
}

HostErr Document::setCurrentLayer(Layer& layer) {
    if (current_ != &layer) {
        // The current layer is saved with the editor's view settings.
        previousCurrent_ = current_;
        ++revision_;
    }
    current_ = &layer;
    return kHostNoErr;
}

Layer* Document::layerOfArt(const Art& art) const {
    const Art* a = art.attachedTo_ ? art.attachedTo_ : &art;
    for (; a; a = a->parent_)
        if (a->ownedLayer_) return a->ownedLayer_;
    return nullptr;
}

} // namespace host
