// The document's art objects by id. Every suite call looks its art up here and a plug-in's
// pair tests make and drop art by the million, so the table is one flat array probed in
// place: a lookup touches one slot, not a bucket list and a node.
#pragma once

#include "host/document/Art.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace host {

class ArtTable {
public:
    ArtTable() = default;
    ~ArtTable() { clear(); }
    ArtTable(const ArtTable&) = delete;
    ArtTable& operator=(const ArtTable&) = delete;

    /// The art with this id; null when there is none (0 is never an id).
    Art* find(std::uint64_t id) const;
    /// Takes the art over; its id must not be in the table yet.
    void insert(std::uint64_t id, std::unique_ptr<Art> art);
    /// Destroys the art with this id, if any.
    void erase(std::uint64_t id);
    void reserve(std::size_t count);
    void clear();
    std::size_t size() const { return size_; }

    template <class Visit> void forEach(Visit&& visit) const {
        for (const Slot& slot : slots_)
            if (slot.id != 0) visit(*slot.art);
    }

private:
    struct Slot {
        std::uint64_t id = 0;
        Art* art = nullptr;
    };
    std::size_t home(std::uint64_t id) const;
    void rehash(std::size_t capacity);

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
    unsigned shift_ = 64;
};

} // namespace host
