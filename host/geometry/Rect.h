// Rectangles (left, top, right, bottom) with y growing upwards: top >= bottom.
#pragma once

#include "host/geometry/Matrix.h"

#include <optional>

namespace host {

HostRealRect rectUnion(const HostRealRect& a, const HostRealRect& b);
/// Moves each side inwards by h and v; negative values grow the rectangle.
void rectInset(HostRealRect& r, double h, double v);
/// True when the rectangles share at least a point (touching edges count).
bool rectsOverlap(const HostRealRect& a, const HostRealRect& b);
/// Edges included.
bool pointInRect(HostRealPoint p, const HostRealRect& r);
/// The bounds of the rectangle's four corners after m.
HostRealRect transformRect(const HostRealMatrix& m, const HostRealRect& r);

/// Bounds that start out invalid rather than empty, so that a single point or a
/// zero-height line still has bounds.
class BoundsBuilder {
public:
    void add(HostRealPoint p);
    void add(const HostRealRect& r);
    bool valid() const { return valid_; }
    std::optional<HostRealRect> result() const;

private:
    bool valid_ = false;
    HostRealRect r_{};
};

} // namespace host

bool operator==(const HostRealRect& a, const HostRealRect& b);
