#include "host/core/suites/UnicodeStringReplacing.h"

#include "host/core/LenientDecoding.h"
#include "host/core/suites/SuiteSupport.h"
#include "hostapi/suites/UnicodeStringSuite.h"

namespace host {

HostErr NewFromBytesReplacing(const char* bytes, size_t length, int32_t encoding,
                              HostUString* string) {
    HOST_OP(kHostUnicodeStringSuite, "NewFromBytesReplacing");
    constexpr ByteDecoders kReplacing = {
        [](std::string_view input) -> std::optional<std::string> { return utf8Replacing(input); },
        shiftJisToUtf8Replacing};
    return newFromBytes(bytes, length, encoding, string, kReplacing);
}

} // namespace host
