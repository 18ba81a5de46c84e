// Small operations on host Unicode strings, through "AI Unicode String Suite". Every
// user-visible text crosses the host boundary in this form; positions and lengths count
// characters the way the host's strings count them.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/UnicodeString.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

/** A new host string holding utf8. */
HostErr NewText(std::string_view utf8, ai::UnicodeString& out) noexcept;
/** A new host string from UTF-16 units; unpaired surrogates become U+FFFD, so any units
 *  read from a file make a string. */
HostErr NewTextFromUTF16(std::span<const uint16_t> units, ai::UnicodeString& out);
/** A new host string from bytes in a host encoding (0 platform, 1 UTF-8, 17 Shift-JIS);
 *  bytes the encoding does not allow become U+FFFD instead of failing. */
HostErr NewTextFromBytes(std::string_view bytes, int32_t encoding, ai::UnicodeString& out);

/** The UTF-8 text of a host string. */
HostErr TextToUTF8(HostUString text, std::string& out);
HostErr TextLength(HostUString text, size_t& length) noexcept;
/** kHostUStringNotFound when what does not occur at or after from. */
HostErr TextFind(HostUString text, HostUString what, size_t from, size_t& position) noexcept;
HostErr TextEquals(HostUString a, HostUString b, bool& equal) noexcept;
HostErr TextCharAt(HostUString text, size_t position, uint32_t& codePoint) noexcept;
HostErr TextErase(HostUString text, size_t position, size_t count) noexcept;
HostErr TextAppend(HostUString text, HostUString tail) noexcept;
/** A new host string with count characters of text from position (fewer at the end). */
HostErr TextSubstring(HostUString text, size_t position, size_t count,
                      ai::UnicodeString& out) noexcept;
/** Replaces out with a copy of text. */
HostErr TextCopy(HostUString text, ai::UnicodeString& out) noexcept;

/** The text cut to at most maxUnits UTF-16 units, never inside a surrogate pair. */
std::string CutToUTF16Units(std::string_view utf8, size_t maxUnits);
/** Well-formed UTF-8 for any bytes: each byte that does not start a well-formed sequence
 *  becomes U+FFFD. */
std::string SanitizeUTF8(std::string_view bytes);
