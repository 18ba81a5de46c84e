// Character counting on UTF-8 text: limits count characters, and a cut never splits one.
#pragma once

#include <cstddef>
#include <string_view>

namespace ws::utf8 {

inline bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

/** Bytes of the longest prefix with at most maxChars whole characters and maxBytes bytes. */
inline std::size_t prefixBytes(std::string_view s, std::size_t maxChars, std::size_t maxBytes) {
    std::size_t chars = 0;
    std::size_t end = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && isContinuation(s[i])) continue;
        if (i > maxBytes) break;
        end = i; // a character boundary that fits
        if (i == s.size() || chars == maxChars) break;
        ++chars;
    }
    return end;
}

inline std::size_t countChars(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        n += !isContinuation(c);
    return n;
}

} // namespace ws::utf8
