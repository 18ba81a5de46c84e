#include "hostapi/suites/PluginsSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"
#include "host/loader/Module.h"

#include <cstring>

namespace host {
namespace {

HostErr SetPluginName(HostPluginRef plugin, const char* name) {
    HOST_OP(kHostPluginsSuite, "SetPluginName");
    return guarded([&]() -> HostErr {
        Module* module = suites::context().moduleFromRef(plugin);
        if (module == nullptr) return kHostErrBadHandle;
        if (name == nullptr || !isValidUtf8(name)) return kHostErrBadParameter;
        module->setName(name);
        return kHostNoErr;
    });
}

HostErr GetPluginFileSpecification(HostPluginRef plugin, HostPlatformFileSpec* spec) {
    HOST_OP(kHostPluginsSuite, "GetPluginFileSpecification");
    Module* module = suites::context().moduleFromRef(plugin);
    if (module == nullptr) return kHostErrBadHandle;
    if (spec == nullptr) return kHostErrBadParameter;
    const std::string& path = module->path();
    if (path.size() >= sizeof spec->path) return kHostErrBadParameter;
    std::memcpy(spec->path, path.c_str(), path.size() + 1);
    return kHostNoErr;
}

constexpr HostPluginsSuite kTable = {SetPluginName, GetPluginFileSpecification};

} // namespace

void installPluginsSuite(SuiteRegistry& registry) {
    registry.provide(kHostPluginsSuite, kHostPluginsSuiteVersion, &kTable);
}

} // namespace host
