#include "host/document/Art.h"

#include <algorithm>

namespace host {

Art::Art(ArtType type, std::uint64_t id) : id_(id), type_(type) {
    if (hasPathData(type)) {
        data_ = PathData{};
    } else if (isImageType(type)) {
        data_.emplace<Boxed<ImageData>>();
    } else if (type == ArtType::SymbolInstance) {
        data_.emplace<Boxed<SymbolInstanceData>>();
    } else if (isTextType(type)) {
        data_.emplace<Boxed<TextData>>();
    }
}

Art* Art::parent() const {
    return parent_ && !parent_->isRoot_ ? parent_ : nullptr;
}

Art* nextOutside(const Art* a, const Art* root) {
    for (const Art* x = a; x && x != root; x = x->parent_) {
        if (x->next_) return x->next_;
    }
    return nullptr;
}

Art* nextInPreorder(const Art* a, const Art* root) {
    if (a->firstChild_) return a->firstChild_;
    return nextOutside(a, root);
}

const Tags::Entries& Tags::entries() const {
    static const Entries none;
    return entries_ ? *entries_ : none;
}

const std::string* Tags::find(std::string_view name) const {
    for (const auto& e : entries())
        if (e.first == name) return &e.second;
    return nullptr;
}

void Tags::set(std::string_view name, std::string value) {
    if (!entries_) entries_ = std::make_unique<Entries>();
    for (auto& e : *entries_) {
        if (e.first == name) {
            e.second = std::move(value);
            return;
        }
    }
    entries_->emplace_back(std::string(name), std::move(value));
}

bool Tags::operator==(const Tags& other) const {
    if (size() != other.size()) return false;
    for (const auto& [name, value] : entries()) {
        const std::string* v = other.find(name);
        if (!v || *v != value) return false;
    }
    return true;
}

bool Tags::remove(std::string_view name) {
    if (!entries_) return false;
    auto it = std::find_if(entries_->begin(), entries_->end(),
                           [&](const auto& e) { return e.first == name; });
    if (it == entries_->end()) return false;
    entries_->erase(it);
    if (entries_->empty()) entries_.reset();
    return true;
}

} // namespace host

// A path's whole record fits one 192-byte allocation class of the usual allocators.
static_assert(sizeof(host::Art) <= 192);
