// "AI Unicode String Suite": making strings from bytes, strictly or replacing what does not
// decode.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

/// How bytes of each encoding become UTF-8; nullopt: they cannot.
struct ByteDecoders {
    std::optional<std::string> (*utf8)(std::string_view bytes);
    std::optional<std::string> (*shiftJis)(std::string_view bytes);
};

/// A new string (*string, null on failure) from length bytes in encoding, decoded by
/// decoders: kHostErrEncoding when they cannot, kHostErrBadParameter for another encoding.
HostErr newFromBytes(const char* bytes, size_t length, int32_t encoding, HostUString* string,
                     const ByteDecoders& decoders);

HostErr NewFromBytesReplacing(const char* bytes, size_t length, int32_t encoding,
                              HostUString* string);

} // namespace host
