// The resource compiler's pictures decode, with a reader of their own, to the pixels drawn.
#include "Picture.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <vector>

namespace {

using ws::rc::Picture;

// RGBA bytes of a PNG file, read by libpng; empty for data that is no PNG.
std::vector<std::uint8_t> decodeRgba(const std::vector<std::uint8_t>& file, int& width,
                                     int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

std::vector<std::uint8_t> rgbaOf(const Picture& picture) {
    std::vector<std::uint8_t> out;
    for (const ws::rc::Rgba& p : picture.pixels)
        out.insert(out.end(), {p.r, p.g, p.b, p.a});
    return out;
}

Picture drawing() {
    return ws::rc::parsePicture(
        nlohmann::json::parse(R"({"palette": {"r": "#FF0000", "h": "#00FF0080",
                                               "b": "#0000FFFF", ".": "none"},
                                   "rows": ["r.h", ".bh", "hh.", "rrb"]})"),
        "picture");
}

TEST(Pictures, PngKeepsEveryPixelAndItsAlpha) {
    for (const Picture& picture : {drawing(), ws::rc::scalePicture(drawing(), 3)}) {
        int width = 0, height = 0;
        EXPECT_EQ(decodeRgba(ws::rc::encodePng(picture), width, height), rgbaOf(picture));
        EXPECT_EQ(width, picture.width);
        EXPECT_EQ(height, picture.height);
    }
}

TEST(Pictures, AnIconHoldsEachSizeAsAPngOfItsPixels) {
    const std::vector<Picture> sizes = {drawing(), ws::rc::scalePicture(drawing(), 2)};
    const std::vector<std::uint8_t> icon = ws::rc::encodeIcon(sizes);
    ASSERT_GE(icon.size(), 6u + 16u * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::uint8_t* entry = icon.data() + 6 + 16 * i;
        const std::size_t length = entry[8] | entry[9] << 8 | entry[10] << 16;
        const std::size_t offset = entry[12] | entry[13] << 8 | entry[14] << 16;
        ASSERT_LE(offset + length, icon.size());
        const std::vector<std::uint8_t> png(icon.begin() + static_cast<std::ptrdiff_t>(offset),
                                            icon.begin() +
                                                static_cast<std::ptrdiff_t>(offset + length));
        int width = 0, height = 0;
        EXPECT_EQ(decodeRgba(png, width, height), rgbaOf(sizes[i])) << "image " << i;
        EXPECT_EQ(entry[0], sizes[i].width);
    }
}

} // namespace
