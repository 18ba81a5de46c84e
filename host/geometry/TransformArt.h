// The host's art transformation.
#pragma once

#include "host/document/Document.h"

namespace host {

/// Option bits, as the host interface defines them.
enum : std::int32_t {
    kTransformObjects = 1,
    kTransformFillGradients = 2,
    kTransformFillPatterns = 4,
    kTransformStrokePatterns = 8,
    kScaleLines = 16,
    kTransformChildren = 64,
    kTransformStrokeGradients = 256,
};

/// Transforms art by m. With kTransformObjects path points move, and image, symbol and
/// text matrices take m after them (area and path text move their frame path too).
/// Containers pass the transformation to their contents; a plug-in group only with
/// kTransformChildren. kScaleLines multiplies stroke widths and dash lengths by
/// lineScale. The gradient and pattern bits make the style's matrices take m.
/// kHostErrBadParameter for a non-finite matrix or line scale; kHostErrRefused on a
/// locked or hidden layer.
HostErr transformArt(Document& doc, Art& art, const HostRealMatrix& m, double lineScale,
                     std::int32_t options);

} // namespace host
