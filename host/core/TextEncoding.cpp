#include "host/core/TextEncoding.h"

#include <utf8.h>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <iterator>
#include <memory>

namespace host {
namespace {

bool isScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

struct IconvCloser {
    void operator()(iconv_t* cd) const {
        iconv_close(*cd);
        delete cd;
    }
};

// Converts all of input or fails: iconv stops at the first byte it cannot convert, which is
// the behaviour the callers need (no silent replacement characters).
std::optional<std::string> convert(const char* to, const char* from, std::string_view input) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<iconv_t, IconvCloser> cd(new iconv_t(handle));
    std::string out;
    std::string in(input);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(*cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(*cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return out;
}

} // namespace

std::optional<char32_t> decodeUtf8At(std::string_view text, std::size_t& at) {
    // A sequence is at most four bytes long, so the first one is whole within them.
    const char* first = text.data() + at;
    const char* window = first + std::min<std::size_t>(4, text.size() - at);
    if (first == window || utf8::find_invalid(first, window) == first) return std::nullopt;
    const auto c = static_cast<char32_t>(utf8::unchecked::next(first));
    at = static_cast<std::size_t>(first - text.data());
    return c;
}

std::size_t findInvalidUtf8(std::string_view text, std::size_t from) {
    return static_cast<std::size_t>(
        utf8::find_invalid(text.begin() + static_cast<std::ptrdiff_t>(from), text.end()) -
        text.begin());
}

std::optional<std::u32string> decodeUtf8(std::string_view text) {
    if (!utf8::is_valid(text.begin(), text.end())) return std::nullopt;
    std::u32string out;
    out.reserve(text.size());
    utf8::unchecked::utf8to32(text.begin(), text.end(), std::back_inserter(out));
    return out;
}

std::optional<std::string> encodeUtf8(std::u32string_view codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t c : codePoints) {
        if (!isScalar(c)) return std::nullopt;
        utf8::unchecked::append(c, std::back_inserter(out));
    }
    return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view units) {
    std::string out;
    try {
        utf8::utf16to8(units.begin(), units.end(), std::back_inserter(out));
    } catch (const utf8::invalid_utf16&) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::u16string> utf8ToUtf16(std::string_view text) {
    if (!utf8::is_valid(text.begin(), text.end())) return std::nullopt;
    std::u16string out;
    out.reserve(text.size());
    utf8::unchecked::utf8to16(text.begin(), text.end(), std::back_inserter(out));
    return out;
}

std::optional<std::string> shiftJisToUtf8(std::string_view bytes) {
    return convert("UTF-8", "CP932", bytes);
}

std::optional<std::string> utf8ToShiftJis(std::string_view text) {
    if (!utf8::is_valid(text.begin(), text.end())) return std::nullopt;
    return convert("CP932", "UTF-8", text);
}

} // namespace host
