#include "hostapi/suites/NotifierSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

HostErr AddNotifier(HostPluginRef plugin, const char* name, const char* type,
                    HostNotifierHandle* notifier) {
    HOST_OP(kHostNotifierSuite, "AddNotifier");
    if (notifier != nullptr) *notifier = nullptr;
    return guarded([&]() -> HostErr {
        Module* module = suites::context().moduleFromRef(plugin);
        if (module == nullptr) return kHostErrBadHandle;
        if (name == nullptr || type == nullptr || *type == 0) return kHostErrBadParameter;
        Notifier& n = suites::context().notifiers().add(module, name, type);
        if (notifier != nullptr) *notifier = n.handle();
        return kHostNoErr;
    });
}

constexpr HostNotifierSuite kTable = {AddNotifier};

} // namespace

void installNotifierSuite(SuiteRegistry& registry) {
    registry.provide(kHostNotifierSuite, kHostNotifierSuiteVersion, &kTable);
}

} // namespace host
