// The colouring's seven process colours, written out apart from the module's own table so
// that a test reads a fill the way a person checks it against the documentation.
#pragma once

#include "hostapi/suites/PathStyleSuite.h"

#include <cmath>

namespace cartotest {

/// The palette index of a colour (cyan, magenta, yellow, black each within tolerance of
/// the palette's); -1 when it is none of them.
inline int PaletteIndex(const HostColor& c, double tolerance = 0) {
    static constexpr double kPalette[7][4] = {
        {0.3, 0, 0, 0},   {0, 0.3, 0, 0},   {0, 0, 0.3, 0},   {0.2, 0.2, 0, 0},
        {0.2, 0, 0.2, 0}, {0, 0.2, 0.2, 0}, {0.2, 0.4, 0, 0},
    };
    if (c.kind != kHostFourColor) return -1;
    const auto near = [tolerance](double a, double b) { return std::abs(a - b) <= tolerance; };
    for (int i = 0; i < 7; ++i) {
        const double* p = kPalette[i];
        if (near(c.cyan, p[0]) && near(c.magenta, p[1]) && near(c.yellow, p[2]) &&
            near(c.black, p[3]))
            return i;
    }
    return -1;
}

} // namespace cartotest
