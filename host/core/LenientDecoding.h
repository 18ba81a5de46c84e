// Decoding text of unknown quality, such as files written by other programs: what the
// encoding does not allow becomes U+FFFD instead of failing the whole text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

/// UTF-8 of bytes in Shift-JIS (code page 932): a byte that starts no valid character,
/// or a two-byte character the code page does not assign, gives one U+FFFD.
std::optional<std::string> shiftJisToUtf8Replacing(std::string_view bytes);
/// Well-formed UTF-8: each byte that does not start a well-formed sequence gives U+FFFD.
std::string utf8Replacing(std::string_view bytes);

} // namespace host
