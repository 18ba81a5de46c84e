#ifndef CARTOVEL_HOSTAPI_SUITES_ACCESS_H
#define CARTOVEL_HOSTAPI_SUITES_ACCESS_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostAccessSuite "SP Access Suite"
#define kHostAccessSuiteVersion 3

/** Access to a loaded module. While a module holds access to itself the host does not
 *  unload it. */
typedef struct HostAccessSuite {
    HostErr (*AcquirePlugin)(HostPluginRef plugin, HostAccessRef* access);
    HostErr (*ReleasePlugin)(HostAccessRef access);
} HostAccessSuite;

#ifdef __cplusplus
}
#endif

#endif
