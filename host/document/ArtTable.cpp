#include "host/document/ArtTable.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace host {

// Serials run in sequence; multiplying scatters them, so that the long-lived art read from
// a file and the short-lived art of later edits do not pile up in one run of slots.
std::size_t ArtTable::home(std::uint64_t id) const {
    return static_cast<std::size_t>((id * 0x9E3779B97F4A7C15ull) >> shift_);
}

Art* ArtTable::find(std::uint64_t id) const {
    if (id == 0 || slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = home(id);; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.id == id) return slot.art;
        if (slot.id == 0) return nullptr;
    }
}

void ArtTable::insert(std::uint64_t id, std::unique_ptr<Art> art) {
    // At most half full, so that probe runs stay short.
    if ((size_ + 1) * 2 > slots_.size()) rehash(std::max<std::size_t>(16, slots_.size() * 2));
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = home(id);
    while (slots_[i].id != 0)
        i = (i + 1) & mask;
    slots_[i] = {id, art.release()};
    ++size_;
}

void ArtTable::erase(std::uint64_t id) {
    if (id == 0 || slots_.empty()) return;
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = home(id);
    while (slots_[i].id != id) {
        if (slots_[i].id == 0) return;
        i = (i + 1) & mask;
    }
    std::unique_ptr<Art> doomed(slots_[i].art);
    // Close the gap: later entries of the run move up unless that would put them before
    // their home slot.
    for (std::size_t j = (i + 1) & mask; slots_[j].id != 0; j = (j + 1) & mask) {
        const std::size_t h = home(slots_[j].id);
        const bool movable = i <= j ? (h <= i || h > j) : (h <= i && h > j);
        if (movable) {
            slots_[i] = slots_[j];
            i = j;
        }
    }
    slots_[i] = {};
    --size_;
}

void ArtTable::reserve(std::size_t count) {
    if (count * 2 > slots_.size()) rehash(std::bit_ceil(count * 2));
}

void ArtTable::clear() {
    for (Slot& slot : slots_)
        if (slot.id != 0) delete slot.art;
    slots_.clear();
    size_ = 0;
    shift_ = 64;
}

void ArtTable::rehash(std::size_t capacity) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
    shift_ = 64 - static_cast<unsigned>(std::countr_zero(capacity));
    const std::size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        if (slot.id == 0) continue;
        std::size_t i = home(slot.id);
        while (slots_[i].id != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace host
