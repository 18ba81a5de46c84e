#pragma once

#include "hostapi/HostTypes.h"

/** File locations. A path made with NewFilePath is owned by the caller until
 *  DisposeFilePath; strings returned through HostUString* are new and owned by the caller. */
typedef struct HostFilePathSuite {
    HostErr (*NewFilePath)(HostFilePath* path);
    HostErr (*DisposeFilePath)(HostFilePath path);
    HostErr (*SetFromPlatformFileSpec)(HostFilePath path, const HostPlatformFileSpec* spec);
    HostErr (*GetPlatformFileSpec)(HostFilePath path, HostPlatformFileSpec* spec);
    /** The last component, with or without its extension. */
    HostErr (*GetFileName)(HostFilePath path, HostBool withExtension, HostUString* name);
    HostErr (*GetFullPath)(HostFilePath path, HostUString* fullPath);
    HostErr (*SetFromUString)(HostFilePath path, HostUString fullPath);
    HostErr (*GetParent)(HostFilePath path, HostFilePath parent);
    HostBool (*IsEmpty)(HostFilePath path);
    /** Whether something exists at the path now, and whether it is a folder (isFolder may
     *  be null). An empty path exists nowhere. */
    HostErr (*Exists)(HostFilePath path, HostBool* exists, HostBool* isFolder);
} HostFilePathSuite;
