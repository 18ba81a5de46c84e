#pragma once

#include "hostapi/HostTypes.h"

typedef struct HostContextSuite {
    /** Pushes the module's application context; every push is matched by a pop. */
    HostErr (*PushAppContext)(HostPluginRef plugin, HostAppContext* context);
    HostErr (*PopAppContext)(HostAppContext context);
    /** The host's main application window, owner of the module's modal dialogs. */
    HostErr (*GetPlatformAppWindow)(HostPlatformWindow* window);
} HostContextSuite;
