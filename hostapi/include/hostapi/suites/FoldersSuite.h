#ifndef CARTOVEL_HOSTAPI_SUITES_FOLDERS_H
#define CARTOVEL_HOSTAPI_SUITES_FOLDERS_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostFoldersSuite "AI Folders Suite"
#define kHostFoldersSuiteVersion 5

enum { kHostFolderPreferences = 1, kHostFolderUserDocuments = 2, kHostFolderPlugins = 3 };

typedef struct HostFoldersSuite {
    /** Fills folder with the location of one of the host's folders. */
    HostErr (*FindFolder)(int32_t kind, HostBool create, HostFilePath folder);
} HostFoldersSuite;

#ifdef __cplusplus
}
#endif

#endif
