#pragma once

#include "hostapi/HostTypes.h"

/** Named entries (tags) of an art object's dictionary; values are text. */
typedef struct HostTagSuite {
    HostErr (*CountTags)(HostArtHandle art, int32_t* count);
    /** *name is owned by the host and valid until the tags of art change. */
    HostErr (*GetNthTag)(HostArtHandle art, int32_t index, const char** name);
    /** kHostErrNotFound when art has no tag of that name. */
    HostErr (*RemoveTag)(HostArtHandle art, const char* name);
    HostErr (*SetTag)(HostArtHandle art, const char* name, const char* value);
    /** *value is owned by the host and valid until the tags of art change. */
    HostErr (*GetTag)(HostArtHandle art, const char* name, const char** value);
} HostTagSuite;
