// The suites the host implements itself: the basic suite and the frame's suites (module
// access, plug-ins, notifiers, application context, user interaction, file paths, folders,
// menus, Unicode strings, memory blocks).
#pragma once

#include "hostapi/HostMessages.h"

namespace host {

class SuiteRegistry;

extern const HostBasicSuite kBasicSuiteTable;

/// Registers the frame's suites, replacing placeholders of the same name and version.
void installFrameSuites(SuiteRegistry& registry);

// One per suite file.
void installAccessSuite(SuiteRegistry& registry);
void installPluginsSuite(SuiteRegistry& registry);
void installNotifierSuite(SuiteRegistry& registry);
void installContextSuite(SuiteRegistry& registry);
void installUserSuite(SuiteRegistry& registry);
void installFilePathSuite(SuiteRegistry& registry);
void installFoldersSuite(SuiteRegistry& registry);
void installMenuSuite(SuiteRegistry& registry);
void installUnicodeStringSuite(SuiteRegistry& registry);
void installBlocksSuite(SuiteRegistry& registry);
void installPanelSuites(SuiteRegistry& registry);

} // namespace host
