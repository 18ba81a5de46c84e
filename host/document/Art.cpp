#include "host/document/Art.h"

#include <algorithm>

namespace host {

Art::Art(ArtType type, std::uint64_t id) : type_(type), id_(id) {
    if (hasPathData(type)) {
        data_ = PathData{};
    } else if (isImageType(type)) {
        data_ = ImageData{};
    } else if (type == ArtType::SymbolInstance) {
        data_ = SymbolInstanceData{};
    } else if (isTextType(type)) {
        data_ = TextData{};
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

const std::string* Tags::find(std::string_view name) const {
    for (const auto& e : entries_)
        if (e.first == name) return &e.second;
    return nullptr;
}

void Tags::set(std::string_view name, std::string value) {
    for (auto& e : entries_) {
        if (e.first == name) {
            e.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(name), std::move(value));
}

bool Tags::operator==(const Tags& other) const {
    if (entries_.size() != other.entries_.size()) return false;
    for (const auto& [name, value] : entries_) {
        const std::string* v = other.find(name);
        if (!v || *v != value) return false;
    }
    return true;
}

bool Tags::remove(std::string_view name) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& e) { return e.first == name; });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

} // namespace host
