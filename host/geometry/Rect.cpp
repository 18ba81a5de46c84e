#include "host/geometry/Rect.h"

#include <algorithm>

namespace host {

HostRealRect rectUnion(const HostRealRect& a, const HostRealRect& b) {
    return {std::min(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

void rectInset(HostRealRect& r, double h, double v) {
    r.left += h;
    r.right -= h;
    r.top -= v;
    r.bottom += v;
}

bool rectsOverlap(const HostRealRect& a, const HostRealRect& b) {
    return a.left <= b.right && b.left <= a.right && a.bottom <= b.top && b.bottom <= a.top;
}

bool pointInRect(HostRealPoint p, const HostRealRect& r) {
    return p.h >= r.left && p.h <= r.right && p.v >= r.bottom && p.v <= r.top;
}

HostRealRect transformRect(const HostRealMatrix& m, const HostRealRect& r) {
    BoundsBuilder b;
    b.add(transformPoint(m, {r.left, r.top}));
    b.add(transformPoint(m, {r.right, r.top}));
    b.add(transformPoint(m, {r.right, r.bottom}));
    b.add(transformPoint(m, {r.left, r.bottom}));
    return *b.result();
}

void BoundsBuilder::add(HostRealPoint p) {
    if (!valid_) {
        r_ = {p.h, p.v, p.h, p.v};
        valid_ = true;
        return;
    }
    r_.left = std::min(r_.left, p.h);
    r_.right = std::max(r_.right, p.h);
    r_.bottom = std::min(r_.bottom, p.v);
    r_.top = std::max(r_.top, p.v);
}

void BoundsBuilder::add(const HostRealRect& r) {
    add(HostRealPoint{r.left, r.top});
    add(HostRealPoint{r.right, r.bottom});
}

std::optional<HostRealRect> BoundsBuilder::result() const {
    if (!valid_) return std::nullopt;
    return r_;
}

} // namespace host

bool operator==(const HostRealRect& a, const HostRealRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
