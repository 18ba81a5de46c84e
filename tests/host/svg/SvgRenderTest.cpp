// What a renderer draws from a saved file matches what it draws from the original: both
// rendered with rsvg-convert and compared pixel by pixel.
#include "SvgRenderSupport.h"
#include "SvgTestSupport.h"

using namespace host;
using namespace svgtest;

namespace {

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
        a->path()->style.edit().fill = colours[i];
        a->path()->style.edit().strokePaint = false;
        doc->appendChild(*layer.group(), *a);
    }
    Art* hidden = doc->makeArt(ArtType::Path);
    *hidden->path() = layer.group()->firstChild()->path()[0];
    hidden->path()->style.edit().fill = rgbColour(0, 0, 0);
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
