// User attributes, the selection and the art lists behind art sets.
#include "host/document/Document.h"

namespace host {

std::uint32_t Document::userAttributes(const Art& art, std::uint32_t mask) const {
    std::uint32_t bits = art.attrs_ & (kAttrSelected | kAttrLocked | kAttrHidden);
    if (const Layer* layer = art.ownedLayer_) {
        bits &= ~(kAttrLocked | kAttrHidden);
        if (!layer->editable) bits |= kAttrLocked;
        if (!layer->visible) bits |= kAttrHidden;
    }
    if ((mask & kAttrFullySelected) && (bits & kAttrSelected)) {
        bool all = true;
        for (const Art* a = art.firstChild_; a && all; a = nextInPreorder(a, &art))
            all = (a->attrs_ & kAttrSelected) != 0;
        if (all) bits |= kAttrFullySelected;
    }
    return bits & mask;
}

HostErr Document::setUserAttributes(Art& art, std::uint32_t mask, std::uint32_t value) {
    if (mask & ~kAttrAll) return kHostErrBadParameter;
    auto setOwn = [&](std::uint32_t bit) {
        if (((art.attrs_ ^ value) & bit) != 0) ++revision_;
        art.attrs_ = (value & bit) ? (art.attrs_ | bit) : (art.attrs_ & ~bit);
    };
    if (mask & kAttrLocked) {
        if (art.ownedLayer_) {
            setLayerEditable(*art.ownedLayer_, !(value & kAttrLocked));
        } else {
            setOwn(kAttrLocked);
        }
    }
    if (mask & kAttrHidden) {
        if (art.ownedLayer_) {
            setLayerVisible(*art.ownedLayer_, !(value & kAttrHidden));
        } else {
            setOwn(kAttrHidden);
        }
    }
    if (mask & kAttrFullySelected) {
        if (value & kAttrFullySelected) {
            for (Art* a = &art; a; a = nextInPreorder(a, &art))
                a->attrs_ |= kAttrSelected;
            setSelectedUp(art);
        } else {
            clearSelectedDown(art);
            fixSelectionAbove(art.parent_);
        }
    }
    if (mask & kAttrSelected) {
        if (value & kAttrSelected) {
            art.attrs_ |= kAttrSelected;
            setSelectedUp(art);
        } else {
            clearSelectedDown(art);
            fixSelectionAbove(art.parent_);
        }
    }
    return kHostNoErr;
}

void Document::setSelectedUp(Art& art) {
    for (Art* p = art.parent_; p && !p->isRoot_; p = p->parent_) {
        if (p->attrs_ & kAttrSelected) break; // its containers carry the mark already
        p->attrs_ |= kAttrSelected;
    }
}

void Document::clearSelectedDown(Art& art) {
    // Unselected art holds nothing selected, so whole unselected subtrees are skipped.
    Art* a = &art;
    while (a) {
        if (a->attrs_ & kAttrSelected) {
            a->attrs_ &= ~kAttrSelected;
            a = nextInPreorder(a, &art);
        } else {
            a = a == &art ? nullptr : nextOutside(a, &art);
        }
    }
}

void Document::fixSelectionAbove(Art* parent) {
    for (Art* p = parent; p && !p->isRoot_; p = p->parent_) {
        if (!(p->attrs_ & kAttrSelected)) break;
        for (const Art* c = p->firstChild_; c; c = c->next_)
            if (c->attrs_ & kAttrSelected) return;
        p->attrs_ &= ~kAttrSelected;
    }
}

std::vector<Art*> Document::selectedArt() const {
    std::vector<Art*> out;
    Art* a = root_->firstChild_;
    while (a) {
        if (a->attrs_ & kAttrSelected) {
            out.push_back(a);
            a = nextInPreorder(a, root_.get());
        } else {
            a = nextOutside(a, root_.get());
        }
    }
    return out;
}

std::vector<Art*> Document::layerArt(const Layer& layer) const {
    std::vector<Art*> out;
    Art* g = layer.group();
    for (Art* a = g; a; a = nextInPreorder(a, g))
        out.push_back(a);
    return out;
}

bool Document::layerHasSelectedArt(const Layer& layer) const {
    const Art* g = layer.group();
    for (const Art* c = g->firstChild_; c; c = c->next_)
        if (c->attrs_ & kAttrSelected) return true;
    return false;
}

void Document::deselectLayer(const Layer& layer) {
    Art* g = layer.group();
    clearSelectedDown(*g);
    fixSelectionAbove(g->parent_);
}

void Document::deselectAll() {
    for (Art* g = root_->firstChild_; g; g = g->next_)
        clearSelectedDown(*g);
}

} // namespace host
