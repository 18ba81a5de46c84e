#include "host/svg/EditorShape.h"

#include "host/document/Art.h"
#include "host/geometry/Matrix.h"
#include "host/svg/SvgNumbers.h"
#include "host/svg/SvgPathData.h"

#include <algorithm>
#include <cmath>

namespace host::svg {

namespace {

// Points a command computed through a matrix differ from the exact ones in the last bits;
// a point that a command moved on its own differs by far more.
constexpr double kTolerance = 1e-9;

void points(const std::vector<HostPathSegment>& segments, std::vector<HostRealPoint>& out) {
    out.clear();
    for (const HostPathSegment& s : segments) {
        out.push_back(s.p);
        out.push_back(s.in);
        out.push_back(s.out);
    }
}

double cross(HostRealPoint o, HostRealPoint a, HostRealPoint b) {
    return (a.h - o.h) * (b.v - o.v) - (a.v - o.v) * (b.h - o.h);
}

double distance(HostRealPoint a, HostRealPoint b) {
    return std::hypot(a.h - b.h, a.v - b.v);
}

const std::string* find(const Attributes& attributes, std::string_view name) {
    for (const auto& [n, v] : attributes)
        if (n == name) return &v;
    return nullptr;
}

bool near(double x, double y, double scale) {
    return std::abs(x - y) <= kTolerance * scale;
}

// m as a rotation by angle and a uniform scale by s (no mirror, no shear).
bool similarity(const HostRealMatrix& m, double& s, double& angle) {
    s = std::hypot(m.a, m.b);
    if (s == 0 || !near(m.a, m.d, s) || !near(m.b, -m.c, s)) return false;
    angle = std::atan2(m.b, m.a);
    return true;
}

class Follower {
public:
    Follower(const Attributes& attributes, const HostRealMatrix& m, Attributes& changed)
        : attributes_(attributes), m_(m), changed_(changed) {}

    bool number(std::string_view name, double& v) const {
        const std::string* s = find(attributes_, name);
        return s && parseWholeNumber(*s, v) && std::isfinite(v);
    }

    bool set(std::string_view name, double v) {
        std::string s;
        if (!appendNumber(s, v)) return false;
        changed_.emplace_back(name, std::move(s));
        return true;
    }

    bool centre() {
        double x = 0, y = 0;
        if (!number("sodipodi:cx", x) || !number("sodipodi:cy", y)) return false;
        const HostRealPoint c = transformPoint(m_, {x, y});
        return set("sodipodi:cx", c.h) && set("sodipodi:cy", c.v);
    }

    bool scaled(std::string_view name, double s) {
        double v = 0;
        return number(name, v) && set(name, v * s);
    }

    bool turned(std::string_view name, double angle) {
        double v = 0;
        return number(name, v) && set(name, v + angle);
    }

    // The editor draws an arc as (cx + rx cos t, cy + ry sin t): a scaling along the axes
    // keeps the angles.
    bool arc() {
        const double scale = std::max(std::abs(m_.a), std::abs(m_.d));
        if (!(m_.a > 0 && m_.d > 0) || !near(m_.b, 0, scale) || !near(m_.c, 0, scale)) return false;
        return centre() && scaled("sodipodi:rx", m_.a) && scaled("sodipodi:ry", m_.d);
    }

    bool star() {
        double s = 0, angle = 0;
        return similarity(m_, s, angle) && centre() && scaled("sodipodi:r1", s) &&
               scaled("sodipodi:r2", s) && turned("sodipodi:arg1", angle) &&
               turned("sodipodi:arg2", angle);
    }

    bool spiral() {
        double s = 0, angle = 0;
        return similarity(m_, s, angle) && centre() && scaled("sodipodi:radius", s) &&
               turned("sodipodi:argument", angle);
    }

    // The path a path effect starts from is path data like any other.
    bool originalPath(const std::string& d) {
        Outline outline;
        SyntaxError error;
        if (!parsePathData(d, outline, error)) return false;
        std::string out;
        for (const Subpath& sp : outline.subpaths) {
            PathData p;
            const auto first = outline.segments.begin() + static_cast<std::ptrdiff_t>(sp.first);
            p.segments.assign(first, first + static_cast<std::ptrdiff_t>(sp.count));
            // appendPathData writes flip - y: y negated with no flip is written as it is.
            p.segments.mapPoints([&](HostRealPoint q) {
                const HostRealPoint r = transformPoint(m_, q);
                return HostRealPoint{r.h, -r.v};
            });
            p.closed = sp.closed;
            if (!appendPathData(out, p, 0)) return false;
        }
        changed_.emplace_back("inkscape:original-d", std::move(out));
        return true;
    }

private:
    const Attributes& attributes_;
    HostRealMatrix m_;
    Attributes& changed_;
};

} // namespace

std::optional<HostRealMatrix> affineBetween(const std::vector<HostPathSegment>& read,
                                            const std::vector<HostPathSegment>& now) {
    if (read.empty() || read.size() != now.size()) return std::nullopt;
    std::vector<HostRealPoint> r, n;
    points(read, r);
    points(now, n);
    // Three points far apart fix the transformation; all the others must follow it.
    std::size_t i1 = 0, i2 = 0;
    double far = 0, wide = 0;
    for (std::size_t i = 0; i < r.size(); ++i)
        if (const double d = distance(r[0], r[i]); d > far) far = d, i1 = i;
    for (std::size_t i = 0; i < r.size(); ++i)
        if (const double a = std::abs(cross(r[0], r[i1], r[i])); a > wide) wide = a, i2 = i;
    if (far == 0 || wide <= 1e-6 * far * far) return std::nullopt;
    const double det = cross(r[0], r[i1], r[i2]);
    const double x1 = r[i1].h - r[0].h, y1 = r[i1].v - r[0].v;
    const double x2 = r[i2].h - r[0].h, y2 = r[i2].v - r[0].v;
    const double u1 = n[i1].h - n[0].h, v1 = n[i1].v - n[0].v;
    const double u2 = n[i2].h - n[0].h, v2 = n[i2].v - n[0].v;
    HostRealMatrix m{(u1 * y2 - u2 * y1) / det,
                     (v1 * y2 - v2 * y1) / det,
                     (u2 * x1 - u1 * x2) / det,
                     (v2 * x1 - v1 * x2) / det,
                     0,
                     0};
    m.tx = n[0].h - (m.a * r[0].h + m.c * r[0].v);
    m.ty = n[0].v - (m.b * r[0].h + m.d * r[0].v);
    double size = 1;
    for (std::size_t i = 0; i < r.size(); ++i)
        size = std::max(
            {size, std::abs(r[i].h), std::abs(r[i].v), std::abs(n[i].h), std::abs(n[i].v)});
    for (std::size_t i = 0; i < r.size(); ++i)
        if (distance(transformPoint(m, r[i]), n[i]) > kTolerance * size) return std::nullopt;
    return m;
}

bool followEditorShape(const Attributes& attributes, const HostRealMatrix& m, Attributes& changed) {
    changed.clear();
    Follower f(attributes, m, changed);
    if (const std::string* type = find(attributes, "sodipodi:type")) {
        const bool ok = *type == "arc"      ? f.arc()
                        : *type == "star"   ? f.star()
                        : *type == "spiral" ? f.spiral()
                                            : false;
        if (!ok) return false;
    }
    if (const std::string* d = find(attributes, "inkscape:original-d"))
        if (!f.originalPath(*d)) return false;
    return true;
}

} // namespace host::svg
