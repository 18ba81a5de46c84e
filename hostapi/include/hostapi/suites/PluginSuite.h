#pragma once

#include "hostapi/HostMessages.h"
#include "hostapi/HostTypes.h"

/** Lets a module call an operation that expects a message record of its own. */
typedef struct HostPluginSuite {
    /** Fills the common header of a message record for plugin. */
    HostErr (*SetupPluginData)(HostPluginRef plugin, HostMessageData* data);
} HostPluginSuite;
