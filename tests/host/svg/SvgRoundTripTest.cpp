// Saving and reopening keeps the whole model: a document with everything in it, and the
// real maps.
#include "SvgTestSupport.h"

#include "host/document/Compare.h"
#include "host/geometry/ArtBounds.h"

using namespace host;
using namespace svgtest;

namespace {

TEST(SvgRoundTrip, EverythingTheModelHoldsComesBack) {
    const auto doc = everythingDocument();
    std::string text;
    const auto back = roundTrip(*doc, &text);
    ASSERT_TRUE(back);
    // Numbers are written with ten significant digits, and SVG's y runs the other way (y =
    // 0.001 below a page top at 405.25 has no decimal that maps back to exactly the same
    // double), so the first trip may move a value in the tenth digit of its SVG form. What
    // was read once comes back exactly, and writes the same text.
    const auto diff = firstDifference(*doc, *back, 1e-8);
    EXPECT_FALSE(diff) << *diff << "\n" << text;
    // All but the selection, which is the session's.
    EXPECT_FALSE(doc->selectedArt().empty());
    EXPECT_TRUE(back->selectedArt().empty());
    std::string again;
    const auto third = roundTrip(*back, &again);
    ASSERT_TRUE(third);
    EXPECT_EQ(text, again);
    const auto exact = firstDifference(*back, *third, 0.0);
    EXPECT_FALSE(exact) << *exact;
}

TEST(SvgRoundTrip, ADefaultDocumentComesBackExactly) {
    const auto doc = Document::createDefault();
    const auto back = roundTrip(*doc);
    ASSERT_TRUE(back);
    const auto diff = firstDifference(*doc, *back, 0.0);
    EXPECT_FALSE(diff) << *diff;
}

TEST(SvgRoundTrip, TheRealMapsReopenAsTheSameModel) {
    const struct {
        const char* file;
        const char* layer;
        std::size_t items;
        const char* first;
        HostRealPoint firstAnchor;
    } maps[] = {
        {"maps/us-states.svg", "states", 51, "s01", {647.959, 610 - 492.438}},
        {"maps/us-counties.svg", "counties", 3142, nullptr, {}},
    };
    TempDir dir;
    for (const auto& m : maps) {
        SCOPED_TRACE(m.file);
        SvgLoadResult first = loadSvgFile(dataPath(m.file));
        ASSERT_TRUE(first.document) << first.message;
        EXPECT_TRUE(first.warnings.empty());
        const Document& doc = *first.document;
        ASSERT_EQ(doc.layerCount(), 1);
        const Layer& layer = *doc.firstLayer();
        EXPECT_EQ(layer.title, m.layer);
        std::size_t items = 0;
        for (const Art* a = layer.group()->firstChild(); a; a = a->nextSibling())
            ++items;
        EXPECT_EQ(items, m.items);
        EXPECT_EQ(doc.page.width, 975);
        EXPECT_EQ(doc.page.height, 610);
        if (m.first) {
            // The file's first path paints first, so it is the host's backmost object.
            const Art* a = layer.group()->lastChild();
            EXPECT_EQ(a->name, m.first);
            const Art* ring = a->type() == ArtType::CompoundPath ? a->firstChild() : a;
            EXPECT_EQ(ring->path()->segments.front().p.h, m.firstAnchor.h);
            EXPECT_EQ(ring->path()->segments.front().p.v, m.firstAnchor.v);
            EXPECT_TRUE(ring->path()->closed);
            EXPECT_EQ(ring->path()->style->strokeWidth, 0.25);
        }
        const auto bounds = artBounds(doc, *layer.group());
        ASSERT_TRUE(bounds);
        EXPECT_LT(bounds->left, 0); // the Aleutians reach off the page
        EXPECT_LT(bounds->top, 610);
        EXPECT_GT(bounds->bottom, 0);

        const auto saved = dir / "saved.svg";
        std::string message;
        ASSERT_EQ(saveSvgFile(doc, saved, message), kHostNoErr) << message;
        SvgLoadResult second = loadSvgFile(saved);
        ASSERT_TRUE(second.document) << second.message;
        const auto diff = firstDifference(doc, *second.document, 0.0);
        EXPECT_FALSE(diff) << *diff;
    }
}

} // namespace

// Character styling the model does not use comes back on its runs as it was written:
// weight and slant on part of a line, a raised digit, an underline, and a decoration set on
// the whole text.
TEST(SvgRoundTrip, RunStylingTheModelDoesNotUseIsKeptOnItsRuns) {
    const auto doc = load(
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100" viewBox="0 0 200 100">)"
        R"(<text id="t" x="10" y="50" font-size="20" text-decoration="line-through">H)"
        R"(<tspan baseline-shift="super" font-size="12">2</tspan>O )"
        R"(<tspan font-weight="bold" style="font-style:italic">bold <tspan font-weight="normal">)"
        R"(plain</tspan></tspan></text></svg>)");
    ASSERT_TRUE(doc);
    const TextData& t = *findArt(*doc, "t")->text();
    std::vector<std::pair<std::string, std::string>> runs;
    for (const TextRun& r : t.runs)
        runs.emplace_back(r.text, r.features.keptStyle);
    EXPECT_EQ(runs,
              (std::vector<std::pair<std::string, std::string>>{
                  {"H", "text-decoration:line-through"},
                  {"2", "text-decoration:line-through;baseline-shift:super"},
                  {"O ", "text-decoration:line-through"},
                  {"bold ", "font-weight:bold;font-style:italic;text-decoration:line-through"},
                  {"plain", "font-weight:normal;font-style:italic;text-decoration:line-through"},
              }));
    std::string text;
    const auto back = roundTrip(*doc, &text);
    ASSERT_TRUE(back);
    EXPECT_FALSE(firstDifference(*doc, *back, 1e-9)) << text;
}

// Lines placed by the editor keep their spacing: the gap between the first two baselines
// sets it, and automatic spacing stays automatic.
TEST(SvgRoundTrip, LineSpacingComesFromWhereTheLinesWerePlaced) {
    const auto lines = [](double secondY) {
        return "<svg xmlns=\"http://www.w3.org/2000/svg\" "
               "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" "
               "width=\"200\" height=\"100\"><text id=\"t\" font-size=\"16\">"
               "<tspan sodipodi:role=\"line\" x=\"10\" y=\"30\">one</tspan>"
               "<tspan sodipodi:role=\"line\" x=\"10\" y=\"" +
               std::to_string(secondY) + "\">two</tspan></text></svg>";
    };
    for (const auto& [secondY, spacing] :
         std::vector<std::pair<double, double>>{{50, 1.25}, {30 + 16 * 1.2, 0.0}, {62, 2.0}}) {
        const auto doc = load(lines(secondY));
        ASSERT_TRUE(doc);
        EXPECT_NEAR(findArt(*doc, "t")->text()->para.lineSpacing, spacing, 1e-9) << secondY;
        std::string text;
        const auto back = roundTrip(*doc, &text);
        ASSERT_TRUE(back);
        EXPECT_FALSE(firstDifference(*doc, *back, 1e-9)) << text;
    }
}

// A tref draws the characters of the element it refers to; they are kept as the text's own.
TEST(SvgRoundTrip, ATrefBecomesTheCharactersItRefersTo) {
    const auto doc =
        load(R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink")"
             R"( width="200" height="100"><defs><text id="src">北<tspan>海道</tspan></text></defs>)"
             R"(<text id="t" x="10" y="50">[<tref xlink:href="#src"/>]</text></svg>)");
    ASSERT_TRUE(doc);
    EXPECT_EQ(findArt(*doc, "t")->text()->plainText(), "[北海道]");
}
