#ifndef CARTOVEL_HOSTAPI_SUITES_DOCUMENT_H
#define CARTOVEL_HOSTAPI_SUITES_DOCUMENT_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostDocumentSuite "AI Document Suite"
#define kHostDocumentSuiteVersion 20

typedef struct HostDocumentSuite {
    /** The current document; kHostErrNoDocument when none is open. */
    HostErr (*GetDocument)(HostDocumentHandle* document);
    /** Fills path with the current document's file; kHostErrNotFound when it has none. */
    HostErr (*GetDocumentFileSpecification)(HostFilePath path);
    HostErr (*HasTextFocus)(HostBool* hasFocus);
    HostErr (*CancelTextFocus)(void);
    HostErr (*RedrawDocument)(void);
} HostDocumentSuite;

#ifdef __cplusplus
}
#endif

#endif
