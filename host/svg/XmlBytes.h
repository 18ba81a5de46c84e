// The bytes of an XML document: well-formed UTF-8 holding only characters XML allows.
// Control characters other than tab, line feed and carriage return (a NUL above all) and
// the non-characters U+FFFE and U+FFFF are not XML anywhere in a file, comments included;
// the parser would stop at a NUL with a message about something else, and pass the others
// on into names and text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace host::svg {

struct BadBytes {
    std::size_t offset; // of the first byte of the fault
    std::string what;   // says what was found
};

/// The first fault in one pass over the bytes; nothing for a sound file.
std::optional<BadBytes> findBadBytes(std::string_view xml);

} // namespace host::svg
