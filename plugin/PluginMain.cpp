// The loadable module's entry: the host's messages arrive here.
#include "frame/PluginEntry.h"
#include "plugin/CartovelPlugin.h"

#include <new>

namespace {

Plugin* MakeCartovelPlugin(HostPluginRef pluginRef) noexcept {
    return new (std::nothrow) CartovelPlugin(pluginRef);
}

} // namespace

extern "C" __attribute__((visibility("default"))) HostErr
PluginMain(const char* caller, const char* selector, void* message) noexcept {
    return DispatchEntry(caller, selector, message, MakeCartovelPlugin);
}
