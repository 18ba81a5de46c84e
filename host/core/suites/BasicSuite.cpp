#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

#include <cstring>

namespace host {
namespace {

constexpr char kSuite[] = "SP Basic Suite";

HostErr AcquireSuite(const char* name, int32_t version, const void** suite) {
    HOST_OP(kSuite, "AcquireSuite");
    return suites::context().suites().acquire(name, version, suite);
}

HostErr ReleaseSuite(const char* name, int32_t version) {
    HOST_OP(kSuite, "ReleaseSuite");
    return suites::context().suites().release(name, version);
}

HostBool IsEqual(const char* token1, const char* token2) {
    HOST_OP_OR(kSuite, "IsEqual", 0);
    if (token1 == nullptr || token2 == nullptr) return token1 == token2 ? 1 : 0;
    return std::strcmp(token1, token2) == 0 ? 1 : 0;
}

HostErr Undefined() {
    HOST_OP(kSuite, "Undefined");
    return kHostErrCant;
}

} // namespace

const HostBasicSuite kBasicSuiteTable = {
    AcquireSuite,
    ReleaseSuite,
    IsEqual,
    counted<kSuite, "AllocateBlock", suites::allocateBlock>,
    counted<kSuite, "FreeBlock", suites::freeBlock>,
    counted<kSuite, "ReallocateBlock", suites::reallocateBlock>,
    Undefined,
};

void installFrameSuites(SuiteRegistry& registry) {
    installAccessSuite(registry);
    installPluginsSuite(registry);
    installNotifierSuite(registry);
    installContextSuite(registry);
    installUserSuite(registry);
    installFilePathSuite(registry);
    installFoldersSuite(registry);
    installMenuSuite(registry);
    installUnicodeStringSuite(registry);
    installBlocksSuite(registry);
    installPanelSuites(registry);
}

} // namespace host
