// The names and versions of every suite the module acquires at start-up, in its order.
#pragma once

#include <cstdint>
#include <span>

namespace host {

struct SuiteName {
    const char* name;
    std::int32_t version;
};

/// The suites of the module's table (hostapi/SuiteList.h), in the order it acquires them.
std::span<const SuiteName> moduleSuiteCatalog();

} // namespace host
