#include "host/svg/ImagePixels.h"

#include "platform/ImageSize.h"

#include <cstdint>
#include <fstream>
#include <string>

namespace host::svg {
namespace {

// Image files larger than this are not read for their size (headers sit at the start; a
// JPEG's frame header follows its metadata, which stays well below this).
constexpr std::uintmax_t kMaxImageFile = 64u << 20;

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
    auto size = ws::pngImageSize(bytes);
    if (!size) size = ws::jpegImageSize(bytes);
    if (!size) return std::nullopt;
    return PixelSize{static_cast<double>(size->width), static_cast<double>(size->height)};
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
