// Conversions between UTF-8 (the host's own form of text), code points, UTF-16 and
// Shift-JIS (code page 932, the platform encoding of the module's text files). The host's
// one UTF-8 codec: everything in the host that reads UTF-8 goes through here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace host {

/// The code point of the well-formed sequence at text[at], and at moved past it; nullopt,
/// with at unchanged, when no well-formed sequence starts there.
std::optional<char32_t> decodeUtf8At(std::string_view text, std::size_t& at);
/// The offset of the first byte at or after from that starts no well-formed sequence;
/// text.size() when the rest is well-formed.
std::size_t findInvalidUtf8(std::string_view text, std::size_t from = 0);

/// Code points of well-formed UTF-8; nullopt for anything else.
std::optional<std::u32string> decodeUtf8(std::string_view utf8);
/// UTF-8 of code points; nullopt for a surrogate or a value above U+10FFFF.
std::optional<std::string> encodeUtf8(std::u32string_view codePoints);

/// nullopt for an unpaired surrogate.
std::optional<std::string> utf16ToUtf8(std::u16string_view units);
/// UTF-16 of well-formed UTF-8; nullopt otherwise.
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

/// Shift-JIS (code page 932) to UTF-8; nullopt for bytes that are not valid Shift-JIS.
std::optional<std::string> shiftJisToUtf8(std::string_view bytes);
/// UTF-8 to Shift-JIS; nullopt for a character Shift-JIS cannot hold or invalid UTF-8.
std::optional<std::string> utf8ToShiftJis(std::string_view utf8);

} // namespace host
