// The suites over the open document. installDocumentSuites registers all of them in place
// of their placeholders.
#pragma once

namespace host {

class SuiteRegistry;

void installDocumentSuites(SuiteRegistry& registry);

// One per suite file.
void installLayerSuite(SuiteRegistry& registry);
void installArtSuite(SuiteRegistry& registry);
void installArtSetSuite(SuiteRegistry& registry);
void installPathSuites(SuiteRegistry& registry);
void installRealMathSuite(SuiteRegistry& registry);
void installHardSoftSuite(SuiteRegistry& registry);
void installTransformArtSuite(SuiteRegistry& registry);
void installDocumentAndViewSuites(SuiteRegistry& registry);
void installImageAndTagSuites(SuiteRegistry& registry);
void installPluginAndPathfinderSuites(SuiteRegistry& registry);

} // namespace host
