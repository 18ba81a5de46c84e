#include "host/pathfinder/ShapeCache.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <utility>

namespace host::pathfinder {
namespace {

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
    return hash;
}

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint64_t PointBits(const HostPathSegment& s) {
    return Bits(s.p.h) ^ (Bits(s.p.v) * 31);
}

// Enough of a shape to tell most shapes apart: its ring sizes and three anchors of each
// ring. Equal shapes hash equally; the full comparison settles the rest.
std::uint64_t HashOf(const ShapeView& shape) {
    std::uint64_t hash = shape.evenOdd ? 1 : 0;
    for (const std::span<const HostPathSegment>& ring : shape.rings) {
        hash = Mix(hash, ring.size());
        if (ring.empty()) continue;
        hash = Mix(hash, PointBits(ring.front()));
        hash = Mix(hash, PointBits(ring[ring.size() / 2]));
        hash = Mix(hash, PointBits(ring.back()));
    }
    return hash;
}

// The anchor and its handles; the corner flag does not change the outline.
constexpr std::size_t kGeometryBytes = 3 * sizeof(HostRealPoint);
static_assert(offsetof(HostPathSegment, out) + sizeof(HostRealPoint) == kGeometryBytes);

bool SameShape(const UniteShape& a, const ShapeView& b) {
    if (a.evenOdd != b.evenOdd || a.rings.size() != b.rings.size()) return false;
    for (std::size_t i = 0; i < a.rings.size(); ++i)
        if (a.rings[i].size() != b.rings[i].size()) return false;
    for (std::size_t i = 0; i < a.rings.size(); ++i) {
        const HostPathSegment* x = a.rings[i].data();
        const HostPathSegment* y = b.rings[i].data();
        for (std::size_t j = 0; j < a.rings[i].size(); ++j)
            if (std::memcmp(&x[j], &y[j], kGeometryBytes) != 0) return false;
    }
    return true;
}

bool Held(const ShapeView& shape) {
    if (shape.holds.size() != shape.rings.size()) return false;
    for (const auto& hold : shape.holds)
        if (hold == nullptr) return false;
    return true;
}

std::uint64_t IdentityOf(const ShapeView& shape) {
    std::uint64_t hash = shape.evenOdd ? 1 : 0;
    for (std::size_t i = 0; i < shape.rings.size(); ++i) {
        hash = Mix(hash, reinterpret_cast<std::uintptr_t>(shape.holds[i].get()));
        hash = Mix(hash, shape.rings[i].size());
    }
    return hash;
}

std::size_t PointsOf(const ShapeView& shape) {
    std::size_t points = 0;
    for (const auto& ring : shape.rings)
        points += ring.size();
    return points;
}

ShapeView ViewOf(const UniteShape& shape) {
    ShapeView view;
    view.evenOdd = shape.evenOdd;
    view.rings.reserve(shape.rings.size());
    for (const BezierRing& ring : shape.rings)
        view.rings.emplace_back(ring);
    return view;
}

// The index's size is a power of two; the hash's bits are spread over all of the slot's.
std::size_t SlotOf(std::uint64_t hash, std::size_t mask) {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

} // namespace

void ShapeCache::Place(std::vector<HeldSlot>& index, const HeldSlot& slot) {
    const std::size_t mask = index.size() - 1;
    std::size_t i = SlotOf(slot.hash, mask);
    while (index[i].entry != nullptr)
        i = (i + 1) & mask;
    index[i] = slot;
}

void ShapeCache::MakeRoom() {
    if (points_ <= maxPoints_) return;
    entries_.clear();
    held_.clear();
    heldIndex_.clear();
    points_ = 0;
    std::fill(std::begin(recent_), std::end(recent_), nullptr);
}

bool ShapeCache::Matches(const HeldEntry& entry, const ShapeView& shape) {
    if (entry.evenOdd != shape.evenOdd || entry.holds.size() != shape.holds.size()) return false;
    for (std::size_t i = 0; i < entry.holds.size(); ++i)
        if (entry.holds[i] != shape.holds[i] || entry.sizes[i] != shape.rings[i].size())
            return false;
    return true;
}

const ShapeCache::HeldEntry* ShapeCache::FindHeld(std::uint64_t hash,
                                                  const ShapeView& shape) const {
    if (heldIndex_.empty()) return nullptr;
    const std::size_t mask = heldIndex_.size() - 1;
    for (std::size_t i = SlotOf(hash, mask);; i = (i + 1) & mask) {
        const HeldSlot& slot = heldIndex_[i];
        if (slot.entry == nullptr) return nullptr;
        if (slot.hash == hash && Matches(*slot.entry, shape)) return slot.entry;
    }
}

void ShapeCache::IndexHeld(std::uint64_t hash, const HeldEntry* entry) {
    if (held_.size() * 2 > heldIndex_.size()) {
        std::vector<HeldSlot> old = std::exchange(
            heldIndex_, std::vector<HeldSlot>(std::max<std::size_t>(64, heldIndex_.size() * 2)));
        for (const HeldSlot& slot : old)
            if (slot.entry != nullptr) Place(heldIndex_, slot);
    }
    Place(heldIndex_, {hash, entry});
}

const NormalForm& ShapeCache::Get(const ShapeView& shape) {
    if (Held(shape)) {
        for (const HeldEntry* entry : recent_)
            if (entry != nullptr && Matches(*entry, shape)) return entry->form;
        const std::uint64_t hash = IdentityOf(shape);
        const HeldEntry* found = FindHeld(hash, shape);
        if (found == nullptr) {
            auto entry = std::make_unique<HeldEntry>();
            entry->holds = shape.holds;
            for (const auto& ring : shape.rings)
                entry->sizes.push_back(ring.size());
            entry->evenOdd = shape.evenOdd;
            entry->form = Normalise(shape.rings, shape.evenOdd);
            points_ += PointsOf(shape);
            found = entry.get();
            held_.push_back(std::move(entry));
            IndexHeld(hash, found);
        }
        recent_[nextRecent_] = found;
        nextRecent_ = (nextRecent_ + 1) % kRecent;
        return found->form;
    }
    const std::uint64_t hash = HashOf(shape);
    auto [from, to] = entries_.equal_range(hash);
    for (auto it = from; it != to; ++it)
        if (SameShape(it->second->shape, shape)) return it->second->form;

    auto entry = std::make_unique<Entry>();
    entry->shape.evenOdd = shape.evenOdd;
    for (const auto& ring : shape.rings)
        entry->shape.rings.emplace_back(ring.begin(), ring.end());
    entry->form = Normalise(entry->shape);
    points_ += PointsOf(shape);
    return entries_.emplace(hash, std::move(entry))->second->form;
}

const NormalForm& ShapeCache::Get(const UniteShape& shape) {
    return Get(ViewOf(shape));
}

} // namespace host::pathfinder
