#include "hostapi/suites/AccessSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

HostErr AcquirePlugin(HostPluginRef plugin, HostAccessRef* access) {
    HOST_OP(kHostAccessSuite, "AcquirePlugin");
    if (access == nullptr) return kHostErrBadParameter;
    *access = nullptr;
    Module* module = suites::context().moduleFromRef(plugin);
    if (module == nullptr) return kHostErrBadHandle;
    return suites::context().acquireAccess(*module, access);
}

HostErr ReleasePlugin(HostAccessRef access) {
    HOST_OP(kHostAccessSuite, "ReleasePlugin");
    return suites::context().releaseAccess(access);
}

constexpr HostAccessSuite kTable = {AcquirePlugin, ReleasePlugin};

} // namespace

void installAccessSuite(SuiteRegistry& registry) {
    registry.provide(kHostAccessSuite, kHostAccessSuiteVersion, &kTable);
}

} // namespace host
