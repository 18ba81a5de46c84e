// Files from anywhere come back whole: what the model does not represent is written back
// where it was, references keep fitting their definitions when art moves, and bad data is
// drawn as browsers draw it. The corpus in data/keep has one small file per feature.
#include "SvgRenderSupport.h"
#include "SvgTestSupport.h"

#include "TransformAll.h"
#include "support/TextMatches.h"

#include <regex>
#include <set>

using namespace host;
using namespace svgtest;

namespace {

std::vector<std::filesystem::path> corpus() {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dataPath("keep")))
        if (e.path().extension() == ".svg") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

double drawnDifference(const std::filesystem::path& a, const std::filesystem::path& b,
                       const TempDir& dir) {
    Image ia, ib;
    if (!render(a, dir / "a.png") || !render(b, dir / "b.png") || !readPng(dir / "a.png", ia) ||
        !readPng(dir / "b.png", ib))
        return 1.0;
    return differingShare(ia, ib);
}

std::unique_ptr<Document> loadFile(const std::filesystem::path& p) {
    SvgLoadResult r = loadSvgFile(p);
    EXPECT_TRUE(r.document) << r.message;
    return std::move(r.document);
}

std::string save(const Document& doc) {
    std::string text, message;
    EXPECT_EQ(writeSvgText(doc, text, message), kHostNoErr) << message;
    return text;
}

// The art of the file's first drawn element (the bottom layer's last art).
Art* firstDrawn(const Document& doc) {
    Layer* bottom = doc.firstLayer();
    while (doc.nextLayer(*bottom))
        bottom = doc.nextLayer(*bottom);
    return bottom->group()->lastChild();
}

TEST(SvgKeep, EveryCorpusFileDrawsTheSameAfterARunThatChangesNothing) {
    if (!haveRenderer()) GTEST_SKIP() << "rsvg-convert is not installed";
    TempDir dir;
    for (const auto& file : corpus()) {
        SCOPED_TRACE(file.filename().string());
        auto doc = loadFile(file);
        ASSERT_TRUE(doc);
        writeFile(dir / "saved.svg", save(*doc));
        EXPECT_LT(drawnDifference(file, dir / "saved.svg", dir), 0.001);
    }
}

// The input with its content wrapped in a group that applies the same scaling.
std::string scaledOriginal(std::string svg, double s, double cx, double cy) {
    const std::size_t open = svg.find('>', svg.find("<svg"));
    const std::size_t close = svg.rfind("</svg>");
    const std::string t = "translate(" + std::to_string(cx) + " " + std::to_string(cy) +
                          ") scale(" + std::to_string(s) + ") translate(" + std::to_string(-cx) +
                          " " + std::to_string(-cy) + ")";
    svg.insert(close, "</g>");
    svg.insert(open + 1, "<g transform=\"" + t + "\">");
    return svg;
}

TEST(SvgKeep, ScaledCorpusDrawsLikeTheInputScaledByTheSameMatrix) {
    if (!haveRenderer()) GTEST_SKIP() << "rsvg-convert is not installed";
    TempDir dir;
    const double s = 0.6;
    for (bool memberwise : {true, false}) {
        for (const auto& file : corpus()) {
            SCOPED_TRACE(file.filename().string() + (memberwise ? " member by member" : ""));
            auto doc = loadFile(file);
            ASSERT_TRUE(doc);
            const Page& p = doc->page;
            const double cx = p.x + p.width / 2, cy = p.y + p.height / 2;
            ASSERT_EQ(
                benchmap::transformAll(*doc, benchmap::scaleAboutPageCentre(p, s), s, memberwise),
                kHostNoErr);
            writeFile(dir / "scaled.svg", save(*doc));
            writeFile(dir / "expected.svg", scaledOriginal(readFile(file), s, cx, cy));
            EXPECT_LT(drawnDifference(dir / "expected.svg", dir / "scaled.svg", dir), 0.002);
        }
    }
}

TEST(SvgKeep, UnknownAttributesChildElementsAndDocumentContentAreWrittenBack) {
    auto doc = loadFile(dataPath("keep/metadata-title-desc.svg"));
    ASSERT_TRUE(doc);
    const std::string out = save(*doc);
    for (const char* kept :
         {"<title>Fields</title>", "<desc>Two fields of a survey map</desc>",
          "<metadata><dc:creator>Survey office</dc:creator></metadata>",
          "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"", "data-source=\"survey\"",
          "aria-label=\"Two fields\"", "data-layer=\"landuse\"", "class=\"landuse\"",
          "<title>Land use</title>", "aria-label=\"North field\"",
          "<title>North field</title><desc>Wheat</desc>", "data-owner=\"south\""})
        EXPECT_NE(out.find(kept), std::string::npos) << kept << "\n" << out;
    // Kept content sits on the element it came with.
    EXPECT_TRUE(
        std::regex_search(out, std::regex(R"(<path id="field-1"[^>]*data-owner="north"[^>]*>)")))
        << out;
    // A second run keeps it once, not twice.
    auto again = load(out);
    ASSERT_TRUE(again);
    const std::string twice = save(*again);
    EXPECT_EQ(twice.find("<title>Fields</title>", twice.find("<title>Fields</title>") + 1),
              std::string::npos);
}

