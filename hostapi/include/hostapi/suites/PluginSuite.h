#ifndef CARTOVEL_HOSTAPI_SUITES_PLUGIN_H
#define CARTOVEL_HOSTAPI_SUITES_PLUGIN_H

#include "hostapi/HostMessages.h"
#include "hostapi/HostTypes.h"
#ifdef __cplusplus
extern "C" {
#endif

#define kHostPluginSuite "AI Plugin Suite"
#define kHostPluginSuiteVersion 5

/** Lets a module call an operation that expects a message record of its own. */
typedef struct HostPluginSuite {
    /** Fills the common header of a message record for plugin. */
    HostErr (*SetupPluginData)(HostPluginRef plugin, HostMessageData* data);
} HostPluginSuite;

#ifdef __cplusplus
}
#endif

#endif
