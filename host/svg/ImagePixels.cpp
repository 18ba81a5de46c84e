#include "host/svg/ImagePixels.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string>

namespace host::svg {
namespace {

// Image files larger than this are not read for their size (headers sit at the start; a
// JPEG's frame header follows its metadata, which stays well below this).
constexpr std::uintmax_t kMaxImageFile = 64u << 20;

std::uint32_t bigEndian(std::string_view b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::optional<PixelSize> pngSize(std::string_view b) {
    static constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
    if (b.size() < 24 || !b.starts_with(kSignature) || b.substr(12, 4) != "IHDR")
        return std::nullopt;
    const std::uint32_t w = bigEndian(b, 16, 4), h = bigEndian(b, 20, 4);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
    return PixelSize{static_cast<double>(w), static_cast<double>(h)};
}

// Walks the markers to the first frame header (SOF0 to SOF15 but DHT, JPG and DAC).
std::optional<PixelSize> jpegSize(std::string_view b) {
    if (b.size() < 4 || static_cast<unsigned char>(b[0]) != 0xFF ||
        static_cast<unsigned char>(b[1]) != 0xD8)
        return std::nullopt;
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
        const auto marker = static_cast<unsigned char>(b[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // markers without a length
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt; // no frame before the scan
        const std::uint32_t length = bigEndian(b, at + 2, 2);
        if (length < 2) return std::nullopt;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > b.size() || length < 7) return std::nullopt;
            const std::uint32_t h = bigEndian(b, at + 5, 2), w = bigEndian(b, at + 7, 2);
            if (w == 0 || h == 0) return std::nullopt;
            return PixelSize{static_cast<double>(w), static_cast<double>(h)};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+' || c == '-') return 62;
    if (c == '/' || c == '_') return 63;
    return -1;
}

// Decodes until the padding or the first character that is no base64 digit; spaces are
// skipped, as they may be in an attribute.
std::string decodeBase64(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        const int v = base64Value(c);
        if (v < 0) break;
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            out += static_cast<char>((bits >> 16) & 0xFF);
            out += static_cast<char>((bits >> 8) & 0xFF);
            out += static_cast<char>(bits & 0xFF);
            bits = 0;
            count = 0;
        }
    }
    if (count == 3) {
        out += static_cast<char>((bits >> 10) & 0xFF);
        out += static_cast<char>((bits >> 2) & 0xFF);
    } else if (count == 2) {
        out += static_cast<char>((bits >> 4) & 0xFF);
    }
    return out;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxImageFile) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

} // namespace

std::optional<PixelSize> imagePixelSize(std::string_view bytes) {
    if (auto png = pngSize(bytes)) return png;
    return jpegSize(bytes);
}

std::optional<PixelSize> hrefPixelSize(std::string_view href,
                                       const std::optional<std::filesystem::path>& folder) {
    if (href.starts_with("data:")) {
        const auto comma = href.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        if (!href.substr(0, comma).ends_with(";base64")) return std::nullopt;
        return imagePixelSize(decodeBase64(href.substr(comma + 1)));
    }
    if (!folder) return std::nullopt;
    if (href.starts_with("file://"))
        href.remove_prefix(7);
    else if (href.starts_with("file:"))
        href.remove_prefix(5);
    else if (href.find("://") != std::string_view::npos)
        return std::nullopt; // remote
    if (href.empty()) return std::nullopt;
    const std::filesystem::path path(href);
    const auto bytes = readFile(path.is_absolute() ? path : *folder / path);
    if (!bytes) return std::nullopt;
    return imagePixelSize(*bytes);
}

} // namespace host::svg
