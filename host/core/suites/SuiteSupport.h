// Shared by the suite implementations.
#pragma once

#include "host/core/Application.h"
#include "host/core/Errors.h"
#include "host/core/Faults.h"

#include <string>

namespace host::suites {

/// The current application; valid after HOST_OP, which fails the call without one.
inline Application& app() {
    return *Application::current();
}

/// The text of a host string the caller lends; null for an unknown handle.
inline const std::string* text(HostUString string) {
    const HostUStringOpaque* s = app().strings().find(string);
    return s == nullptr ? nullptr : &s->utf8;
}

} // namespace host::suites
