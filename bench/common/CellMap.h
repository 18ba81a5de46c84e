// Generated maps for the benchmarks: a field of cells that share their borders vertex for
// vertex, as neighbours on a real map do, written as SVG text in one layer.
#pragma once

#include <cstddef>
#include <string>

namespace benchmap {

struct CellMapOptions {
    std::size_t cells = 64000;
    /// One more square, far outside the field, as a stray object on a real map.
    bool farOutlier = false;
};

/// The same cells for the same options, every time.
std::string CellMapSvg(const CellMapOptions& options);

} // namespace benchmap
