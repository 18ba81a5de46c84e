// A placed image's 100 % size is the pixel size in the image itself (PNG or JPEG, embedded
// or linked); the SVG width and height only say where the image is fitted.
#include "SvgTestSupport.h"

#include "host/geometry/ArtBounds.h"
#include "host/svg/ImagePixels.h"

using namespace host;
using namespace svgtest;

namespace {

std::string bigEndian(std::uint32_t v, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// Only the headers: what the size is read from.
std::string pngHeader(std::uint32_t w, std::uint32_t h) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + bigEndian(13, 4) + "IHDR" + bigEndian(w, 4) +
           bigEndian(h, 4) + std::string("\x08\x02\0\0\0", 5);
}

std::string jpegHeader(std::uint32_t w, std::uint32_t h) {
    // SOI, an APP0 segment to walk over, then the baseline frame header.
    return std::string("\xFF\xD8\xFF\xE0", 4) + bigEndian(16, 2) + std::string("JFIF\0", 5) +
           std::string(9, '\0') + std::string("\xFF\xC0", 2) + bigEndian(17, 2) + "\x08" +
           bigEndian(h, 2) + bigEndian(w, 2) + std::string(10, '\x01');
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[v & 63] : '=';
    }
    return out;
}

TEST(SvgImageSize, TheImageSaysItsPixelSize) {
    TempDir dir;
    std::filesystem::create_directory(dir / "img");
    writeFile(dir / "img/linked.png", pngHeader(50, 40));
    writeFile(dir / "img/photo.jpg", jpegHeader(64, 48));
    const std::string png = "data:image/png;base64," + base64(pngHeader(200, 100));
    const std::string jpeg = "data:image/jpeg;base64," + base64(jpegHeader(300, 150));
    const struct {
        const char* what;
        std::string image; // the <image> element's attributes
        svg::PixelSize pixels;
        HostRealRect bounds; // left, top, right, bottom; y up from a page 1000 high
    } cases[] = {
        {"embedded PNG, twice its size",
         "x='10' y='20' width='400' height='200' href='" + png + "'",
         {200, 100},
         {10, 980, 410, 780}},
        {"embedded JPEG, fitted into a square (meet)",
         "x='0' y='0' width='150' height='150' href='" + jpeg + "'",
         {300, 150},
         {0, 1000 - 37.5, 150, 1000 - 112.5}},
        {"aspect ratio given up",
         "width='100' height='100' preserveAspectRatio='none' href='" + png + "'",
         {200, 100},
         {0, 1000, 100, 900}},
        {"linked PNG beside the file",
         "width='100' height='80' href='img/linked.png'",
         {50, 40},
         {0, 1000, 100, 920}},
        {"linked JPEG as a file: URI, at its own size",
         "width='64' height='48' xlink:href='file:img/photo.jpg'",
         {64, 48},
         {0, 1000, 64, 952}},
        {"missing file: width and height stand in",
         "width='30' height='20' href='img/none.png'",
         {30, 20},
         {0, 1000, 30, 980}},
        {"not an image: width and height stand in",
         "width='30' height='20' href='data:text/plain;base64,aGVsbG8='",
         {30, 20},
         {0, 1000, 30, 980}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir / "map.svg",
                  "<svg xmlns='http://www.w3.org/2000/svg' "
                  "xmlns:xlink='http://www.w3.org/1999/xlink' width='1000' height='1000'>"
                  "<image id='im' " +
                      c.image + "/></svg>");
        SvgLoadResult r = loadSvgFile(dir / "map.svg");
        ASSERT_TRUE(r.document) << r.message;
        const Art* art = findArt(*r.document, "im");
        ASSERT_NE(art, nullptr);
        EXPECT_EQ(art->image()->pixelWidth, c.pixels.width);
        EXPECT_EQ(art->image()->pixelHeight, c.pixels.height);
        const auto bounds = artBounds(*r.document, *art);
        ASSERT_TRUE(bounds);
        EXPECT_NEAR(bounds->left, c.bounds.left, 1e-9);
        EXPECT_NEAR(bounds->top, c.bounds.top, 1e-9);
        EXPECT_NEAR(bounds->right, c.bounds.right, 1e-9);
        EXPECT_NEAR(bounds->bottom, c.bounds.bottom, 1e-9);
        // Saved with its pixel size and the scale in its matrix, it reopens the same.
        const auto back = roundTrip(*r.document);
        ASSERT_TRUE(back);
        const Art* again = findArt(*back, "im");
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(again->image()->pixelWidth, c.pixels.width);
        EXPECT_EQ(again->image()->matrix.a, art->image()->matrix.a);
    }
}

TEST(SvgImageSize, DamagedHeadersGiveNoSize) {
    const std::string png = pngHeader(7, 9);
    const std::string jpeg = jpegHeader(7, 9);
    EXPECT_TRUE(svg::imagePixelSize(png));
    EXPECT_TRUE(svg::imagePixelSize(jpeg));
    for (const std::string& bytes :
         {png.substr(0, 20), pngHeader(0, 9), jpeg.substr(0, 25),
          std::string("\xFF\xD8\xFF\xDA", 4), std::string("\xFF\xD8\xFF\xE0\x00\x00", 6),
          std::string("GIF89a")})
        EXPECT_FALSE(svg::imagePixelSize(bytes)) << bytes.size();
}

} // namespace
