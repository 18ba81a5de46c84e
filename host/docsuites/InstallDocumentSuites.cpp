#include "host/docsuites/DocumentSuites.h"

#include "host/ate/TextSuites.h"

namespace host {

void installDocumentSuites(SuiteRegistry& registry) {
    installLayerSuite(registry);
    installArtSuite(registry);
    installArtSetSuite(registry);
    installPathSuites(registry);
    installRealMathSuite(registry);
    installHardSoftSuite(registry);
    installTransformArtSuite(registry);
    installDocumentAndViewSuites(registry);
    installImageAndTagSuites(registry);
    installPluginAndPathfinderSuites(registry);
    installTextSuites(registry);
}

} // namespace host
