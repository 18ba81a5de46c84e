// The pixel size an image file's header gives (PNG or JPEG), for whoever must know how
// large a picture is without decoding it: the window system's icons and bitmaps, the
// host's placed images.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ws {

struct ImageSize {
    std::uint32_t width;
    std::uint32_t height;
};

/// The size in a PNG's header chunk; nullopt for other data, a damaged header or a size of
/// zero or above 2^31 - 1.
std::optional<ImageSize> pngImageSize(std::string_view bytes);
/// The size in a JPEG's first frame header; nullopt for other data or a damaged header.
std::optional<ImageSize> jpegImageSize(std::string_view bytes);

} // namespace ws
