#include "hostapi/suites/ContextSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

HostErr PushAppContext(HostPluginRef plugin, HostAppContext* context) {
    HOST_OP(kHostContextSuite, "PushAppContext");
    return guarded([&]() -> HostErr {
        if (context == nullptr) return kHostErrBadParameter;
        *context = nullptr;
        Module* module = suites::context().moduleFromRef(plugin);
        if (module == nullptr) return kHostErrBadHandle;
        return suites::context().contexts().push(module, context);
    });
}

// Work a module does in its own context outside any host message (a panel's window
// procedure) may change the document: the host tells the modules at its next idle time.
HostErr PopAppContext(HostAppContext context) {
    HOST_OP(kHostContextSuite, "PopAppContext");
    SuiteContext& app = suites::context();
    const HostErr result = app.contexts().pop(context);
    if (result == kHostNoErr && app.contexts().depth() == 0 && !app.inMessage())
        app.documentChangedOutsideMessage();
    return result;
}

HostErr GetPlatformAppWindow(HostPlatformWindow* window) {
    HOST_OP(kHostContextSuite, "GetPlatformAppWindow");
    if (window == nullptr) return kHostErrBadParameter;
    *window = suites::context().mainWindow().get();
    return *window == nullptr ? kHostErrCant : kHostNoErr;
}

constexpr HostContextSuite kTable = {PushAppContext, PopAppContext, GetPlatformAppWindow};

} // namespace

void installContextSuite(SuiteRegistry& registry) {
    registry.provide(kHostContextSuite, kHostContextSuiteVersion, &kTable);
}

} // namespace host
