#include "host/core/suites/UnicodeStringReplacing.h"

#include "host/core/LenientDecoding.h"
#include "host/core/suites/SuiteSupport.h"
#include "hostapi/suites/UnicodeStringSuite.h"

namespace host {

HostErr NewFromBytesReplacing(const char* bytes, size_t length, int32_t encoding,
                              HostUString* string) {
    HOST_OP(kHostUnicodeStringSuite, "NewFromBytesReplacing");
    if (string == nullptr || (bytes == nullptr && length != 0)) return kHostErrBadParameter;
    *string = nullptr;
    return guarded([&]() -> HostErr {
        const std::string_view input(bytes == nullptr ? "" : bytes, length);
        std::optional<std::string> text;
        switch (encoding) {
        case kHostEncodingUTF8:
            text = utf8Replacing(input);
            break;
        case kHostEncodingPlatform:
        case kHostEncodingShiftJIS:
            text = shiftJisToUtf8Replacing(input);
            break;
        default:
            return kHostErrBadParameter;
        }
        if (!text) return kHostErrEncoding;
        *string = suites::app().strings().make(std::move(*text));
        return kHostNoErr;
    });
}

} // namespace host
