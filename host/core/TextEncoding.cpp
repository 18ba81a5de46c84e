#include "host/core/TextEncoding.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace host {
namespace {

bool isScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
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

std::optional<std::u32string> decodeUtf8(std::string_view utf8) {
    std::u32string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        char32_t value = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1, value = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, value = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, value = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, value = lead & 0x07, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + length > utf8.size()) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            value = (value << 6) | (next & 0x3F);
        }
        if (value < minimum || !isScalar(value)) return std::nullopt;
        out.push_back(value);
        i += length;
    }
    return out;
}

std::optional<std::string> encodeUtf8(std::u32string_view codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t c : codePoints) {
        if (!isScalar(c)) return std::nullopt;
        appendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
    const auto codePoints = decodeUtf8(utf8);
    if (!codePoints) return std::nullopt;
    std::u16string out;
    out.reserve(codePoints->size());
    for (const char32_t c : *codePoints) {
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::optional<std::string> shiftJisToUtf8(std::string_view bytes) {
    return convert("UTF-8", "CP932", bytes);
}

std::optional<std::string> utf8ToShiftJis(std::string_view utf8) {
    if (!decodeUtf8(utf8)) return std::nullopt;
    return convert("CP932", "UTF-8", utf8);
}

} // namespace host
