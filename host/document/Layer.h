// A layer and a symbol definition. Both are owned by their Document; their addresses stay
// the same until they are deleted.
#pragma once

#include "host/document/Handles.h"
#include "hostapi/HostTypes.h"

#include <cstdint>
#include <string>

namespace host {

class Art;

class Layer {
public:
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    std::uint64_t id() const { return id_; }
    HostLayerHandle handle() const { return handleOfId<HostLayerHandle>(id_); }
    /// The layer's group: the group art holding everything on the layer, sublayers'
    /// groups included.
    Art* group() const { return group_; }

    std::string title; // UTF-8
    /// The layer's own flags. Once the document is in use, set them through
    /// Document::setLayerVisible and setLayerEditable: the document remembers what each
    /// layer passes down to its sublayers.
    bool visible = true;
    bool editable = true;

private:
    friend class Document;
    Layer(std::uint64_t id, Art* group) : id_(id), group_(group) {}

    std::uint64_t id_;
    Art* group_;
    // The hidden and locked bits the layers around this one impose, valid while the
    // document's layer stamp equals closedStamp_.
    mutable std::uint64_t closedStamp_ = 0;
    mutable std::uint32_t closedAbove_ = 0;
};

/// A symbol definition: named art that symbol instances draw through their matrices.
class Symbol {
public:
    Symbol(const Symbol&) = delete;
    Symbol& operator=(const Symbol&) = delete;

    std::uint64_t id() const { return id_; }
    /// The symbol's art, a group in the symbol's own space (y up).
    Art* art() const { return art_; }

    std::string name;
    /// The id of the file's own definition, kept verbatim with the file's other
    /// definitions and written back instead of the art; empty for symbols made here.
    std::string keptId;

private:
    friend class Document;
    Symbol(std::uint64_t id, Art* art) : id_(id), art_(art) {}

    std::uint64_t id_;
    Art* art_;
};

} // namespace host
