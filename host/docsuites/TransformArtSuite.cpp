#include "hostapi/suites/TransformArtSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/geometry/Matrix.h"
#include "host/geometry/TransformArt.h"

#include <cmath>

namespace host {
namespace {

using namespace docsuites;

HostErr TransformArt(HostArtHandle art, const HostRealMatrix* matrix, HostReal lineScale,
                     int32_t options) {
    HOST_OP(kHostTransformArtSuite, "TransformArt");
    return withDocument([&](Document& d) -> HostErr {
        if (matrix == nullptr || !isFinite(*matrix) || !std::isfinite(lineScale))
            return kHostErrBadParameter;
        const HostErr err = transformArt(d, artOf(d, art), *matrix, lineScale, options);
        if (err == kHostNoErr) d.noteChange();
        return err;
    });
}

constexpr HostTransformArtSuite kTransformArtSuite = {TransformArt};

} // namespace

void installTransformArtSuite(SuiteRegistry& registry) {
    registry.provide(kHostTransformArtSuite, kHostTransformArtSuiteVersion, &kTransformArtSuite);
}

} // namespace host
