#pragma once

#include "hostapi/HostTypes.h"

typedef struct HostPluginsSuite {
    /** The host copies the name. */
    HostErr (*SetPluginName)(HostPluginRef plugin, const char* name);
    /** Fills spec with the module file's location; spec must be zero-filled by the caller. */
    HostErr (*GetPluginFileSpecification)(HostPluginRef plugin, HostPlatformFileSpec* spec);
} HostPluginsSuite;
