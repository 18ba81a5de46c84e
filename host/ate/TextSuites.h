// The text suites over the document's text frames: "AI Text Frame Suite", the text
// engine's TextRange, CharFeatures, ParaFeatures, TextFrame and TextRunsIterator suites,
// and "AIATE Paint Suite".
#pragma once

namespace host {

class SuiteRegistry;

/** Registers all of them in place of their placeholders. */
void installTextSuites(SuiteRegistry& registry);

// One per suite file.
void installTextFrameSuite(SuiteRegistry& registry);
void installTextEngineSuites(SuiteRegistry& registry);
void installATEPaintSuite(SuiteRegistry& registry);

} // namespace host
