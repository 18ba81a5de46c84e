#ifndef CARTOVEL_HOSTAPI_SUITES_PLUGINS_H
#define CARTOVEL_HOSTAPI_SUITES_PLUGINS_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostPluginsSuite "SP Plug-ins Suite"
#define kHostPluginsSuiteVersion 6

typedef struct HostPluginsSuite {
    /** The host copies the name. */
    HostErr (*SetPluginName)(HostPluginRef plugin, const char* name);
    /** Fills spec with the module file's location; spec must be zero-filled by the caller. */
    HostErr (*GetPluginFileSpecification)(HostPluginRef plugin, HostPlatformFileSpec* spec);
} HostPluginsSuite;

#ifdef __cplusplus
}
#endif

#endif
