// "AI Unicode String Suite": making strings from bytes of unknown quality.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <cstdint>

namespace host {

HostErr NewFromBytesReplacing(const char* bytes, size_t length, int32_t encoding,
                              HostUString* string);

} // namespace host
