#include "Picture.h"

#include "LittleEndian.h"
#include "ResourceScript.h"

#include <png.h>

#include <map>

namespace ws::rc {
namespace {

using nlohmann::json;

Rgba parseColour(const json& value, const std::string& where) {
    if (!value.is_string()) throw ScriptError(where + " must be a colour text");
    const std::string text = value.get<std::string>();
    if (text == "none") return {};
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#' ||
        text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        throw ScriptError(where + " must be #RRGGBB, #RRGGBBAA or none");
    auto channel = [&](std::size_t at) {
        return static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16));
    };
    return {channel(1), channel(3), channel(5), text.size() == 9 ? channel(7) : std::uint8_t{255}};
}

} // namespace

Picture parsePicture(const json& picture, const std::string& where) {
    if (!picture.is_object() || !picture.contains("palette") || !picture["palette"].is_object() ||
        !picture.contains("rows") || !picture["rows"].is_array())
        throw ScriptError(where + ": a picture needs a \"palette\" object and a \"rows\" array");
    std::map<char, Rgba> palette;
    for (const auto& [key, value] : picture["palette"].items()) {
        if (key.size() != 1) throw ScriptError(where + ": palette keys are single letters");
        palette[key[0]] = parseColour(value, where + ": palette \"" + key + "\"");
    }
    Picture out;
    const json& rows = picture["rows"];
    out.height = static_cast<int>(rows.size());
    if (out.height == 0 || out.height > 256) throw ScriptError(where + ": 1 to 256 rows");
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (!rows[y].is_string()) throw ScriptError(where + ": rows are texts");
        const std::string row = rows[y].get<std::string>();
        if (y == 0) out.width = static_cast<int>(row.size());
        if (static_cast<int>(row.size()) != out.width || out.width == 0 || out.width > 256)
            throw ScriptError(where + ": row " + std::to_string(y + 1) +
                              " must have the first row's width (1 to 256)");
        for (char c : row) {
            auto it = palette.find(c);
            if (it == palette.end())
                throw ScriptError(where + ": row " + std::to_string(y + 1) + " uses \"" +
                                  std::string(1, c) + "\", which is not in the palette");
            out.pixels.push_back(it->second);
        }
    }
    return out;
}

Picture scalePicture(const Picture& picture, int factor) {
    Picture out;
    out.width = picture.width * factor;
    out.height = picture.height * factor;
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels[static_cast<std::size_t>(y * out.width + x)] =
                picture.pixels[static_cast<std::size_t>((y / factor) * picture.width + x / factor)];
    return out;
}

std::vector<std::uint8_t> encodePng(const Picture& picture) {
    static_assert(sizeof(Rgba) == 4, "pixels are handed to libpng as RGBA bytes");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGBA;
    const void* pixels = picture.pixels.data();
    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr)) {
        std::vector<std::uint8_t> out(size);
        if (png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr)) {
            out.resize(size);
            return out;
        }
    }
    throw ScriptError(std::string("cannot encode a picture as PNG: ") + image.message);
}

std::vector<std::uint8_t> encodeBmp(const Picture& picture) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(picture.height);
    std::vector<std::uint8_t> out = {'B', 'M'};
    le::append32(out, 54 + dataSize);
    le::append32(out, 0);
    le::append32(out, 54);
    le::append32(out, 40);
    le::append32(out, static_cast<std::uint32_t>(picture.width));
    le::append32(out, static_cast<std::uint32_t>(picture.height)); // bottom-up
    le::append16(out, 1);
    le::append16(out, 24);
    le::append32(out, 0);
    le::append32(out, dataSize);
    le::append32(out, 2835);
    le::append32(out, 2835);
    le::append32(out, 0);
    le::append32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
            // Blend onto white, the tree's background.
            auto mix = [&](std::uint8_t c) {
                return static_cast<std::uint8_t>((c * p.a + 255 * (255 - p.a)) / 255);
            };
            out.insert(out.end(), {mix(p.b), mix(p.g), mix(p.r)});
            written += 3;
        }
        for (; written < stride; ++written)
            out.push_back(0);
    }
    return out;
}
namespace {

// An .ico file: its directory (one 16-byte entry per image, colourCount in each) and the
// images' bodies after it.
std::vector<std::uint8_t> iconFile(const std::vector<Picture>& images,
                                   const std::vector<std::vector<std::uint8_t>>& bodies,
                                   std::uint8_t colourCount) {
    std::vector<std::uint8_t> out = {0, 0, 1, 0};
    le::append16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(colourCount);
        out.push_back(0);
        le::append16(out, 1);
        le::append16(out, 32);
        le::append32(out, static_cast<std::uint32_t>(bodies[i].size()));
        le::append32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeIcon(const std::vector<Picture>& images) {
    std::vector<std::vector<std::uint8_t>> pngs;
    for (const Picture& p : images)
        pngs.push_back(encodePng(p));
    return iconFile(images, pngs, 16);
}

std::vector<std::uint8_t> encodeDibIcon(const std::vector<Picture>& images) {
    std::vector<std::vector<std::uint8_t>> dibs;
    for (const Picture& p : images) {
        std::vector<std::uint8_t> dib;
        const auto w = static_cast<std::uint32_t>(p.width);
        const auto h = static_cast<std::uint32_t>(p.height);
        const std::uint32_t maskStride = ((w + 31) / 32) * 4;
        le::append32(dib, 40);
        le::append32(dib, w);
        le::append32(dib, h * 2); // the colours, then the mask
        le::append16(dib, 1);
        le::append16(dib, 32);
        le::append32(dib, 0);
        le::append32(dib, (w * 4 + maskStride) * h);
        for (int i = 0; i < 4; ++i)
            le::append32(dib, 0);
        for (int y = p.height - 1; y >= 0; --y)
            for (int x = 0; x < p.width; ++x) {
                const Rgba& c = p.pixels[static_cast<std::size_t>(y * p.width + x)];
                dib.insert(dib.end(), {c.b, c.g, c.r, c.a});
            }
        for (int y = p.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(maskStride, 0);
            for (int x = 0; x < p.width; ++x)
                if (p.pixels[static_cast<std::size_t>(y * p.width + x)].a == 0)
                    row[static_cast<std::size_t>(x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
            dib.insert(dib.end(), row.begin(), row.end());
        }
        dibs.push_back(std::move(dib));
    }
    return iconFile(images, dibs, 0);
}

} // namespace ws::rc
