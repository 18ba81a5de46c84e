// A grid over the grown bounding boxes of the candidate polygons of a layer, so that a
// candidate's possible partners are found without looking at every other candidate.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
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
    /** Positions from `after` on whose grown boxes may overlap that of `of`, ascending.
     *  Candidates without usable bounds are partners of everyone. */
    std::vector<size_t> Partners(const std::vector<PolygonCandidate>& candidates,
                                 const PolygonCandidate& of, size_t after) const;

private:
    size_t Column(double x) const;
    size_t Row(double y) const;

    std::vector<std::vector<size_t>> cells_;
    std::vector<size_t> everywhere_;
    size_t columns_ = 1;
    size_t rows_ = 1;
    double left_ = 0, bottom_ = 0, cellWidth_ = 1, cellHeight_ = 1;
};
