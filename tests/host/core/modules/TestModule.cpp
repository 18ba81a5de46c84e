// A module file for the loader's tests. Its constructor leaves a mark in the environment, so
// a test can tell whether any of its code ran.
#include "hostapi/HostMessages.h"

#include <cstdlib>
#include <cstring>

namespace {

int gInitialisations = 0;

__attribute__((constructor)) void onLoad() {
    ++gInitialisations;
    setenv("CARTOVEL_TEST_MODULE_RAN", "1", 1);
}

void* const kToken = reinterpret_cast<void*>(0x5EED);

HostErr answer(const char* caller, const char* selector, void* message) {
    auto* data = static_cast<HostMessageData*>(message);
    if (strcmp(caller, kCallerInterface) == 0 && strcmp(selector, kSelectorStartup) == 0) {
        data->globals = kToken;
        return kHostNoErr;
    }
    if (strcmp(caller, "Test") == 0 && strcmp(selector, "Initialisations") == 0)
        return gInitialisations;
    if (strcmp(caller, "Test") == 0 && strcmp(selector, "Globals") == 0)
        return data->globals == kToken ? kHostNoErr : HOST_FOURCC('G', 'L', 'O', 'B');
    return kHostNoErr;
}

} // namespace

extern "C" __attribute__((visibility("default"))) HostErr
PluginMain(const char* caller, const char* selector, void* message) {
    return answer(caller, selector, message);
}

extern "C" __attribute__((visibility("default"))) HostErr
OtherMain(const char* caller, const char* selector, void* message) {
    return answer(caller, selector, message);
}
