// "AI Document Suite" and "AI Document View Suite".
#include "hostapi/suites/DocumentSuite.h"
#include "hostapi/suites/DocumentViewSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"

#include <cmath>

namespace host {
namespace {

using namespace docsuites;

HostErr GetDocument(HostDocumentHandle* document) {
    HOST_OP(kHostDocumentSuite, "GetDocument");
    return answer(document, [&](Document& d) { return d.handle(); });
}

HostErr GetDocumentFileSpecification(HostFilePath path) {
    HOST_OP(kHostDocumentSuite, "GetDocumentFileSpecification");
    return withDocument([&](Document& d) -> HostErr {
        HostFilePathOpaque* target = SuiteContext::current()->filePaths().find(path);
        if (target == nullptr) return kHostErrBadHandle;
        if (d.filePath.empty()) return kHostErrNotFound;
        target->path = d.filePath;
        return kHostNoErr;
    });
}

HostErr HasTextFocus(HostBool* hasFocus) {
    HOST_OP(kHostDocumentSuite, "HasTextFocus");
    return answer(hasFocus, [&](Document& d) { return d.textFocus ? 1 : 0; });
}

HostErr CancelTextFocus() {
    HOST_OP(kHostDocumentSuite, "CancelTextFocus");
    return withDocument([&](Document& d) -> HostErr {
        d.textFocus = false;
        return kHostNoErr;
    });
}

// Nothing is drawn on a headless host; the call still needs an open document.
HostErr RedrawDocument() {
    HOST_OP(kHostDocumentSuite, "RedrawDocument");
    return withDocument([&](Document&) -> HostErr { return kHostNoErr; });
}

HostErr GetDocumentViewCenter(HostRealPoint* center) {
    HOST_OP(kHostDocumentViewSuite, "GetDocumentViewCenter");
    return answer(center, [&](Document& d) { return d.viewCentre; });
}

HostErr SetDocumentViewCenter(const HostRealPoint* center) {
    HOST_OP(kHostDocumentViewSuite, "SetDocumentViewCenter");
    return withDocument([&](Document& d) -> HostErr {
        if (center == nullptr || !std::isfinite(center->h) || !std::isfinite(center->v))
            return kHostErrBadParameter;
        if (d.viewCentre.h == center->h && d.viewCentre.v == center->v) return kHostNoErr;
        d.viewCentre = *center;
        d.noteChange(); // the view is saved with the file
        return kHostNoErr;
    });
}

constexpr HostDocumentSuite kDocumentSuite = {
    GetDocument, GetDocumentFileSpecification, HasTextFocus, CancelTextFocus, RedrawDocument,
};

constexpr HostDocumentViewSuite kDocumentViewSuite = {GetDocumentViewCenter, SetDocumentViewCenter};

} // namespace

void installDocumentAndViewSuites(SuiteRegistry& registry) {
    registry.provide(kHostDocumentSuite, kHostDocumentSuiteVersion, &kDocumentSuite);
    registry.provide(kHostDocumentViewSuite, kHostDocumentViewSuiteVersion, &kDocumentViewSuite);
}

} // namespace host
