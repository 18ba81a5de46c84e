// Looking up the host's menu groups by name.
#pragma once

#include "hostapi/suites/MenuSuite.h"

namespace frame {

/** Walks the host's groups for one named name; *found tells whether there is one. */
HostErr FindMenuGroup(const HostMenuSuite* menu, const char* name, bool* found);

} // namespace frame
