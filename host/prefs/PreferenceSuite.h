// "AI Preference Suite" over the application's preference store.
#pragma once

namespace host {

class SuiteRegistry;

/// Registers the suite, replacing its placeholder.
void installPreferenceSuite(SuiteRegistry& registry);

} // namespace host
