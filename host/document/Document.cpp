#include "host/document/Document.h"

#include <utility>

namespace host {

Document::Document()
    : id_(newHandleId(HandleKind::Document)), root_(new Art(ArtType::Group, 0)),
      symbolRoot_(new Art(ArtType::Group, 0)) {
    root_->isRoot_ = true;
    symbolRoot_->isRoot_ = true;
}

Document::~Document() = default;

std::unique_ptr<Document> Document::createDefault() {
    auto doc = std::make_unique<Document>();
    doc->current_ = doc->appendLayer(nullptr, "Layer 1");
    doc->viewCentre = {doc->page.x + doc->page.width / 2, doc->page.height / 2};
    return doc;
}

Art* Document::art(HostArtHandle handle) const {
    const std::uint64_t id = idOfHandle(handle);
    if (handleKindOf(id) != HandleKind::Art) return nullptr;
    return arts_.find(id);
}

Layer* Document::layer(HostLayerHandle handle) const {
    const std::uint64_t id = idOfHandle(handle);
    if (handleKindOf(id) != HandleKind::Layer) return nullptr;
    auto it = layers_.find(id);
    return it == layers_.end() ? nullptr : it->second.get();
}

Symbol* Document::symbol(std::uint64_t id) const {
    if (handleKindOf(id) != HandleKind::Symbol) return nullptr;
    auto it = symbolMap_.find(id);
    return it == symbolMap_.end() ? nullptr : it->second.get();
}

Art* Document::createArt(ArtType type) {
    const std::uint64_t id = newHandleId(HandleKind::Art);
    auto art = std::unique_ptr<Art>(new Art(type, id));
    Art* raw = art.get();
    arts_.insert(id, std::move(art));
    return raw;
}

Art* Document::makeArt(ArtType type) {
    return createArt(type);
}

Layer* Document::appendLayer(Layer* parent, std::string title) {
    return addLayer(parent, std::move(title), false);
}

Layer* Document::prependLayer(Layer* parent, std::string title) {
    return addLayer(parent, std::move(title), true);
}

Layer* Document::addLayer(Layer* parent, std::string title, bool front) {
    Art* container = parent ? parent->group() : root_.get();
    return createLayer(std::move(title), {container, front ? container->firstChild_ : nullptr});
}

Layer* Document::createLayer(std::string title, const Place& place) {
    Art* group = createArt(ArtType::Group);
    const std::uint64_t id = newHandleId(HandleKind::Layer);
    auto layer = std::unique_ptr<Layer>(new Layer(id, group));
    layer->title = std::move(title);
    Layer* raw = layer.get();
    layers_.emplace(id, std::move(layer));
    group->ownedLayer_ = raw;
    link(*group, place);
    if (!current_) current_ = raw;
    return raw;
}

void Document::appendChild(Art& parent, Art& child) {
    link(child, {&parent, nullptr});
}

void Document::prependChild(Art& parent, Art& child) {
    link(child, {&parent, parent.firstChild_});
}

void Document::attachFramePath(Art& text, Art& path) {
    TextData* data = text.text();
    if (!data) return;
    ++revision_;
    if (data->framePath && data->framePath != &path) destroySubtree(*data->framePath);
    data->framePath = &path;
    path.attachedTo_ = &text;
}

Symbol* Document::newSymbol(std::string name) {
    Art* art = createArt(ArtType::Group);
    link(*art, {symbolRoot_.get(), nullptr});
    const std::uint64_t id = newHandleId(HandleKind::Symbol);
    auto symbol = std::unique_ptr<Symbol>(new Symbol(id, art));
    symbol->name = std::move(name);
    ++revision_;
    Symbol* raw = symbol.get();
    symbolMap_.emplace(id, std::move(symbol));
    symbolOrder_.push_back(raw);
    return raw;
}

HostErr Document::deleteSymbol(Symbol& symbol) {
    bool used = false;
    arts_.forEach([&](const Art& art) {
        const SymbolInstanceData* inst = art.symbolInstance();
        used = used || (inst && inst->symbol == symbol.id());
    });
    if (used) return kHostErrRefused;
    Art* art = symbol.art();
    unlink(*art);
    destroySubtree(*art);
    std::erase(symbolOrder_, &symbol);
    symbolMap_.erase(symbol.id()); // destroys symbol
    return kHostNoErr;
}

void Document::link(Art& child, const Place& place) {
    ++shape_;
    ++revision_;
    if (child.ownedLayer_) ++layerStamp_;
    Art* parent = place.parent;
    Art* before = place.before;
    child.parent_ = parent;
    if (before) {
        child.next_ = before;
        child.prev_ = before->prev_;
        if (before->prev_) {
            before->prev_->next_ = &child;
        } else {
            parent->firstChild_ = &child;
        }
        before->prev_ = &child;
    } else {
        child.prev_ = parent->lastChild_;
        child.next_ = nullptr;
        if (parent->lastChild_) {
            parent->lastChild_->next_ = &child;
        } else {
            parent->firstChild_ = &child;
        }
        parent->lastChild_ = &child;
    }
    if (child.ownedLayer_) ++parent->sublayerCount_;
    if (child.attrs_ & kAttrSelected) setSelectedUp(child);
}

void Document::unlink(Art& child) {
    Art* parent = child.parent_;
    if (!parent) return;
    ++shape_;
    ++revision_;
    if (child.ownedLayer_) ++layerStamp_;
    if (child.prev_) {
        child.prev_->next_ = child.next_;
    } else {
        parent->firstChild_ = child.next_;
    }
    if (child.next_) {
        child.next_->prev_ = child.prev_;
    } else {
        parent->lastChild_ = child.prev_;
    }
    if (child.ownedLayer_) --parent->sublayerCount_;
    child.parent_ = child.prev_ = child.next_ = nullptr;
    if (child.attrs_ & kAttrSelected) fixSelectionAbove(parent);
}

void Document::destroySubtree(Art& top) {
    // A lone path or leaf, as most edits drop, goes at once.
    if (!top.firstChild_ && !top.ownedLayer_ && !top.text()) {
        arts_.erase(top.id_);
        return;
    }
    // Collect first: the walk follows links that the erasing would free.
    std::vector<std::uint64_t> doomed;
    bool currentGone = false;
    for (Art* a = &top; a; a = nextInPreorder(a, &top)) {
        doomed.push_back(a->id_);
        if (const TextData* t = a->text(); t && t->framePath) doomed.push_back(t->framePath->id_);
        if (a->ownedLayer_) {
            if (a->ownedLayer_ == current_) currentGone = true;
            if (a->ownedLayer_ == previousCurrent_) previousCurrent_ = nullptr;
            layers_.erase(a->ownedLayer_->id());
        }
    }
    for (std::uint64_t id : doomed)
        arts_.erase(id);
    if (currentGone) {
        current_ = previousCurrent_ != nullptr ? previousCurrent_ : firstLayer();
        previousCurrent_ = nullptr;
    }
}

Art* Document::copyArt(const Art& source, Ids ids) {
    Art* copy = nullptr;
    if (ids == Ids::Same) {
        copy = new Art(source.type_, source.id_);
        arts_.insert(source.id_, std::unique_ptr<Art>(copy));
    } else {
        copy = createArt(source.type_);
    }
    copy->name = source.name;
    copy->tags = source.tags;
    copy->attrs_ = source.attrs_ & (kAttrLocked | kAttrHidden);
    copy->data_ = source.data_;
    if (source.kept) copy->kept = std::make_unique<KeptContent>(*source.kept);
    return copy;
}

Art* Document::copySubtree(const Art& source, Ids ids) {
    auto copyNode = [this, ids](const Art& src) {
        Art* dst = copyArt(src, ids);
        if (TextData* t = dst->text(); t && t->framePath) {
            Art* frame = copyArt(*t->framePath, ids);
            frame->attachedTo_ = dst;
            t->framePath = frame;
        }
        if (const Layer* layer = src.ownedLayer_; layer && ids == Ids::Same) {
            auto copy = std::unique_ptr<Layer>(new Layer(layer->id(), dst));
            copy->title = layer->title;
            copy->visible = layer->visible;
            copy->editable = layer->editable;
            dst->ownedLayer_ = copy.get();
            layers_.emplace(layer->id(), std::move(copy));
        }
        return dst;
    };
    Art* top = copyNode(source);
    // Depth-first with an explicit stack: art can nest deeper than the call stack allows.
    std::vector<std::pair<const Art*, Art*>> stack;
    for (const Art* c = source.lastChild_; c; c = c->prev_)
        stack.emplace_back(c, top);
    while (!stack.empty()) {
        auto [src, parent] = stack.back();
        stack.pop_back();
        Art* dst = copyNode(*src);
        link(*dst, {parent, nullptr});
        for (const Art* c = src->lastChild_; c; c = c->prev_)
            stack.emplace_back(c, dst);
    }
    return top;
}

bool Document::isInside(const Art& art, const Art& ancestor) const {
    for (const Art* a = &art; a; a = a->parent_)
        if (a == &ancestor) return true;
    return false;
}

} // namespace host
