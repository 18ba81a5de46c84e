#pragma once

#include "hostapi/HostTypes.h"

typedef struct HostDocumentSuite {
    /** The current document; kHostErrNoDocument when none is open. */
    HostErr (*GetDocument)(HostDocumentHandle* document);
    /** Fills path with the current document's file; kHostErrNotFound when it has none. */
    HostErr (*GetDocumentFileSpecification)(HostFilePath path);
    HostErr (*HasTextFocus)(HostBool* hasFocus);
    HostErr (*CancelTextFocus)(void);
    HostErr (*RedrawDocument)(void);
} HostDocumentSuite;
