#include "host/core/Strings.h"

#include "host/core/TextEncoding.h"

namespace host {

bool isValidUtf8(std::string_view text) {
    return decodeUtf8(text).has_value();
}

} // namespace host
