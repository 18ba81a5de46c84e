#include "host/svg/XmlBytes.h"

#include "host/core/TextEncoding.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace host::svg {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

bool isAllowedControl(unsigned char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

BadBytes control(std::size_t offset, unsigned char c) {
    if (c == 0) return {offset, "a NUL character (U+0000), which XML does not allow"};
    char code[8];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return {offset, std::string("the control character ") + code +
                        ", which XML does not allow (only tab, line feed and carriage return)"};
}

// The offset of the first U+FFFE or U+FFFF in well-formed UTF-8, where they are EF BF BE
// and EF BF BF (EF only ever starts a sequence).
std::optional<std::size_t> findNonCharacter(std::string_view utf8) {
    for (std::size_t at = utf8.find("\xEF\xBF"); at != std::string_view::npos;
         at = utf8.find("\xEF\xBF", at + 1))
        if (at + 2 < utf8.size() && (utf8[at + 2] == '\xBE' || utf8[at + 2] == '\xBF')) return at;
    return std::nullopt;
}

} // namespace

std::optional<BadBytes> findBadBytes(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        // Runs of ASCII eight bytes at a time; a word that may hold a byte below 0x20 is
        // looked at byte by byte, as most such bytes are line ends.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            if (word & kHighBits) break;
            if (((word - 0x20 * kOnes) & ~word & kHighBits) != 0) {
                for (std::size_t k = i; k < i + 8; ++k) {
                    const auto c = static_cast<unsigned char>(s[k]);
                    if (c < 0x20 && !isAllowedControl(c)) return control(k, c);
                }
            }
            i += 8;
        }
        if (i >= n) break;
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 && !isAllowedControl(c)) return control(i, c);
            ++i;
            continue;
        }
        // A run of bytes above 0x7F holds whole multi-byte sequences only (none has an ASCII
        // byte), so the codec checks the run in one go.
        std::size_t end = i;
        while (end < n && static_cast<unsigned char>(s[end]) >= 0x80)
            ++end;
        const std::size_t bad = findInvalidUtf8(s.substr(0, end), i);
        if (const auto at = findNonCharacter(s.substr(i, bad - i))) {
            const bool fffe = s[i + *at + 2] == '\xBE';
            return BadBytes{i + *at, fffe ? "the non-character U+FFFE, which XML does not allow"
                                          : "the non-character U+FFFF, which XML does not allow"};
        }
        if (bad < end) return BadBytes{bad, "the file is not valid UTF-8"};
        i = end;
    }
    return std::nullopt;
}

} // namespace host::svg
