// Shared by the suite implementations.
#pragma once

#include "host/core/Errors.h"
#include "host/core/Faults.h"
#include "host/core/SuiteContext.h"

#include <string>

namespace host::suites {

/// The current context; valid after HOST_OP, which fails the call without one.
inline SuiteContext& context() {
    return *SuiteContext::current();
}

/// The text of a host string the caller lends; null for an unknown handle.
inline const std::string* text(HostUString string) {
    const HostUStringOpaque* s = context().strings().find(string);
    return s == nullptr ? nullptr : &s->utf8;
}

/// Runs body with what lookup() finds, or answers kHostErrBadHandle when it finds nothing.
/// Exceptions become codes (see guarded).
template <class Lookup, class Body> HostErr withFound(Lookup&& lookup, Body&& body) noexcept {
    return guarded([&]() -> HostErr {
        auto* found = lookup();
        if (found == nullptr) return kHostErrBadHandle;
        return body(found);
    });
}

/// Runs body with the text of a host string the caller lends.
template <class Body> HostErr withText(HostUString string, Body&& body) noexcept {
    return withFound([&] { return text(string); }, [&](const std::string* s) { return body(*s); });
}

/// The memory blocks of the basic suite and of "SP Blocks Suite", counted under either.
HostErr allocateBlock(size_t size, void** block);
HostErr freeBlock(void* block);
HostErr reallocateBlock(void* block, size_t newSize, void** newBlock);

} // namespace host::suites
