#pragma once

#include "hostapi/HostTypes.h"

enum { kHostFolderPreferences = 1, kHostFolderUserDocuments = 2, kHostFolderPlugins = 3 };

typedef struct HostFoldersSuite {
    /** Fills folder with the location of one of the host's folders. */
    HostErr (*FindFolder)(int32_t kind, HostBool create, HostFilePath folder);
} HostFoldersSuite;
