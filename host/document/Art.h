// One art object of a document. Art is made, linked, moved and destroyed only by its
// Document, which owns it; its address stays the same from creation to disposal, and its
// handle() is the opaque value the host interface passes around.
#pragma once

#include "host/document/ArtKinds.h"
#include "host/document/Boxed.h"
#include "host/document/Handles.h"
#include "host/document/KeptContent.h"
#include "host/document/PathSegments.h"
#include "host/document/PathStyle.h"
#include "host/document/SharedPathStyle.h"
#include "host/document/TextData.h"
#include "hostapi/suites/PathSuite.h"

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace host {

class Layer;

/// A Bezier outline: segment i runs p(i), out(i), in(i+1), p(i+1); a closed path adds the
/// segment from the last anchor back to the first.
struct PathData {
    PathSegments segments;
    bool closed = false;
    bool guide = false;
    SharedPathStyle style;
};

/// A placed (linked) or raster (embedded) image. The matrix maps the image's pixel
/// rectangle into the document. A placed image's pixel space runs x right and y down from
/// its top-left corner (so a placed image at 100 % has the matrix (1, 0, 0, -1, left,
/// top)); a raster image's runs x right and y up from its bottom-left corner (at 100 %:
/// (1, 0, 0, 1, left, bottom)).
struct ImageData {
    HostRealMatrix matrix = kIdentityMatrix;
    double pixelWidth = 0.0;
    double pixelHeight = 0.0;
    std::string href; // file name, URL or data: URI
};

/// An instance of a symbol: the matrix maps the symbol's art (in the symbol's own space,
/// y up) into the document.
struct SymbolInstanceData {
    std::uint64_t symbol = 0; // id of the Symbol; stale ids draw nothing
    HostRealMatrix matrix = kIdentityMatrix;
};

/// Dictionary entries of an art object, in the order they were first set. Most art has
/// none, so the entries live on the heap and an empty dictionary is one null pointer.
class Tags {
public:
    using Entries = std::vector<std::pair<std::string, std::string>>;

    Tags() = default;
    Tags(const Tags& other) : entries_(copyOf(other)) {}
    Tags(Tags&&) noexcept = default;
    Tags& operator=(const Tags& other) {
        entries_ = copyOf(other);
        return *this;
    }
    Tags& operator=(Tags&&) noexcept = default;

    const std::string* find(std::string_view name) const;
    void set(std::string_view name, std::string value);
    bool remove(std::string_view name);
    std::size_t size() const { return entries_ ? entries_->size() : 0; }
    bool empty() const { return size() == 0; }
    const std::pair<std::string, std::string>& at(std::size_t i) const { return (*entries_)[i]; }
    const Entries& entries() const;
    /// Same names with the same values, in any order.
    bool operator==(const Tags& other) const;

private:
    static std::unique_ptr<Entries> copyOf(const Tags& tags) {
        return tags.empty() ? nullptr : std::make_unique<Entries>(*tags.entries_);
    }

    std::unique_ptr<Entries> entries_;
};

class Art {
public:
    Art(const Art&) = delete;
    Art& operator=(const Art&) = delete;

    ArtType type() const { return type_; }
    std::uint64_t id() const { return id_; }
    HostArtHandle handle() const { return handleOfId<HostArtHandle>(id_); }

    /// The containing art; null for a layer's group at the top level, for a symbol's art
    /// and for a frame path.
    Art* parent() const;
    Art* firstChild() const { return firstChild_; }
    Art* lastChild() const { return lastChild_; }
    Art* nextSibling() const { return next_; }
    Art* prevSibling() const { return prev_; }

    /// The layer whose group this is; null for other art.
    Layer* ownedLayer() const { return ownedLayer_; }
    bool isLayerGroup() const { return ownedLayer_ != nullptr; }
    /// The text frame whose frame path this is; null for other art.
    Art* attachedTo() const { return attachedTo_; }
    /// Number of children that are layer groups (sublayers).
    std::uint32_t sublayerCount() const { return sublayerCount_; }

    /// The art's own user attribute bits (selected, locked, hidden). A layer group
    /// reports its layer's flags; Document::userAttributes() gives the full answer.
    std::uint32_t ownAttributes() const { return attrs_; }

    std::string name; // written as the SVG id
    Tags tags;
    /// What the file said that the model does not represent; null for most art.
    std::unique_ptr<KeptContent> kept;

    PathData* path() { return std::get_if<PathData>(&data_); }
    const PathData* path() const { return std::get_if<PathData>(&data_); }
    ImageData* image() { return boxed<ImageData>(); }
    const ImageData* image() const { return boxed<ImageData>(); }
    SymbolInstanceData* symbolInstance() { return boxed<SymbolInstanceData>(); }
    const SymbolInstanceData* symbolInstance() const { return boxed<SymbolInstanceData>(); }
    TextData* text() { return boxed<TextData>(); }
    const TextData* text() const { return boxed<TextData>(); }

private:
    friend class Document;
    friend Art* nextInPreorder(const Art* a, const Art* root);
    friend Art* nextOutside(const Art* a, const Art* root);
    // Most art is paths: the other kinds live on the heap so the variant is path-sized.
    using Data = std::variant<std::monostate, PathData, Boxed<ImageData>, Boxed<SymbolInstanceData>,
                              Boxed<TextData>>;

    Art(ArtType type, std::uint64_t id);
    template <class T> T* boxed() {
        Boxed<T>* b = std::get_if<Boxed<T>>(&data_);
        return b ? b->get() : nullptr;
    }
    template <class T> const T* boxed() const {
        const Boxed<T>* b = std::get_if<Boxed<T>>(&data_);
        return b ? b->get() : nullptr;
    }

    // Ordered so that the small fields share one word.
    std::uint64_t id_;
    std::uint32_t attrs_ = 0;
    std::uint32_t sublayerCount_ = 0;
    ArtType type_;
    bool isRoot_ = false;
    Art* parent_ = nullptr;
    Art* prev_ = nullptr;
    Art* next_ = nullptr;
    Art* firstChild_ = nullptr;
    Art* lastChild_ = nullptr;
    Layer* ownedLayer_ = nullptr;
    Art* attachedTo_ = nullptr;
    Data data_;
};

/// The next art after a in pre-order (a, its subtree, its next sibling, ...) that stays
/// inside root's subtree; null at the end. root itself is never returned.
Art* nextInPreorder(const Art* a, const Art* root);
/// The next art after a's subtree in pre-order inside root's subtree.
Art* nextOutside(const Art* a, const Art* root);

} // namespace host
