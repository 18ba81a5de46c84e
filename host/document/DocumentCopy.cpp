// A whole-document copy that keeps every handle, so that putting it back (an undo) leaves
// the handles a module kept good, as a document undone in place would.
#include "host/document/Document.h"

namespace host {

std::unique_ptr<Document> Document::copy() const {
    auto copy = std::make_unique<Document>();
    copy->id_ = id_;
    copy->page = page;
    copy->filePath = filePath;
    copy->viewCentre = viewCentre;
    copy->textFocus = textFocus;
    copy->kept = kept;
    copy->reserve(arts_.size());
    for (const Art* group = root_->firstChild_; group; group = group->nextSibling())
        copy->link(*copy->copySubtree(*group, Ids::Same), {copy->root_.get(), nullptr});
    for (const Symbol* symbol : symbolOrder_) {
        Art* art = copy->copySubtree(*symbol->art(), Ids::Same);
        copy->link(*art, {copy->symbolRoot_.get(), nullptr});
        auto made = std::unique_ptr<Symbol>(new Symbol(symbol->id(), art));
        made->name = symbol->name;
        made->keptId = symbol->keptId;
        copy->symbolOrder_.push_back(made.get());
        copy->symbolMap_.emplace(symbol->id(), std::move(made));
    }
    auto same = [&](const Layer* layer) {
        return layer == nullptr ? nullptr : copy->layer(layer->handle());
    };
    copy->current_ = same(current_);
    copy->previousCurrent_ = same(previousCurrent_);
    copy->revision_ = revision_;
    return copy;
}

} // namespace host
