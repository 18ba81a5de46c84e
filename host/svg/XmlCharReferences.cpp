#include "host/svg/XmlCharReferences.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace host::svg {
namespace {

bool isXmlChar(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

int digitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!hex) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/// Where the construct opened at pos ends, for the ones that hold no references.
std::size_t skipOpaque(std::string_view xml, std::size_t pos) {
    constexpr std::pair<std::string_view, std::string_view> kOpaque[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    for (const auto& [open, close] : kOpaque) {
        if (xml.substr(pos, open.size()) != open) continue;
        const std::size_t end = xml.find(close, pos + open.size());
        return end == std::string_view::npos ? xml.size() : end + close.size();
    }
    return pos;
}

// Whether the reference opened by the '&' at pos names no character XML allows. One
// without digits or ';' is malformed; the parser reports those.
std::optional<std::size_t> badReferenceEnd(std::string_view xml, std::size_t pos) {
    ++pos;
    if (pos >= xml.size() || xml[pos] != '#') return std::nullopt;
    ++pos;
    const bool hex = pos < xml.size() && xml[pos] == 'x';
    if (hex) ++pos;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (int d = 0; pos < xml.size() && (d = digitValue(xml[pos], hex)) >= 0; ++pos, ++digits)
        value =
            std::min<std::uint64_t>(value * (hex ? 16 : 10) + static_cast<unsigned>(d), 0x110000);
    if (digits == 0 || pos >= xml.size() || xml[pos] != ';') return std::nullopt;
    if (isXmlChar(static_cast<std::uint32_t>(value))) return std::nullopt;
    return pos + 1;
}

// The first bad reference outside comments, CDATA sections and processing instructions.
std::optional<BadCharReference> firstBadOutsideOpaque(std::string_view xml) {
    std::size_t pos = 0;
    while ((pos = xml.find_first_of("<&", pos)) != std::string_view::npos) {
        if (xml[pos] == '<') {
            const std::size_t after = skipOpaque(xml, pos);
            pos = after == pos ? pos + 1 : after;
            continue;
        }
        if (const auto end = badReferenceEnd(xml, pos))
            return BadCharReference{pos, xml.substr(pos, *end - pos)};
        ++pos;
    }
    return std::nullopt;
}

} // namespace

std::optional<BadCharReference> findBadCharReference(std::string_view xml) {
    // Nearly every file has none: a quick look at the ampersands alone says so, and only a
    // file with a suspect reference is walked construct by construct (a comment may hold it).
    const char* const begin = xml.data();
    const char* const end = begin + xml.size();
    for (const char* p = begin;
         (p = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(end - p))));
         ++p) {
        if (badReferenceEnd(xml, static_cast<std::size_t>(p - begin)))
            return firstBadOutsideOpaque(xml);
    }
    return std::nullopt;
}

} // namespace host::svg
