// What the module's entry does with each host message. PluginMain is this with the
// module's own plug-in class; tests drive it with theirs.
#pragma once

#include "hostapi/HostMessages.h"

class Plugin;

/** Creates the plug-in object for start-up; null when it cannot be allocated. */
using PluginFactory = Plugin* (*)(HostPluginRef pluginRef) noexcept;

/** Never throws: a failure that escapes an operation becomes kHostErrCant (or the code of an
 *  ai::Error). A record that is not a message record gives kHostErrBadParameter. */
HostErr DispatchEntry(const char* caller, const char* selector, void* message,
                      PluginFactory makePlugin) noexcept;
