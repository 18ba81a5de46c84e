// An index over the grown bounding boxes of the candidate polygons of a layer, so that a
// candidate's possible partners are found without looking at every other candidate. Its
// cells are sized from the boxes themselves, not from the extent they span, so that one
// object far away leaves the cells as fine as the map needs.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** One candidate polygon of the scanned layer, with what every pair test needs of it. */
struct PolygonCandidate {
    HostArtHandle art = nullptr;
    HostArtHandle topLevel = nullptr;
    size_t topLevelIndex = 0;
    HostErr boundsError = kHostNoErr;
    /** The bounds grown by half a point on every side. */
    HostRealRect grown{};
};

class CandidateIndex {
public:
    void Build(const std::vector<PolygonCandidate>& candidates);
    /** Positions from `after` on whose grown boxes may overlap that of `of`, ascending,
     *  into `found` (emptied first). Candidates without usable bounds are partners of
     *  everyone. */
    void Partners(const std::vector<PolygonCandidate>& candidates, const PolygonCandidate& of,
                  size_t after, std::vector<size_t>& found) const;

private:
    struct CellRange {
        int64_t left, bottom, right, top;
        uint64_t Count() const;
    };
    CellRange CellsOf(const HostRealRect& r) const;
    static uint64_t Key(int64_t column, int64_t row);

    /** Cell keys with the candidates in them, sorted by key. */
    std::vector<std::pair<uint64_t, size_t>> entries_;
    /** Candidates whose boxes span too many cells to list in each; checked every time. */
    std::vector<size_t> large_;
    std::vector<size_t> everywhere_;
    double left_ = 0, bottom_ = 0, cellSide_ = 1;
};
