#include "host/geometry/Matrix.h"

#include <algorithm>
#include <cmath>

namespace host {

HostRealMatrix translationMatrix(double tx, double ty) {
    return {1, 0, 0, 1, tx, ty};
}

HostRealMatrix scaleMatrix(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

HostRealMatrix rotationMatrix(double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {c, s, -s, c, 0, 0};
}

HostRealMatrix concat(const HostRealMatrix& m, const HostRealMatrix& n) {
    return {m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d,          m.c * n.a + m.d * n.c,
            m.c * n.b + m.d * n.d, m.tx * n.a + m.ty * n.c + n.tx, m.tx * n.b + m.ty * n.d + n.ty};
}

void concatTranslate(HostRealMatrix& m, double tx, double ty) {
    m.tx += tx;
    m.ty += ty;
}

void concatScale(HostRealMatrix& m, double sx, double sy) {
    m = concat(m, scaleMatrix(sx, sy));
}

void concatRotate(HostRealMatrix& m, double angle) {
    m = concat(m, rotationMatrix(angle));
}

bool invert(HostRealMatrix& m) {
    if (!isFinite(m)) return false;
    const double det = m.a * m.d - m.b * m.c;
    // Relative test: a matrix whose determinant vanishes against its own entries maps
    // the plane onto a line.
    const double scale = std::max({std::abs(m.a * m.d), std::abs(m.b * m.c), 1e-300});
    if (det == 0 || std::abs(det) < scale * 1e-14 || !std::isfinite(1 / det)) return false;
    const double ia = m.d / det, ib = -m.b / det, ic = -m.c / det, id = m.a / det;
    const HostRealMatrix r{ia, ib, ic, id, -(m.tx * ia + m.ty * ic), -(m.tx * ib + m.ty * id)};
    if (!isFinite(r)) return false;
    m = r;
    return true;
}

HostRealPoint transformPoint(const HostRealMatrix& m, HostRealPoint p) {
    return {m.a * p.h + m.c * p.v + m.tx, m.b * p.h + m.d * p.v + m.ty};
}

double rotationAngle(const HostRealMatrix& m) {
    return std::atan2(m.b, m.a);
}

HostRealPoint translationPart(const HostRealMatrix& m) {
    return {m.tx, m.ty};
}

bool isFinite(const HostRealMatrix& m) {
    return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) && std::isfinite(m.d) &&
           std::isfinite(m.tx) && std::isfinite(m.ty);
}

bool isIdentity(const HostRealMatrix& m) {
    return m == kIdentityMatrix;
}

} // namespace host

bool operator==(const HostRealMatrix& x, const HostRealMatrix& y) {
    return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d && x.tx == y.tx && x.ty == y.ty;
}
