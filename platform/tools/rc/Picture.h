// Pictures drawn in the resource script as rows of palette letters, encoded as the
// resource type wants them: 'BMP ' a 24-bit BMP file, 'PNGI' a PNG image with alpha,
// 'ICON' an icon file of PNG images (the drawing and, for each extra size, the drawing
// scaled by whole pixels).
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace ws::rc {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels; // rows from the top
};

/** Reads {"palette": {"x": "#RRGGBB" | "#RRGGBBAA" | "none"}, "rows": ["x..", ...]};
 *  throws ScriptError naming where for any fault. */
Picture parsePicture(const nlohmann::json& picture, const std::string& where);
/** Each pixel becomes a factor x factor square. */
Picture scalePicture(const Picture& picture, int factor);

std::vector<std::uint8_t> encodePng(const Picture& picture);
/** Transparent pixels become white: a 24-bit bitmap has no alpha. */
std::vector<std::uint8_t> encodeBmp(const Picture& picture);
std::vector<std::uint8_t> encodeIcon(const std::vector<Picture>& images);
/** An icon file of 32-bit device-independent bitmaps with their masks, the form every
 *  version of the system's icon loader reads. */
std::vector<std::uint8_t> encodeDibIcon(const std::vector<Picture>& images);

} // namespace ws::rc
