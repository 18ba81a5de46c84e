// Handles handed across the C API are slot numbers with a generation, never addresses, so
// a stale or made-up handle is recognised and refused instead of being dereferenced.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace ws {

template <class T> class HandleTable {
public:
    std::uintptr_t add(std::unique_ptr<T> object) {
        std::uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            index = static_cast<std::uint32_t>(slots_.size());
            slots_.emplace_back();
        }
        slots_[index].object = std::move(object);
        return encode(index, slots_[index].generation);
    }

    T* get(std::uintptr_t handle) const {
        const Slot* slot = find(handle);
        return slot ? slot->object.get() : nullptr;
    }

    /** Takes the object out; the handle and every copy of it become invalid. */
    std::unique_ptr<T> remove(std::uintptr_t handle) {
        Slot* slot = const_cast<Slot*>(find(handle));
        if (!slot) return nullptr;
        std::unique_ptr<T> object = std::move(slot->object);
        if (++slot->generation == 0) slot->generation = 1;
        free_.push_back(static_cast<std::uint32_t>(slot - slots_.data()));
        return object;
    }

    template <class F> void forEach(F&& f) const {
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].object)
                f(encode(static_cast<std::uint32_t>(i), slots_[i].generation), *slots_[i].object);
    }

private:
    struct Slot {
        std::unique_ptr<T> object;
        std::uint32_t generation = 1;
    };

    static std::uintptr_t encode(std::uint32_t index, std::uint32_t generation) {
        return (static_cast<std::uintptr_t>(generation) << 32) | (index + 1u);
    }

    const Slot* find(std::uintptr_t handle) const {
        const std::uint64_t low = handle & 0xFFFFFFFFu;
        if (low == 0 || low > slots_.size()) return nullptr;
        const Slot& slot = slots_[low - 1];
        if (!slot.object || slot.generation != (handle >> 32)) return nullptr;
        return &slot;
    }

    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
};

} // namespace ws
