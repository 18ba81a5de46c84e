// Affine matrices (a, b, c, d, tx, ty) mapping (x, y) to (a*x + c*y + tx, b*x + d*y + ty).
// "Concat X" applies X after the matrix: the result maps p to X(m(p)). Angles are in
// radians, counter-clockwise with y growing upwards.
#pragma once

#include "hostapi/HostTypes.h"

namespace host {

inline constexpr HostRealMatrix kIdentityMatrix{1, 0, 0, 1, 0, 0};

HostRealMatrix translationMatrix(double tx, double ty);
HostRealMatrix scaleMatrix(double sx, double sy);
HostRealMatrix rotationMatrix(double angle);

/// first, then second.
HostRealMatrix concat(const HostRealMatrix& first, const HostRealMatrix& second);
void concatTranslate(HostRealMatrix& m, double tx, double ty);
void concatScale(HostRealMatrix& m, double sx, double sy);
void concatRotate(HostRealMatrix& m, double angle);

/// False (m unchanged) for a singular or non-finite matrix.
bool invert(HostRealMatrix& m);

HostRealPoint transformPoint(const HostRealMatrix& m, HostRealPoint p);
/// The angle of the image of the x axis.
double rotationAngle(const HostRealMatrix& m);
HostRealPoint translationPart(const HostRealMatrix& m);

bool isFinite(const HostRealMatrix& m);
bool isIdentity(const HostRealMatrix& m);

} // namespace host

// Equality of the interface's plain records, where argument-dependent lookup finds it.
bool operator==(const HostRealMatrix& a, const HostRealMatrix& b);
