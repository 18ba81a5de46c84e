// The pixel size of a placed or embedded image, read from the image itself (PNG or JPEG
// header), so that an image's 100 % size does not depend on the width and height an SVG
// file happens to give it.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace host::svg {

struct PixelSize {
    double width;
    double height;
};

/// The size in a PNG's or JPEG's header; nullopt for other data or a damaged header.
std::optional<PixelSize> imagePixelSize(std::string_view bytes);

/// The size of the image an href names: a base64 data: URI, or a file (a plain or file:
/// path, relative to folder). Nullopt when there is no folder for a file, the file cannot
/// be read, or the image is of another kind.
std::optional<PixelSize> hrefPixelSize(std::string_view href,
                                       const std::optional<std::filesystem::path>& folder);

} // namespace host::svg
