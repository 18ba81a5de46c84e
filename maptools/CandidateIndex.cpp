#include "maptools/CandidateIndex.h"

#include <algorithm>
#include <cmath>

namespace {

bool Usable(const PolygonCandidate& c) {
    const HostRealRect& r = c.grown;
    return c.boundsError == kHostNoErr && std::isfinite(r.left) && std::isfinite(r.top) &&
           std::isfinite(r.right) && std::isfinite(r.bottom) && r.left <= r.right &&
           r.bottom <= r.top;
}

// Generous by a hair, so that the host's own overlap test has the last word.
bool MayOverlap(const HostRealRect& a, const HostRealRect& b) {
    constexpr double kSlack = 1e-6;
    return a.left <= b.right + kSlack && b.left <= a.right + kSlack && a.bottom <= b.top + kSlack &&
           b.bottom <= a.top + kSlack;
}

} // namespace

void CandidateIndex::Build(const std::vector<PolygonCandidate>& candidates) {
    cells_.clear();
    everywhere_.clear();
    double left = 0, bottom = 0, right = 0, top = 0;
    bool any = false;
    for (const PolygonCandidate& c : candidates) {
        if (!Usable(c)) continue;
        left = any ? std::min(left, c.grown.left) : c.grown.left;
        bottom = any ? std::min(bottom, c.grown.bottom) : c.grown.bottom;
        right = any ? std::max(right, c.grown.right) : c.grown.right;
        top = any ? std::max(top, c.grown.top) : c.grown.top;
        any = true;
    }
    // About one candidate per cell on a map of evenly spread polygons.
    const double side = std::sqrt(static_cast<double>(std::max<size_t>(candidates.size(), 1)));
    columns_ = rows_ = static_cast<size_t>(std::clamp(side, 1.0, 1024.0));
    left_ = left;
    bottom_ = bottom;
    cellWidth_ = std::max(right - left, 1e-9) / static_cast<double>(columns_);
    cellHeight_ = std::max(top - bottom, 1e-9) / static_cast<double>(rows_);
    cells_.resize(columns_ * rows_);
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (!Usable(candidates[i])) {
            everywhere_.push_back(i);
            continue;
        }
        const HostRealRect& r = candidates[i].grown;
        for (size_t row = Row(r.bottom); row <= Row(r.top); ++row)
            for (size_t column = Column(r.left); column <= Column(r.right); ++column)
                cells_[row * columns_ + column].push_back(i);
    }
}

std::vector<size_t> CandidateIndex::Partners(const std::vector<PolygonCandidate>& candidates,
                                             const PolygonCandidate& of, size_t after) const {
    std::vector<size_t> found;
    if (!Usable(of)) {
        for (size_t i = after; i < candidates.size(); ++i)
            found.push_back(i);
        return found;
    }
    const HostRealRect& r = of.grown;
    for (size_t row = Row(r.bottom); row <= Row(r.top); ++row)
        for (size_t column = Column(r.left); column <= Column(r.right); ++column)
            for (size_t i : cells_[row * columns_ + column])
                if (i >= after && MayOverlap(r, candidates[i].grown)) found.push_back(i);
    for (size_t i : everywhere_)
        if (i >= after) found.push_back(i);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

size_t CandidateIndex::Column(double x) const {
    const double cell = std::floor((x - left_) / cellWidth_);
    return static_cast<size_t>(std::clamp(cell, 0.0, static_cast<double>(columns_ - 1)));
}

size_t CandidateIndex::Row(double y) const {
    const double cell = std::floor((y - bottom_) / cellHeight_);
    return static_cast<size_t>(std::clamp(cell, 0.0, static_cast<double>(rows_ - 1)));
}
