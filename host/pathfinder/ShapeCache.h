// Remembers the non-zero form of the shapes the unite has seen. A map's adjacency test
// unites each polygon with every neighbour in turn, each time as a fresh copy of the same
// outline, so the form is worked out once per outline instead of once per pair. A shape
// is looked up by a few of its points and then compared whole, so the lookup costs one
// pass of comparison over the shape's anchors and no copy of them.
#pragma once

#include "host/pathfinder/NormalForm.h"
#include "host/pathfinder/SharedEdgeUnion.h"

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

namespace host::pathfinder {

/// One input of the unite seen in place: its outlines where the document keeps them.
struct ShapeView {
    std::vector<std::span<const HostPathSegment>> rings;
    bool evenOdd = false;
};

class ShapeCache {
public:
    explicit ShapeCache(std::size_t maxPoints = kMaxPoints) : maxPoints_(maxPoints) {}

    /// Starts afresh when more than the most points are remembered. Called before the inputs of
    /// one unite are looked up, so that their forms stay valid together.
    void MakeRoom();
    /// The normal form of shape, worked out now or remembered from an equal shape; valid
    /// until the next MakeRoom.
    const NormalForm& Get(const ShapeView& shape);
    const NormalForm& Get(const UniteShape& shape);

    [[nodiscard]] std::size_t size() const { return entries_.size(); }

    /// Working memory for the unions of the shapes looked up here.
    SharedEdgeScratch& scratch() { return scratch_; }

    /// Beyond this many remembered points MakeRoom starts afresh, unless told otherwise.
    static constexpr std::size_t kMaxPoints = std::size_t{1} << 23;

private:
    struct Entry {
        UniteShape shape;
        NormalForm form;
    };
    std::unordered_multimap<std::uint64_t, std::unique_ptr<Entry>> entries_;
    std::size_t maxPoints_;
    std::size_t points_ = 0;
    SharedEdgeScratch scratch_;
};

} // namespace host::pathfinder
