#include "hostapi/suites/RealMathSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/geometry/Matrix.h"

#include <algorithm>

namespace host {
namespace {

// Pure arithmetic: no document needed, only the argument checks.
template <class Body> HostErr math(Body&& body) {
    return guarded([&]() -> HostErr { return body(); });
}

HostErr RectInset(HostRealRect* rect, HostReal h, HostReal v) {
    HOST_OP(kHostRealMathSuite, "RectInset");
    return math([&]() -> HostErr {
        if (rect == nullptr) return kHostErrBadParameter;
        // y grows upwards: the top comes down and the bottom goes up.
        rect->left += h;
        rect->right -= h;
        rect->top -= v;
        rect->bottom += v;
        return kHostNoErr;
    });
}

// Rectangles that only share an edge overlap: the adjacency test grows boxes by half a
// point each and treats boxes exactly one point apart as near enough.
HostErr RectOverlap(const HostRealRect* a, const HostRealRect* b, HostBool* overlap) {
    HOST_OP(kHostRealMathSuite, "RectOverlap");
    return math([&]() -> HostErr {
        if (a == nullptr || b == nullptr || overlap == nullptr) return kHostErrBadParameter;
        *overlap =
            a->left <= b->right && b->left <= a->right && a->bottom <= b->top && b->bottom <= a->top
                ? 1
                : 0;
        return kHostNoErr;
    });
}

HostErr RectUnion(const HostRealRect* a, const HostRealRect* b, HostRealRect* result) {
    HOST_OP(kHostRealMathSuite, "RectUnion");
    return math([&]() -> HostErr {
        if (a == nullptr || b == nullptr || result == nullptr) return kHostErrBadParameter;
        *result = {std::min(a->left, b->left), std::max(a->top, b->top),
                   std::max(a->right, b->right), std::min(a->bottom, b->bottom)};
        return kHostNoErr;
    });
}

template <class Change> HostErr changeMatrix(HostRealMatrix* m, Change&& change) {
    return math([&]() -> HostErr {
        if (m == nullptr) return kHostErrBadParameter;
        change(*m);
        return kHostNoErr;
    });
}

HostErr MatrixSetIdentity(HostRealMatrix* m) {
    HOST_OP(kHostRealMathSuite, "MatrixSetIdentity");
    return changeMatrix(m, [](HostRealMatrix& x) { x = kIdentityMatrix; });
}

HostErr MatrixSetTranslate(HostRealMatrix* m, HostReal tx, HostReal ty) {
    HOST_OP(kHostRealMathSuite, "MatrixSetTranslate");
    return changeMatrix(m, [&](HostRealMatrix& x) { x = translationMatrix(tx, ty); });
}

HostErr MatrixSetScale(HostRealMatrix* m, HostReal sx, HostReal sy) {
    HOST_OP(kHostRealMathSuite, "MatrixSetScale");
    return changeMatrix(m, [&](HostRealMatrix& x) { x = scaleMatrix(sx, sy); });
}

HostErr MatrixSetRotate(HostRealMatrix* m, HostReal angle) {
    HOST_OP(kHostRealMathSuite, "MatrixSetRotate");
    return changeMatrix(m, [&](HostRealMatrix& x) { x = rotationMatrix(angle); });
}

HostErr MatrixConcatTranslate(HostRealMatrix* m, HostReal tx, HostReal ty) {
    HOST_OP(kHostRealMathSuite, "MatrixConcatTranslate");
    return changeMatrix(m, [&](HostRealMatrix& x) { concatTranslate(x, tx, ty); });
}

HostErr MatrixConcatScale(HostRealMatrix* m, HostReal sx, HostReal sy) {
    HOST_OP(kHostRealMathSuite, "MatrixConcatScale");
    return changeMatrix(m, [&](HostRealMatrix& x) { concatScale(x, sx, sy); });
}

HostErr MatrixConcatRotate(HostRealMatrix* m, HostReal angle) {
    HOST_OP(kHostRealMathSuite, "MatrixConcatRotate");
    return changeMatrix(m, [&](HostRealMatrix& x) { concatRotate(x, angle); });
}

HostErr MatrixConcat(const HostRealMatrix* first, const HostRealMatrix* second,
                     HostRealMatrix* result) {
    HOST_OP(kHostRealMathSuite, "MatrixConcat");
    return math([&]() -> HostErr {
        if (first == nullptr || second == nullptr || result == nullptr) return kHostErrBadParameter;
        *result = concat(*first, *second);
        return kHostNoErr;
    });
}

HostErr MatrixInvert(HostRealMatrix* m) {
    HOST_OP(kHostRealMathSuite, "MatrixInvert");
    return math([&]() -> HostErr {
        if (m == nullptr) return kHostErrBadParameter;
        HostRealMatrix inverse = *m;
        if (!invert(inverse)) return kHostErrBadParameter;
        *m = inverse;
        return kHostNoErr;
    });
}

HostErr MatrixXformPoint(const HostRealMatrix* m, const HostRealPoint* p, HostRealPoint* result) {
    HOST_OP(kHostRealMathSuite, "MatrixXformPoint");
    return math([&]() -> HostErr {
        if (m == nullptr || p == nullptr || result == nullptr) return kHostErrBadParameter;
        *result = transformPoint(*m, *p);
        return kHostNoErr;
    });
}

HostErr MatrixGetTranslate(const HostRealMatrix* m, HostReal* tx, HostReal* ty) {
    HOST_OP(kHostRealMathSuite, "MatrixGetTranslate");
    return math([&]() -> HostErr {
        if (m == nullptr || tx == nullptr || ty == nullptr) return kHostErrBadParameter;
        *tx = m->tx;
        *ty = m->ty;
        return kHostNoErr;
    });
}

HostErr MatrixGetRotate(const HostRealMatrix* m, HostReal* angle) {
    HOST_OP(kHostRealMathSuite, "MatrixGetRotate");
    return math([&]() -> HostErr {
        if (m == nullptr || angle == nullptr) return kHostErrBadParameter;
        *angle = rotationAngle(*m);
        return kHostNoErr;
    });
}

constexpr HostRealMathSuite kRealMathSuite = {
    RectInset,          RectOverlap,        RectUnion,       MatrixSetIdentity,
    MatrixSetTranslate, MatrixSetScale,     MatrixSetRotate, MatrixConcatTranslate,
    MatrixConcatScale,  MatrixConcatRotate, MatrixConcat,    MatrixInvert,
    MatrixXformPoint,   MatrixGetTranslate, MatrixGetRotate,
};

} // namespace

void installRealMathSuite(SuiteRegistry& registry) {
    registry.provide(kHostRealMathSuite, kHostRealMathSuiteVersion, &kRealMathSuite);
}

} // namespace host
