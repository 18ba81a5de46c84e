#include "frame/HostSuites.h"

const HostBasicSuite* sBasic = nullptr;
uint16_t sSuiteRefCount = 0;

#define HOST_SUITE_GLOBAL(id, constant, name, version, type) const type* s##id = nullptr;
HOST_SUITES(HOST_SUITE_GLOBAL)
#undef HOST_SUITE_GLOBAL

namespace {

#define HOST_SUITE_ENTRY(id, constant, name, version, type)                                        \
    {constant, constant##Version, SuiteGlobal<s##id>()},

constexpr HostSuiteEntry kHostSuites[] = {
    HOST_FRAME_SUITES(HOST_SUITE_ENTRY) // the frame's list
    {nullptr, 0, {}},
    HOST_PLUGIN_SUITES(HOST_SUITE_ENTRY) // the plug-in's list
    // No optional suites: the end entry does not carry kHostOptionalSuitesMarker.
    {nullptr, 0, {}},
};

#undef HOST_SUITE_ENTRY

} // namespace

const std::span<const HostSuiteEntry> HostSuites{kHostSuites};
