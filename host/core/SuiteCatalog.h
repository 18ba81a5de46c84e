// The names and versions of every suite the module acquires at start-up, in its order.
#pragma once

#include <cstdint>
#include <span>

namespace host {

struct SuiteName {
    const char* name;
    std::int32_t version;
};

/// The 140 suites of the module's table, in the order it acquires them.
std::span<const SuiteName> moduleSuiteCatalog();

} // namespace host
