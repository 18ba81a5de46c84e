#include "frame/MenuGroups.h"

#include "frame/Plugin.h"

namespace frame {

HostErr FindMenuGroup(const HostMenuSuite* menu, const char* name, bool* found) {
    *found = false;
    int32_t count = 0;
    if (const HostErr err = menu->CountMenuGroups(&count)) return err;
    for (int32_t i = 0; i < count; ++i) {
        HostMenuGroup group = nullptr;
        if (const HostErr err = menu->GetNthMenuGroup(i, &group)) return err;
        const char* groupName = nullptr;
        if (const HostErr err = menu->GetMenuGroupName(group, &groupName)) return err;
        if (SameToken(groupName, name)) {
            *found = true;
            return kHostNoErr;
        }
    }
    return kHostNoErr;
}

} // namespace frame
