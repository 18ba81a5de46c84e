// Remembers the non-zero form of the shapes the unite has seen. A map's adjacency test
// unites each polygon with every neighbour in turn, each time as a fresh copy of the same
// outline, so the form is worked out once per outline instead of once per pair.
#pragma once

#include "host/pathfinder/NormalForm.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace host::pathfinder {

class ShapeCache {
public:
    /// The normal form of shape, worked out now or remembered from an equal shape.
    const NormalForm& Get(const UniteShape& shape);

    [[nodiscard]] std::size_t size() const { return entries_.size(); }

    /// Beyond this many remembered points the cache starts afresh.
    static constexpr std::size_t kMaxPoints = std::size_t{1} << 23;

private:
    struct Entry {
        UniteShape shape;
        NormalForm form;
    };
    std::unordered_multimap<std::uint64_t, std::unique_ptr<Entry>> entries_;
    std::size_t points_ = 0;
};

} // namespace host::pathfinder
