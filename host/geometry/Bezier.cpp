#include "host/geometry/Bezier.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host {

namespace {

double cubicAxis(double a, double b, double c, double d, double t) {
    const double u = 1 - t;
    return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
}

// Parameters in (0, 1) where the derivative of one coordinate vanishes.
int axisExtrema(double p0, double p1, double p2, double p3, double t[2]) {
    // B'(t)/3 = a t^2 + b t + c
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    int n = 0;
    auto keep = [&](double r) {
        if (r > 0 && r < 1) t[n++] = r;
    };
    const double scale = std::max({std::abs(a), std::abs(b), std::abs(c)});
    if (scale == 0) return 0;
    if (std::abs(a) <= scale * 1e-12) {
        if (b != 0) keep(-c / b);
        return n;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return 0;
    const double s = std::sqrt(disc);
    // The numerically stable pair of roots.
    const double q = -0.5 * (b + (b < 0 ? -s : s));
    keep(q / a);
    if (q != 0) keep(c / q);
    return n;
}

// Whether the handles lie between the end points along one axis: the curve then stays
// between them too, and has no extremum to look for. Straight segments are all like this.
bool handlesBetween(double p0, double p1, double p2, double p3) {
    const double lo = std::min(p0, p3), hi = std::max(p0, p3);
    return lo <= p1 && p1 <= hi && lo <= p2 && p2 <= hi;
}

} // namespace

HostRealPoint cubicPoint(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3,
                         double t) {
    return {cubicAxis(p0.h, p1.h, p2.h, p3.h, t), cubicAxis(p0.v, p1.v, p2.v, p3.v, t)};
}

void addCubicBounds(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3,
                    BoundsBuilder& b) {
    b.add(p0);
    b.add(p3);
    double t[2];
    if (!handlesBetween(p0.h, p1.h, p2.h, p3.h))
        for (int i = 0, n = axisExtrema(p0.h, p1.h, p2.h, p3.h, t); i < n; ++i)
            b.add(cubicPoint(p0, p1, p2, p3, t[i]));
    if (!handlesBetween(p0.v, p1.v, p2.v, p3.v))
        for (int i = 0, n = axisExtrema(p0.v, p1.v, p2.v, p3.v, t); i < n; ++i)
            b.add(cubicPoint(p0, p1, p2, p3, t[i]));
}

void addPathBounds(const PathData& path, BoundsBuilder& b) {
    const auto& s = path.segments;
    if (s.empty()) return;
    b.add(s[0].p);
    const std::size_t n = s.size();
    const std::size_t curves = path.closed ? n : n - 1;
    for (std::size_t i = 0; i < curves; ++i) {
        const HostPathSegment& from = s[i];
        const HostPathSegment& to = s[(i + 1) % n];
        addCubicBounds(from.p, from.out, to.in, to.p, b);
    }
}

std::optional<HostRealRect> pathBounds(const PathData& path) {
    BoundsBuilder b;
    addPathBounds(path, b);
    return b.result();
}

namespace {

double vectorAngle(double ux, double uy, double vx, double vy) {
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

} // namespace

ArcShape arcToCubics(HostRealPoint p0, double rx, double ry, double rotationDegrees, bool largeArc,
                     bool sweep, HostRealPoint p1, std::vector<CubicTail>& out) {
    if (p0.h == p1.h && p0.v == p1.v) return ArcShape::Omitted;
    rx = std::abs(rx);
    ry = std::abs(ry);
    if (rx == 0 || ry == 0) return ArcShape::Line;
    const double phi = rotationDegrees * std::numbers::pi / 180.0;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double dx = (p0.h - p1.h) / 2, dy = (p0.v - p1.v) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy;
    const double y1 = -sinPhi * dx + cosPhi * dy;
    // Radii too small for the end points grow until the arc just fits.
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double rx2 = rx * rx, ry2 = ry * ry;
    const double den = rx2 * y1 * y1 + ry2 * x1 * x1;
    double coef = den == 0 ? 0 : std::sqrt(std::max(0.0, (rx2 * ry2 - den) / den));
    if (largeArc == sweep) coef = -coef;
    const double cxp = coef * rx * y1 / ry;
    const double cyp = -coef * ry * x1 / rx;
    const double cx = cosPhi * cxp - sinPhi * cyp + (p0.h + p1.h) / 2;
    const double cy = sinPhi * cxp + cosPhi * cyp + (p0.v + p1.v) / 2;
    const double ux = (x1 - cxp) / rx, uy = (y1 - cyp) / ry;
    const double vx = (-x1 - cxp) / rx, vy = (-y1 - cyp) / ry;
    const double theta1 = vectorAngle(1, 0, ux, uy);
    double delta = vectorAngle(ux, uy, vx, vy);
    if (!sweep && delta > 0) delta -= 2 * std::numbers::pi;
    if (sweep && delta < 0) delta += 2 * std::numbers::pi;
    if (!std::isfinite(delta) || !std::isfinite(cx) || !std::isfinite(cy)) return ArcShape::Line;

    const int n =
        std::max(1, static_cast<int>(std::ceil(std::abs(delta) / (std::numbers::pi / 2) - 1e-9)));
    const double step = delta / n;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto toEllipse = [&](double x, double y) {
        return HostRealPoint{cx + rx * cosPhi * x - ry * sinPhi * y,
                             cy + rx * sinPhi * x + ry * cosPhi * y};
    };
    double theta = theta1;
    for (int i = 0; i < n; ++i) {
        const double t2 = theta + step;
        const double c1x = std::cos(theta) - k * std::sin(theta);
        const double c1y = std::sin(theta) + k * std::cos(theta);
        const double c2x = std::cos(t2) + k * std::sin(t2);
        const double c2y = std::sin(t2) - k * std::cos(t2);
        const HostRealPoint end = i + 1 == n ? p1 : toEllipse(std::cos(t2), std::sin(t2));
        out.push_back({toEllipse(c1x, c1y), toEllipse(c2x, c2y), end});
        theta = t2;
    }
    return ArcShape::Curves;
}

} // namespace host
