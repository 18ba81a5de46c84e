#ifndef CARTOVEL_HOSTAPI_SUITES_CONTEXT_H
#define CARTOVEL_HOSTAPI_SUITES_CONTEXT_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostContextSuite "AI Context Suite"
#define kHostContextSuiteVersion 10

typedef struct HostContextSuite {
    /** Pushes the module's application context; every push is matched by a pop. */
    HostErr (*PushAppContext)(HostPluginRef plugin, HostAppContext* context);
    HostErr (*PopAppContext)(HostAppContext context);
    /** The host's main application window, owner of the module's modal dialogs. */
    HostErr (*GetPlatformAppWindow)(HostPlatformWindow* window);
} HostContextSuite;

#ifdef __cplusplus
}
#endif

#endif
