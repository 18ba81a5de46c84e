// The transform attribute: matrix, translate, scale, rotate, skewX and skewY lists.
#pragma once

#include "host/svg/SvgPathData.h"

namespace host::svg {

/// The list's matrix in SVG terms (the rightmost transformation applies first). An empty
/// list is the identity.
bool parseTransform(std::string_view s, HostRealMatrix& m, SyntaxError& error);

/// "matrix(a b c d e f)".
bool appendMatrix(std::string& out, const HostRealMatrix& m);

} // namespace host::svg
