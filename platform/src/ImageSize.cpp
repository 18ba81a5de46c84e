#include "platform/ImageSize.h"

namespace ws {
namespace {

std::uint32_t bigEndian(std::string_view b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

std::optional<ImageSize> pngImageSize(std::string_view b) {
    static constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
    if (b.size() < 24 || !b.starts_with(kSignature) || b.substr(12, 4) != "IHDR")
        return std::nullopt;
    const std::uint32_t w = bigEndian(b, 16, 4), h = bigEndian(b, 20, 4);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
    return ImageSize{w, h};
}

// Walks the markers to the first frame header (SOF0 to SOF15 but DHT, JPG and DAC).
std::optional<ImageSize> jpegImageSize(std::string_view b) {
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
            return ImageSize{w, h};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace ws
