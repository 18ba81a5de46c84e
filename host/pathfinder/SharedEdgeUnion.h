// The union of two shapes that lie side by side, as neighbours on a map do: the edges they
// share cancel, and the edges left over are the union's boundary. Proving that the two
// insides do not overlap costs far less than a general clipping run, and almost every
// pair a map asks about is of this kind.
#pragma once

#include "host/pathfinder/NormalForm.h"

#include <memory>
#include <optional>

namespace host::pathfinder {

struct SharedEdgeUnion {
    /// True when the shapes share at least one edge.
    bool merged = false;
    /// When merged, the union's outlines: outers counter-clockwise (y up), each outer
    /// followed by its holes (clockwise), with no vertex in the middle of a straight run.
    ClipperLib::Paths paths;
};

/// Working memory of the side-by-side union, kept from pair to pair so that testing a
/// pair allocates nothing once pairs of its size have been seen.
class SharedEdgeScratch {
public:
    SharedEdgeScratch();
    ~SharedEdgeScratch();
    SharedEdgeScratch(const SharedEdgeScratch&) = delete;
    SharedEdgeScratch& operator=(const SharedEdgeScratch&) = delete;

    struct Buffers;
    Buffers& buffers() { return *buffers_; }

private:
    std::unique_ptr<Buffers> buffers_;
};

/// The union of a and b when their insides are proven apart and every stretch of boundary
/// they share runs between vertices both have. Nothing when the pair needs general
/// clipping: the insides overlap, edges cross, a vertex of one lies inside an edge of the
/// other, or the union has holes and several outers to sort them between.
std::optional<SharedEdgeUnion> UniteAlongSharedEdges(const NormalForm& a, const NormalForm& b,
                                                     SharedEdgeScratch& scratch);
std::optional<SharedEdgeUnion> UniteAlongSharedEdges(const NormalForm& a, const NormalForm& b);

} // namespace host::pathfinder
