#include "hostapi/suites/HardSoftSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/document/TextData.h"
#include "host/geometry/Matrix.h"

namespace host {
namespace {

// The text engine's convention is the document's seen through the flip (x, y) -> (x, -y)
// (see TextData.h); the flip is its own inverse, so both directions are one conversion.
HostErr convert(HostRealMatrix* matrix) {
    return guarded([&]() -> HostErr {
        if (matrix == nullptr || !isFinite(*matrix)) return kHostErrBadParameter;
        *matrix = textEngineMatrix(*matrix);
        return kHostNoErr;
    });
}

HostErr MatrixTextEngineToDocument(HostRealMatrix* matrix) {
    HOST_OP(kHostHardSoftSuite, "MatrixTextEngineToDocument");
    return convert(matrix);
}

HostErr MatrixDocumentToTextEngine(HostRealMatrix* matrix) {
    HOST_OP(kHostHardSoftSuite, "MatrixDocumentToTextEngine");
    return convert(matrix);
}

constexpr HostHardSoftSuite kHardSoftSuite = {MatrixTextEngineToDocument,
                                              MatrixDocumentToTextEngine};

} // namespace

void installHardSoftSuite(SuiteRegistry& registry) {
    registry.provide(kHostHardSoftSuite, kHostHardSoftSuiteVersion, &kHardSoftSuite);
}

} // namespace host
