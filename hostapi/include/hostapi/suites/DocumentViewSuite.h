#ifndef CARTOVEL_HOSTAPI_SUITES_DOCUMENTVIEW_H
#define CARTOVEL_HOSTAPI_SUITES_DOCUMENTVIEW_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostDocumentViewSuite "AI Document View Suite"
#define kHostDocumentViewSuiteVersion 15

typedef struct HostDocumentViewSuite {
    /** The centre of the current view in document coordinates. */
    HostErr (*GetDocumentViewCenter)(HostRealPoint* center);
    HostErr (*SetDocumentViewCenter)(const HostRealPoint* center);
} HostDocumentViewSuite;

#ifdef __cplusplus
}
#endif

#endif
