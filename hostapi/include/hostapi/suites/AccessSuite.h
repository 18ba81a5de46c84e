#pragma once

#include "hostapi/HostTypes.h"

/** Access to a loaded module. While a module holds access to itself the host does not
 *  unload it. */
typedef struct HostAccessSuite {
    HostErr (*AcquirePlugin)(HostPluginRef plugin, HostAccessRef* access);
    HostErr (*ReleasePlugin)(HostAccessRef access);
} HostAccessSuite;
