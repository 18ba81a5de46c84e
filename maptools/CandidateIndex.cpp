#include "maptools/CandidateIndex.h"

#include <algorithm>
#include <cmath>

namespace {

// Beyond this many cells a box is kept apart and compared directly.
constexpr uint64_t kMostCells = 64;
// Cells are numbered within this range; farther boxes share the edge cells.
constexpr double kLastCell = 1 << 30;

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

uint64_t CandidateIndex::CellRange::Count() const {
    return static_cast<uint64_t>(right - left + 1) * static_cast<uint64_t>(top - bottom + 1);
}

uint64_t CandidateIndex::Key(int64_t column, int64_t row) {
    return (static_cast<uint64_t>(row) << 32) | static_cast<uint64_t>(column);
}

CandidateIndex::CellRange CandidateIndex::CellsOf(const HostRealRect& r) const {
    // The slack of MayOverlap: boxes that touch within it land in a common cell.
    constexpr double kSlack = 1e-6;
    const auto cell = [&](double v, double origin) {
        return static_cast<int64_t>(
            std::clamp(std::floor((v - origin) / cellSide_), 0.0, kLastCell));
    };
    return {cell(r.left - kSlack, left_), cell(r.bottom - kSlack, bottom_),
            cell(r.right + kSlack, left_), cell(r.top + kSlack, bottom_)};
}

void CandidateIndex::Build(const std::vector<PolygonCandidate>& candidates) {
    entries_.clear();
    large_.clear();
    everywhere_.clear();
    // Cells as large as the median box: a typical box falls into four of them at most,
    // wherever the others lie.
    std::vector<double> sides;
    sides.reserve(candidates.size());
    bool any = false;
    for (const PolygonCandidate& c : candidates) {
        if (!Usable(c)) continue;
        left_ = any ? std::min(left_, c.grown.left) : c.grown.left;
        bottom_ = any ? std::min(bottom_, c.grown.bottom) : c.grown.bottom;
        any = true;
        sides.push_back(std::max(c.grown.right - c.grown.left, c.grown.top - c.grown.bottom));
    }
    cellSide_ = 1;
    if (!sides.empty()) {
        const auto middle = sides.begin() + static_cast<std::ptrdiff_t>(sides.size() / 2);
        std::nth_element(sides.begin(), middle, sides.end());
        if (std::isfinite(*middle) && *middle > 0) cellSide_ = *middle;
    }
    entries_.reserve(candidates.size() * 2);
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (!Usable(candidates[i])) {
            everywhere_.push_back(i);
            continue;
        }
        const CellRange cells = CellsOf(candidates[i].grown);
        if (cells.Count() > kMostCells) {
            large_.push_back(i);
            continue;
        }
        for (int64_t row = cells.bottom; row <= cells.top; ++row)
            for (int64_t column = cells.left; column <= cells.right; ++column)
                entries_.emplace_back(Key(column, row), i);
    }
    std::sort(entries_.begin(), entries_.end());
}

void CandidateIndex::Partners(const std::vector<PolygonCandidate>& candidates,
                              const PolygonCandidate& of, size_t after,
                              std::vector<size_t>& found) const {
    found.clear();
    if (!Usable(of)) {
        for (size_t i = after; i < candidates.size(); ++i)
            found.push_back(i);
        return;
    }
    const HostRealRect& r = of.grown;
    const CellRange cells = CellsOf(r);
    if (cells.Count() > kMostCells) {
        // A large box: looking at every later candidate costs less than at every cell.
        for (size_t i = after; i < candidates.size(); ++i)
            if (Usable(candidates[i]) && MayOverlap(r, candidates[i].grown)) found.push_back(i);
    } else {
        for (int64_t row = cells.bottom; row <= cells.top; ++row) {
            const auto from =
                std::lower_bound(entries_.begin(), entries_.end(),
                                 std::pair<uint64_t, size_t>{Key(cells.left, row), 0});
            for (auto it = from; it != entries_.end() && it->first <= Key(cells.right, row); ++it)
                if (it->second >= after && MayOverlap(r, candidates[it->second].grown))
                    found.push_back(it->second);
        }
        for (size_t i : large_)
            if (i >= after && MayOverlap(r, candidates[i].grown)) found.push_back(i);
    }
    for (size_t i : everywhere_)
        if (i >= after) found.push_back(i);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
}
