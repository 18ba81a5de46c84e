// Art edits: new, duplicate, reorder and dispose at paint orders, text frames, symbol
// instances and path styles.
#include "host/document/Document.h"

#include "host/geometry/Bezier.h"

#include <cmath>

namespace host {

HostErr Document::checkEditable(const Art& art) const {
    const Layer* layer = layerOfArt(art);
    if (layer && closedAttributes(*layer) != 0) return kHostErrRefused;
    return kHostNoErr;
}

HostErr Document::resolvePlace(PaintOrder order, Art* reference, Place& place) const {
    switch (order) {
    case PaintOrder::Above:
    case PaintOrder::Below: {
        // Beside a top-level layer group, a symbol's art or a frame path nothing can go.
        if (!reference || !reference->parent_ || reference->parent_->isRoot_)
            return kHostErrBadParameter;
        place.parent = reference->parent_;
        place.before = order == PaintOrder::Above ? reference : reference->next_;
        return kHostNoErr;
    }
    case PaintOrder::InsideOnTop:
    case PaintOrder::InsideOnBottom: {
        Art* target = reference;
        if (!target) {
            if (!current_) return kHostErrNotFound;
            target = current_->group();
        }
        if (!isContainerType(target->type_)) return kHostErrWrongType;
        place.parent = target;
        place.before = order == PaintOrder::InsideOnTop ? target->firstChild_ : nullptr;
        return kHostNoErr;
    }
    case PaintOrder::AboveAll:
    case PaintOrder::BelowAll: {
        Layer* layer = reference ? layerOfArt(*reference) : current_;
        if (!layer) return reference ? kHostErrBadParameter : kHostErrNotFound;
        Art* g = layer->group();
        place.parent = g;
        place.before = order == PaintOrder::AboveAll ? g->firstChild_ : nullptr;
        return kHostNoErr;
    }
    }
    return kHostErrBadParameter;
}

HostErr Document::checkPlace(const Place& place, ArtType type) const {
    if (!place.parent || place.parent->isRoot_) return kHostErrBadParameter;
    if (place.parent->type_ == ArtType::CompoundPath && type != ArtType::Path)
        return kHostErrWrongType;
    return checkEditable(*place.parent);
}

// Filing is not drawing: an empty group, or art moved from elsewhere, may go where a plug-in
// names the place, even on a closed layer; what arrives is then protected like the rest of
// that layer. Nothing is drawn there, and nothing goes there by default.
HostErr Document::checkFilingPlace(const Place& place, ArtType type, const Art* reference) const {
    if (!reference) return checkPlace(place, type);
    if (!place.parent || place.parent->isRoot_) return kHostErrBadParameter;
    if (place.parent->type_ == ArtType::CompoundPath && type != ArtType::Path)
        return kHostErrWrongType;
    return kHostNoErr;
}

HostErr Document::newArt(ArtType type, PaintOrder order, Art* reference, Art** out) {
    if (!out) return kHostErrBadParameter;
    *out = nullptr;
    if (type == ArtType::SymbolInstance) return kHostErrBadParameter; // needs its symbol
    Place place;
    if (HostErr e = resolvePlace(order, reference, place)) return e;
    if (HostErr e = type == ArtType::Group ? checkFilingPlace(place, type, reference)
                                           : checkPlace(place, type))
        return e;
    Art* art = createArt(type);
    link(*art, place);
    *out = art;
    return kHostNoErr;
}

HostErr Document::duplicateArt(const Art& source, PaintOrder order, Art* reference, Art** out) {
    if (!out) return kHostErrBadParameter;
    *out = nullptr;
    if (source.isRoot_) return kHostErrBadParameter;
    Place place;
    if (HostErr e = resolvePlace(order, reference, place)) return e;
    if (HostErr e = checkPlace(place, source.type_)) return e;
    Art* copy = copySubtree(source);
    link(*copy, place);
    *out = copy;
    return kHostNoErr;
}

HostErr Document::reorderArt(Art& art, PaintOrder order, Art* reference) {
    if (art.ownedLayer_) return kHostErrWrongType; // layers move as layers
    if (!art.parent_ || art.parent_->isRoot_) return kHostErrBadParameter;
    if (reference == &art) {
        return order == PaintOrder::Above || order == PaintOrder::Below ? kHostNoErr
                                                                        : kHostErrBadParameter;
    }
    Place place;
    if (HostErr e = resolvePlace(order, reference, place)) return e;
    if (isInside(*place.parent, art)) return kHostErrBadParameter;
    if (HostErr e = checkEditable(art)) return e;
    if (HostErr e = checkFilingPlace(place, art.type_, reference)) return e;
    if (place.before == &art) return kHostNoErr; // already there
    const Layer* destination = layerOfArt(*place.parent);
    unlink(art);
    // What cannot be seen or edited cannot stay selected, or the next edit of the
    // selection would be refused.
    if (destination && closedAttributes(*destination) != 0) clearSelectedDown(art);
    link(art, place);
    return kHostNoErr;
}

HostErr Document::disposeArt(Art& art) {
    if (art.ownedLayer_) return deleteLayer(*art.ownedLayer_);
    if (art.attachedTo_) return kHostErrRefused; // the text needs its frame
    if (art.parent_ && art.parent_ == symbolRoot_.get()) return kHostErrBadParameter;
    if (HostErr e = checkEditable(art)) return e;
    unlink(art);
    destroySubtree(art);
    return kHostNoErr;
}

HostErr Document::newText(TextKind kind, Orientation orientation, PaintOrder order, Art* reference,
                          HostRealPoint anchor, Art* path, Art** out) {
    if (!out) return kHostErrBadParameter;
    *out = nullptr;
    if (orientation != Orientation::Horizontal && orientation != Orientation::Vertical)
        return kHostErrBadParameter;
    Place place;
    if (HostErr e = resolvePlace(order, reference, place)) return e;
    if (HostErr e = checkPlace(place, ArtType::TextFrame)) return e;
    if (kind == TextKind::Point) {
        if (!std::isfinite(anchor.h) || !std::isfinite(anchor.v)) return kHostErrBadParameter;
    } else if (kind == TextKind::Area || kind == TextKind::OnPath) {
        if (!path || path->type_ != ArtType::Path || path->attachedTo_ || path->ownedLayer_)
            return kHostErrBadParameter;
        if (place.parent == path) return kHostErrWrongType;
        if (isInside(*place.parent, *path)) return kHostErrBadParameter;
        if (HostErr e = checkEditable(*path)) return e;
        const PathData& geometry = *path->path();
        if (geometry.segments.empty()) return kHostErrBadParameter;
        if (kind == TextKind::Area) {
            const auto bounds = pathBounds(geometry);
            anchor = {bounds->left, bounds->top};
        } else {
            anchor = geometry.segments.front().p;
        }
        if (place.before == path) place.before = path->next_;
    } else {
        return kHostErrBadParameter;
    }
    Art* text = createArt(ArtType::TextFrame);
    TextData& data = *text->text();
    data.kind = kind;
    data.orientation = orientation;
    data.matrix = translationMatrix(anchor.h, anchor.v);
    if (path) {
        unlink(*path);
        path->attrs_ &= ~kAttrSelected;
        attachFramePath(*text, *path);
    }
    link(*text, place);
    *out = text;
    return kHostNoErr;
}

HostErr Document::newSymbolInstance(const Symbol& symbol, const HostRealMatrix& matrix,
                                    PaintOrder order, Art* reference, Art** out) {
    if (!out) return kHostErrBadParameter;
    *out = nullptr;
    if (!isFinite(matrix)) return kHostErrBadParameter;
    Place place;
    if (HostErr e = resolvePlace(order, reference, place)) return e;
    if (HostErr e = checkPlace(place, ArtType::SymbolInstance)) return e;
    Art* art = createArt(ArtType::SymbolInstance);
    *art->symbolInstance() = {symbol.id(), matrix};
    link(*art, place);
    *out = art;
    return kHostNoErr;
}

HostErr Document::getPathStyle(const Art& art, PathStyle& style) const {
    if (const PathData* p = art.path()) {
        style = p->style;
        return kHostNoErr;
    }
    if (art.type_ != ArtType::CompoundPath) return kHostErrWrongType;
    for (const Art* c = art.firstChild_; c; c = c->next_) {
        if (const PathData* p = c->path()) {
            style = p->style;
            return kHostNoErr;
        }
    }
    style = PathStyle{};
    return kHostNoErr;
}

void Document::setMemberStyles(Art& compound, const PathStyle& style) {
    for (Art* c = compound.firstChild_; c; c = c->next_)
        if (PathData* p = c->path()) p->style = style;
}

HostErr Document::setPathStyle(Art& art, const PathStyle& style) {
    if (!art.path() && art.type_ != ArtType::CompoundPath) return kHostErrWrongType;
    if (!isValidPathStyle(style)) return kHostErrBadParameter;
    if (HostErr e = checkEditable(art)) return e;
    if (art.type_ == ArtType::CompoundPath) {
        setMemberStyles(art, style);
    } else if (art.parent_ && art.parent_->type_ == ArtType::CompoundPath) {
        setMemberStyles(*art.parent_, style); // members share the compound path's style
    } else {
        art.path()->style = style;
    }
    ++revision_;
    return kHostNoErr;
}

} // namespace host
