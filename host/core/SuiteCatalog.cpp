#include "host/core/SuiteCatalog.h"

#include "hostapi/SuiteList.h"

namespace host {

std::span<const SuiteName> moduleSuiteCatalog() {
#define HOST_SUITE_NAME(id, constant, name, version, type) {constant, constant##Version},
    static constexpr SuiteName kSuites[] = {HOST_SUITES(HOST_SUITE_NAME)};
#undef HOST_SUITE_NAME
    return kSuites;
}

} // namespace host
