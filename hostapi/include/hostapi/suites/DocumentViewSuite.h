#pragma once

#include "hostapi/HostTypes.h"

typedef struct HostDocumentViewSuite {
    /** The centre of the current view in document coordinates. */
    HostErr (*GetDocumentViewCenter)(HostRealPoint* center);
    HostErr (*SetDocumentViewCenter)(const HostRealPoint* center);
} HostDocumentViewSuite;