TEST(SvgKeep, IdsStayOnTheirElementsAndCopiesGetFreshOnes) {
    auto doc = loadFile(dataPath("keep/use-copies.svg"));
    ASSERT_TRUE(doc);
    const std::string out = save(*doc);
    const std::vector<std::string> ids =
        cartotest::allMatches(out, std::regex(R"re(\sid="([^"]*)")re"));
    const std::set<std::string> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size()) << out; // no id twice
    for (const char* original : {"tree", "crown", "trunk"})
        EXPECT_TRUE(unique.count(original)) << original;
    EXPECT_EQ(out.find("cv:name"), std::string::npos) << out;
    // The uses of tree, a layer here, are written as copies; the one of crown stays a use.
    EXPECT_GE(ids.size(), 3u + 2 * 3);
    EXPECT_NE(out.find("xlink:href=\"#crown\""), std::string::npos) << out;
}

TEST(SvgKeep, AReplacedFillDropsItsReferenceAndNothingDangles) {
    auto doc = loadFile(dataPath("keep/gradients.svg"));
    ASSERT_TRUE(doc);
    Art* rect = firstDrawn(*doc); // the rotated rect
    ASSERT_TRUE(rect && rect->path());
    PathStyle st = rect->path()->style;
    EXPECT_TRUE(st.fillPaint); // the module reads the gradient's first stop
    st.fill = rgbColour(1, 0, 0);
    ASSERT_EQ(doc->setPathStyle(*rect, st), kHostNoErr);
    const std::string out = save(*doc);
    EXPECT_NE(out.find("fill=\"#ff0000\""), std::string::npos) << out;
    EXPECT_EQ(out.find("fill=\"url(#sky)\""), std::string::npos) << out;
    const std::set<std::string> ids = cartotest::matchSet(out, std::regex(R"re(\sid="([^"]*)")re"));
    for (const std::string& ref : cartotest::matchSet(out, std::regex(R"(url\(#([^)]*)\))")))
        EXPECT_TRUE(ids.count(ref)) << ref;
    for (const std::string& ref : cartotest::matchSet(out, std::regex(R"re(href="#([^"]*)")re")))
        EXPECT_TRUE(ids.count(ref)) << ref;
}

TEST(SvgKeep, StyleSheetsStayAndTheModelStillWinsWhereACommandChangedIt) {
    if (!haveRenderer()) GTEST_SKIP() << "rsvg-convert is not installed";
    auto doc = loadFile(dataPath("keep/style-sheet.svg"));
    ASSERT_TRUE(doc);
    // The sheet's colours are what the module sees.
    Art* water = firstDrawn(*doc);
    ASSERT_TRUE(water && water->path());
    EXPECT_TRUE(sameColour(water->path()->style->fill, rgbColour(0x33 / 255.0, 0x99 / 255.0, 1)));
    PathStyle st = water->path()->style;
    st.fill = rgbColour(0, 0, 0); // black: the colour a writer would leave unsaid
    ASSERT_EQ(doc->setPathStyle(*water, st), kHostNoErr);
    const std::string out = save(*doc);
    EXPECT_NE(out.find(".water { fill: #39f"), std::string::npos);
    EXPECT_NE(out.find("class=\"water\""), std::string::npos);
    TempDir dir;
    writeFile(dir / "s.svg", out);
    ASSERT_TRUE(render(dir / "s.svg", dir / "s.png"));
    Image img;
    ASSERT_TRUE(readPng(dir / "s.png", img));
    const unsigned char* px = &img.rgba[(25 * img.width + 30) * 4];
    EXPECT_LT(px[0] + px[1] + px[2], 3 * 60); // black, not the sheet's blue
}

TEST(SvgKeep, BadDataIsDrawnAsBrowsersDrawItWithWarningsNamingWhere) {
    SvgLoadResult r = loadSvgFile(dataPath("keep/bad-data.svg"));
    ASSERT_TRUE(r.document) << r.message;
    const std::string all = [&] {
        std::string s;
        for (const auto& w : r.warnings)
            s += w + "\n";
        return s;
    }();
    // file:line:column of the bad character, the element and what was wrong.
    EXPECT_NE(all.find("bad-data.svg:2:62: <path> d: bad path data"), std::string::npos) << all;
    EXPECT_NE(all.find("<rect> width: bad length"), std::string::npos) << all;
    EXPECT_NE(all.find("<circle> transform: bad transform"), std::string::npos) << all;
    // The path keeps its first subpath and the part of the second before the error.
    Art* path = firstDrawn(*r.document);
    ASSERT_TRUE(path);
    ASSERT_EQ(path->type(), ArtType::CompoundPath);
    std::size_t anchors = 0;
    for (Art* c = path->firstChild(); c; c = c->nextSibling())
        anchors += c->path()->segments.size();
    EXPECT_EQ(anchors, 4u + 2u);
    // Only XML that is not well-formed, or declares entities, is refused.
    for (const char* refused :
         {"<svg xmlns=\"http://www.w3.org/2000/svg\"><g></svg>",
          "<!DOCTYPE svg [<!ENTITY a \"b\">]><svg xmlns=\"http://www.w3.org/2000/svg\"/>"})
        EXPECT_FALSE(loadSvgText("x.svg", refused).document) << refused;
}

} // namespace
