// Remembers the non-zero form of the shapes the unite has seen. A map's adjacency test
// unites each polygon with every neighbour in turn, each time as a fresh copy of the same
// outline, so the form is worked out once per outline instead of once per pair.
#pragma once

#include "host/pathfinder/Unite.h"

#include <polyclipping/clipper.hpp>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace host::pathfinder {

__extension__ typedef __int128 Int128;

/// A shape flattened to integer units and united with itself under its own fill rule.
struct NormalForm {
    ClipperLib::Paths paths;
    /// Twice the area, exact.
    Int128 doubleArea = 0;
    double perimeter = 0;
    /// The extent of the paths in units; empty when minX > maxX.
    ClipperLib::cInt minX = 0, minY = 0, maxX = -1, maxY = -1;
};

NormalForm Normalise(const UniteShape& shape);

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
