#include "frame/PluginEntry.h"

#include "frame/FailureConversion.h"
#include "frame/HostSuites.h"
#include "frame/Plugin.h"

namespace {

/** The object's end, after a failed start-up or at shut-down. A failure code then has no
 *  object to report to; the frame shows nothing anyway, so the code is only returned. */
void EndPlugin(HostMessageData* data, Plugin* plugin) noexcept {
    delete plugin;
    data->globals = nullptr;
}

} // namespace

HostErr DispatchEntry(const char* caller, const char* selector, void* message,
                      PluginFactory makePlugin) noexcept {
    auto* data = static_cast<HostMessageData*>(message);
    if (data == nullptr || data->check != kHostMessageCheck || data->basic == nullptr)
        return kHostErrBadParameter;
    sBasic = data->basic;
    auto* plugin = static_cast<Plugin*>(data->globals);

    if (SameToken(caller, kCallerInterface) && SameToken(selector, kSelectorStartup)) {
        // A second start-up keeps the running object instead of leaking it.
        if (plugin == nullptr) {
            plugin = makePlugin(data->self);
            if (plugin == nullptr) return kHostErrMemory;
            data->globals = plugin;
            const HostErr err = CallConverted([&] { return plugin->OnStartup(data); });
            if (err != kHostNoErr) {
                EndPlugin(data, plugin);
                return err;
            }
        }
    } else if (SameToken(caller, kCallerInterface) && SameToken(selector, kSelectorShutdown)) {
        if (plugin == nullptr) return kHostNoErr;
        const HostErr err = CallConverted([&] { return plugin->OnShutdown(data); });
        EndPlugin(data, plugin);
        return err;
    }

    if (plugin == nullptr) return kHostNoErr;
    HostErr result = kHostNoErr;
    if (SameToken(caller, kCallerAccess) && SameToken(selector, kSelectorReload)) {
        plugin->RenewAfterReload();
        result = CallConverted([&] { return plugin->OnReload(data); });
    } else if (!plugin->HoldsSuites()) {
        return kHostNoErr;
    } else {
        result = CallConverted([&] { return plugin->OnMessage(caller, selector, message); });
    }
    if (result == kHostNoErr || result == kHostErrUnhandledMessage) return kHostNoErr;
    CallConverted([&] {
        plugin->ReportError(result, caller, selector, message);
        return kHostNoErr;
    });
    return result;
}
