#include "host/pathfinder/ShapeCache.h"

#include <cstring>

namespace host::pathfinder {
namespace {

// Mixes the bits of every coordinate: equal outlines hash equally, and a collision is
// caught by the full comparison.
std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
    return hash;
}

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint64_t HashOf(const UniteShape& shape) {
    std::uint64_t hash = shape.evenOdd ? 1 : 0;
    for (const BezierRing& ring : shape.rings) {
        hash = Mix(hash, ring.size());
        for (const HostPathSegment& s : ring) {
            hash = Mix(hash, Bits(s.p.h) ^ (Bits(s.p.v) * 31));
            hash = Mix(hash, Bits(s.in.h) ^ (Bits(s.in.v) * 31) ^ (Bits(s.out.h) * 961) ^
                                 (Bits(s.out.v) * 29791));
        }
    }
    return hash;
}

bool SameSegment(const HostPathSegment& a, const HostPathSegment& b) {
    const double x[6] = {a.p.h, a.p.v, a.in.h, a.in.v, a.out.h, a.out.v};
    const double y[6] = {b.p.h, b.p.v, b.in.h, b.in.v, b.out.h, b.out.v};
    return std::memcmp(x, y, sizeof x) == 0;
}

bool SameShape(const UniteShape& a, const UniteShape& b) {
    if (a.evenOdd != b.evenOdd || a.rings.size() != b.rings.size()) return false;
    for (std::size_t i = 0; i < a.rings.size(); ++i) {
        if (a.rings[i].size() != b.rings[i].size()) return false;
        for (std::size_t j = 0; j < a.rings[i].size(); ++j)
            if (!SameSegment(a.rings[i][j], b.rings[i][j])) return false;
    }
    return true;
}

std::size_t PointsOf(const UniteShape& shape) {
    std::size_t points = 0;
    for (const BezierRing& ring : shape.rings)
        points += ring.size();
    return points;
}

} // namespace

const NormalForm& ShapeCache::Get(const UniteShape& shape) {
    const std::uint64_t hash = HashOf(shape);
    auto [from, to] = entries_.equal_range(hash);
    for (auto it = from; it != to; ++it)
        if (SameShape(it->second->shape, shape)) return it->second->form;

    const std::size_t points = PointsOf(shape);
    if (points_ + points > kMaxPoints) {
        entries_.clear();
        points_ = 0;
    }
    auto entry = std::make_unique<Entry>(Entry{shape, Normalise(shape)});
    points_ += points;
    return entries_.emplace(hash, std::move(entry))->second->form;
}

} // namespace host::pathfinder
