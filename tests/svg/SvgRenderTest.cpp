// What a renderer draws from a saved file matches what it draws from the original: both
// rendered with rsvg-convert and compared pixel by pixel.
#include "SvgTestSupport.h"

#include <png.h>

#include <cstdlib>
#include <vector>

using namespace host;
using namespace svgtest;

namespace {

struct Image {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

bool readPng(const std::filesystem::path& p, Image& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, p.c_str())) return false;
    image.format = PNG_FORMAT_RGBA;
    out.width = image.width;
    out.height = image.height;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

bool render(const std::filesystem::path& svg, const std::filesystem::path& png) {
    const std::string cmd =
        "rsvg-convert -b white -o '" + png.string() + "' '" + svg.string() + "' 2>/dev/null";
    return std::system(cmd.c_str()) == 0;
}

bool haveRenderer() {
    return std::system("rsvg-convert --version >/dev/null 2>&1") == 0;
}

// The share of pixels whose colour differs by more than a little in some channel
// (anti-aliasing may shift by a shade where coordinates differ in the last digits).
double differingShare(const Image& a, const Image& b) {
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.rgba.size(); i += 4) {
        for (int c = 0; c < 4; ++c) {
            if (std::abs(a.rgba[i + c] - b.rgba[i + c]) > 24) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / (a.width * a.height);
}

TEST(SvgRender, SavedFilesDrawLikeTheirOriginals) {
    if (!haveRenderer()) GTEST_SKIP() << "rsvg-convert is not installed";
    TempDir dir;
    for (const char* name : {"maps/us-states.svg", "editor-layers.svg", "drawing-program.svg"}) {
        SCOPED_TRACE(name);
        SvgLoadResult r = loadSvgFile(dataPath(name));
        ASSERT_TRUE(r.document) << r.message;
        const auto saved = dir / "saved.svg";
        std::string message;
        ASSERT_EQ(saveSvgFile(*r.document, saved, message), kHostNoErr) << message;
        Image before, after;
        ASSERT_TRUE(render(dataPath(name), dir / "before.png"));
        ASSERT_TRUE(render(saved, dir / "after.png"));
        ASSERT_TRUE(readPng(dir / "before.png", before));
        ASSERT_TRUE(readPng(dir / "after.png", after));
        ASSERT_EQ(before.width, after.width);
        ASSERT_EQ(before.height, after.height);
        EXPECT_LT(differingShare(before, after), 0.001);
    }
}

TEST(SvgRender, AModelWithEveryPaintKindDrawsItsColours) {
    if (!haveRenderer()) GTEST_SKIP() << "rsvg-convert is not installed";
    // CMYK and grey colours must draw as their RGB equivalents; hidden art not at all.
    auto doc = Document::createDefault();
    doc->page = {0, 0, 30, 10, true, "30px", "10px"};
    Layer& layer = *doc->currentLayer();
    const HostColor colours[] = {cmykColour(1, 0, 0, 0), greyColour(0.5), rgbColour(1, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        Art* a = doc->makeArt(ArtType::Path);
        for (HostRealPoint p :
             {HostRealPoint{i * 10.0, 0}, {i * 10.0 + 10, 0}, {i * 10.0 + 10, 10}, {i * 10.0, 10}})
            a->path()->segments.push_back({p, p, p, 1});
        a->path()->closed = true;
        a->path()->style.fill = colours[i];
        a->path()->style.strokePaint = false;
        doc->appendChild(*layer.group(), *a);
    }
    Art* hidden = doc->makeArt(ArtType::Path);
    *hidden->path() = layer.group()->firstChild()->path()[0];
    hidden->path()->style.fill = rgbColour(0, 0, 0);
    doc->prependChild(*layer.group(), *hidden);
    ASSERT_EQ(doc->setUserAttributes(*hidden, kAttrHidden, kAttrHidden), kHostNoErr);
    TempDir dir;
    std::string message;
    ASSERT_EQ(saveSvgFile(*doc, dir / "c.svg", message), kHostNoErr) << message;
    ASSERT_TRUE(render(dir / "c.svg", dir / "c.png"));
    Image img;
    ASSERT_TRUE(readPng(dir / "c.png", img));
    ASSERT_EQ(img.width, 30u);
    auto pixel = [&](unsigned x) { return &img.rgba[(5 * img.width + x) * 4]; };
    EXPECT_EQ(pixel(5)[0], 0); // cyan
    EXPECT_EQ(pixel(5)[1], 255);
    EXPECT_EQ(pixel(5)[2], 255);
    EXPECT_NEAR(pixel(15)[0], 128, 1); // 50 % grey
    EXPECT_EQ(pixel(25)[0], 255);      // red
    EXPECT_EQ(pixel(25)[1], 0);
}

} // namespace
