// A path's paint, held in one block that paths with the same paint share: copies of a path,
// and paths read one after another with equal paint. A path that changes its paint makes
// the block its own first (copy on write); reading never copies.
#pragma once

#include "host/document/PathStyle.h"

#include <memory>

namespace host {

class SharedPathStyle {
public:
    SharedPathStyle() = default; // the default paint, with no block of its own
    SharedPathStyle(const PathStyle& style) { *this = style; }
    /// Keeps the block (and its sharing) when the paint is already equal.
    SharedPathStyle& operator=(const PathStyle& style);

    const PathStyle& get() const;
    operator const PathStyle&() const { return get(); }
    const PathStyle* operator->() const { return &get(); }
    /// The paint to change, made this path's own first.
    PathStyle& edit();

    bool sharesWith(const SharedPathStyle& other) const { return style_ == other.style_; }

private:
    std::shared_ptr<PathStyle> style_;
};

} // namespace host
