// Puts the module's entry into a sub-menu of the host's About menu that modules of the
// same family share.
#pragma once

#include "hostapi/HostMessages.h"

class SDKAboutPluginsHelper {
public:
    /** Adds itemText to the group groupName, first creating that group as the sub-menu
     *  titled title under the host's "About" group when no module created it yet. The
     *  menu suite is acquired through the message's basic suite for this call only. */
    HostErr AddAboutPluginsMenuItem(HostMessageData* message, const char* groupName,
                                    HostUString title, const char* itemText,
                                    HostMenuItemHandle* item);
};
