#pragma once

#include "hostapi/HostTypes.h"

/** Alerts, questions and the host's progress display. Texts are borrowed for the call. */
typedef struct HostUserSuite {
    HostErr (*MessageAlert)(HostUString text);
    /** *result is 1 when the user confirms, 0 otherwise. */
    HostErr (*OKCancelAlert)(HostUString text, HostBool defaultOK, int32_t* result);
    /** *result is 1 for Yes, 0 for No. */
    HostErr (*YesNoAlert)(HostUString text, int32_t* result);
    HostErr (*SetProgressText)(HostUString text);
    HostErr (*UpdateProgress)(int32_t current, int32_t maximum);
    /** True once the user has asked to stop the work in progress. */
    HostBool (*Cancel)(void);
    /** The interface scale the user chose in the host (1.0, 1.5, 2.0 ...). */
    HostErr (*GetUIScaleFactor)(HostReal* factor);
    /** The scale of the display the host's windows are on. Controls are sized by the
     *  product of the two. */
    HostErr (*GetPlatformScaleFactor)(HostReal* factor);
} HostUserSuite;
