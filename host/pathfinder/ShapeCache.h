// Remembers the non-zero form of the shapes the unite has seen. A map's adjacency test
// unites each polygon with every neighbour in turn, each time as a fresh copy of the same
// outline, so the form is worked out once per outline instead of once per pair.
//
// A copy shares its outline's buffer with the original, so a shape whose rings come with
// holds on their buffers is found by the buffers' identity alone: the cache keeps the
// holds, and a held buffer never changes (a writer copies it first), nor is it freed and
// its address reused. Other shapes are looked up by a few of their points and then
// compared whole.
#pragma once

#include "host/pathfinder/NormalForm.h"
#include "host/pathfinder/UniteScratch.h"

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

namespace host::pathfinder {

/// One input of the unite seen in place: its outlines where the document keeps them.
struct ShapeView {
    std::vector<std::span<const HostPathSegment>> rings;
    /// Empty, or for each ring a hold that keeps its segments unchanged while it lives.
    std::vector<std::shared_ptr<const void>> holds;
    /// Room for rings the document keeps as anchors only, written out in full.
    std::vector<HostPathSegment> whole;
    bool evenOdd = false;

    void clear() {
        rings.clear();
        holds.clear();
        whole.clear();
        evenOdd = false;
    }
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

    [[nodiscard]] std::size_t size() const { return entries_.size() + held_.size(); }

    /// Working memory for the unions of the shapes looked up here.
    UniteScratch& scratch() { return scratch_; }
    /// Working memory for the views of a unite's inputs.
    std::vector<ShapeView>& views() { return views_; }

    /// Beyond this many remembered points MakeRoom starts afresh, unless told otherwise.
    static constexpr std::size_t kMaxPoints = std::size_t{1} << 23;

private:
    struct Entry {
        UniteShape shape;
        NormalForm form;
    };
    struct HeldEntry {
        std::vector<std::shared_ptr<const void>> holds;
        std::vector<std::size_t> sizes;
        bool evenOdd = false;
        NormalForm form;
    };
    const HeldEntry* FindHeld(std::uint64_t hash, const ShapeView& shape) const;
    static bool Matches(const HeldEntry& entry, const ShapeView& shape);

    /// The entries found last: one input of a map's pair tests recurs for many pairs in a
    /// row, and these spare it the search of a table too large to stay in the cache.
    static constexpr std::size_t kRecent = 4;
    const HeldEntry* recent_[kRecent] = {};
    std::size_t nextRecent_ = 0;

    std::unordered_multimap<std::uint64_t, std::unique_ptr<Entry>> entries_;
    std::vector<std::unique_ptr<HeldEntry>> held_;
    /// held_ by identity hash, probed in place (half empty at most; cleared, never
    /// shrunk): one slot read per lookup instead of a bucket and its nodes.
    struct HeldSlot {
        std::uint64_t hash = 0;
        const HeldEntry* entry = nullptr;
    };
    std::vector<HeldSlot> heldIndex_;
    void IndexHeld(std::uint64_t hash, const HeldEntry* entry);
    static void Place(std::vector<HeldSlot>& index, const HeldSlot& slot);
    std::size_t maxPoints_;
    std::size_t points_ = 0;
    UniteScratch scratch_;
    std::vector<ShapeView> views_;
};

} // namespace host::pathfinder
