// Files in the styles common SVG editors write: one with the open-source editor's layer
// markup, one exported by a drawing program with plain groups, classes and matrices.
#include "SvgTestSupport.h"

#include "host/document/Compare.h"
#include "host/geometry/ArtBounds.h"

using namespace host;
using namespace svgtest;

namespace {

std::vector<std::string> layerTitles(const Document& doc) {
    std::vector<std::string> out;
    for (const Layer* l : doc.allLayers())
        out.push_back(l->title);
    return out;
}

TEST(SvgEditorFiles, MarkedLayersWithTheirFlagsAndTransforms) {
    SvgLoadResult r = loadSvgFile(dataPath("editor-layers.svg"));
    ASSERT_TRUE(r.document) << r.message;
    const Document& doc = *r.document;
    EXPECT_EQ(layerTitles(doc),
              (std::vector<std::string>{"Hidden notes", "Labels", "Land", "Water", "Rivers"}));
    EXPECT_FALSE(doc.layerAt(0)->visible);
    EXPECT_FALSE(doc.layerAt(1)->editable);
    EXPECT_TRUE(doc.layerAt(2)->visible);
    // The Water layer's translate(0,-149) lands the lake's first point at SVG (10, 11):
    // document y 148 - 11.
    const Art* lake = findArt(doc, "lake");
    ASSERT_TRUE(lake);
    EXPECT_EQ(lake->path()->segments.front().p.h, 10);
    EXPECT_EQ(lake->path()->segments.front().p.v, 137);
    EXPECT_EQ(*lake->tags.find("svg:fill-opacity"), "1");
    // The building's courtyard makes a compound path filled even-odd.
    const Art* building = findArt(doc, "building");
    ASSERT_EQ(building->type(), ArtType::CompoundPath);
    EXPECT_TRUE(building->firstChild()->path()->style->evenOdd);
    const Art* text = findArt(doc, "text1");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text()->plainText(), "Lake Hollow");
    EXPECT_EQ(text->text()->para.justification, kJustifyCenter);
    EXPECT_EQ(text->text()->runs[0].features.fontFamily, "sans-serif");
    EXPECT_TRUE(r.warnings.empty());
}

TEST(SvgEditorFiles, PlainGroupsClassesAndMatrices) {
    SvgLoadResult r = loadSvgFile(dataPath("drawing-program.svg"));
    ASSERT_TRUE(r.document) << r.message;
    const Document& doc = *r.document;
    EXPECT_EQ(layerTitles(doc),
              (std::vector<std::string>{"Labels", "Symbols", "Roads", "Background"}));
    const Layer* roads = doc.layerAt(2);
    const Art* polyline = roads->group()->lastChild();
    ASSERT_TRUE(polyline && polyline->path());
    const PathStyle& s = polyline->path()->style;
    EXPECT_FALSE(s.fillPaint);
    EXPECT_EQ(s.strokeWidth, 3);
    EXPECT_EQ(s.cap, kHostRoundCap);
    EXPECT_EQ(s.dash, (std::vector<double>{8, 4}));
    // The rotated rectangle's corners went through its group's matrix.
    const auto turned = artBounds(doc, *polyline->prevSibling());
    ASSERT_TRUE(turned);
    EXPECT_NEAR(turned->right - turned->left, 0.866 * 60 + 0.5 * 20, 1e-9);
    // Symbols and their instances.
    ASSERT_EQ(doc.symbols().size(), 1u);
    const Art* marker = doc.layerAt(1)->group()->firstChild();
    ASSERT_EQ(marker->type(), ArtType::SymbolInstance);
    EXPECT_EQ(marker->symbolInstance()->matrix, (HostRealMatrix{2, 0, 0, 2, 150, 240}));
    const Art* label = doc.layerAt(0)->group()->firstChild();
    ASSERT_TRUE(label->text());
    EXPECT_EQ(label->text()->plainText(), "Route 66");
    EXPECT_EQ(label->text()->runs[0].features.fontSize, 14);
    EXPECT_EQ(label->text()->runs[0].features.fontFamily, "'DejaVu Sans'");
    EXPECT_EQ(textAnchor(*label->text()).v, 150);
}

// Numbers are written with ten significant digits (of y as SVG has it, the page height
// minus the document's y), so values converted from other units come back within that;
// what was read from our own file comes back exactly.
TEST(SvgEditorFiles, BothComeBackAfterASave) {
    for (const char* name : {"editor-layers.svg", "drawing-program.svg"}) {
        SCOPED_TRACE(name);
        SvgLoadResult r = loadSvgFile(dataPath(name));
        ASSERT_TRUE(r.document) << r.message;
        std::string text;
        const auto back = roundTrip(*r.document, &text);
        ASSERT_TRUE(back);
        const auto diff = firstDifference(*r.document, *back, 1e-8);
        EXPECT_FALSE(diff) << *diff << "\n" << text;
        std::string again;
        const auto third = roundTrip(*back, &again);
        ASSERT_TRUE(third);
        const auto exact = firstDifference(*back, *third, 0.0);
        EXPECT_FALSE(exact) << *exact;
        // A property a command changed moves into the style attribute, where no rule of a
        // style sheet overrides it; from then on the text stays as it is.
        std::string fourthText;
        ASSERT_TRUE(roundTrip(*third, &fourthText));
        EXPECT_EQ(again, fourthText);
    }
}

} // namespace

// The editor names its current layer in its view settings, and keeps our own mark as it
// was while the user picks other layers: the view settings win, and are written back.
TEST(SvgEditorFiles, CurrentLayerOfTheViewSettings) {
    SvgLoadResult r = loadSvgFile(dataPath("editor-layers.svg"));
    ASSERT_TRUE(r.document) << r.message;
    Document& doc = *r.document;
    ASSERT_TRUE(doc.currentLayer());
    EXPECT_EQ(doc.currentLayer()->group()->name, "layer2");
    ASSERT_EQ(doc.setCurrentLayer(*doc.layerAt(3)), kHostNoErr);
    const std::string id = doc.layerAt(3)->group()->name;
    std::string text, message;
    ASSERT_EQ(writeSvgText(doc, text, message), kHostNoErr) << message;
    EXPECT_NE(text.find("inkscape:current-layer=\"" + id + "\""), std::string::npos);
    EXPECT_EQ(text.find("current-layer=\"layer2\""), std::string::npos);
    SvgLoadResult again = loadSvgText("again.svg", text);
    ASSERT_TRUE(again.document) << again.message;
    EXPECT_EQ(again.document->currentLayer()->group()->name, id);
}
