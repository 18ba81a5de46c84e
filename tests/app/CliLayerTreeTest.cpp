// `cartovel info --json` as a script reads it, and documents whose layers nest a hundred
// thousand deep going through a whole run: read, menu update, command, write.
#include "CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace cli_test;

// Standard output alone; messages go nowhere.
class CliLayerTree : public CliDocuments {
protected:
    CliRun cartovel(const std::string& arguments) const {
        return CliDocuments::cartovel(arguments, {}, "/dev/null");
    }
    static void write(const fs::path& path, const std::string& text) { writeFile(path, text); }
    static std::string read(const fs::path& path) { return readFile(path); }
};

// count layers, each inside the one before, with a path on each.
std::string nestedLayers(int count) {
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
                    "viewBox=\"0 0 100 100\">\n";
    s.reserve(static_cast<std::size_t>(count) * 90 + 200);
    for (int i = 0; i < count; ++i)
        s += "<g id=\"L" + std::to_string(i) +
             "\" inkscape:groupmode=\"layer\" inkscape:label=\"L" + std::to_string(i) +
             "\"><path d=\"M0 0L1 1\"/>\n";
    for (int i = 0; i < count; ++i)
        s += "</g>";
    return s + "\n</svg>\n";
}

TEST_F(CliLayerTree, InfoJsonGivesWhatAScriptNeeds) {
    write(
        at("map.svg"),
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" xmlns:cv="urn:cartovel:svg:1" width="200mm" height="100mm" viewBox="10 20 200 100">
<g id="roads" inkscape:groupmode="layer" inkscape:label="道路">
<path d="M20 30L60 30L60 70Z"/>
<g id="minor" inkscape:groupmode="layer" inkscape:label="minor" style="display:none" cv:current="1">
<text x="100" y="50">名</text><g><path d="M150 90L170 110"/></g>
</g>
</g>
<g id="empty" inkscape:groupmode="layer" inkscape:label="empty" sodipodi:insensitive="true"/>
</svg>
)");
    const CliRun run = cartovel("info --json map.svg");
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["page"], nlohmann::json::parse(R"({"width": 200, "height": 100,
        "svgWidth": "200mm", "svgHeight": "100mm"})"));
    EXPECT_EQ(doc["viewBox"],
              nlohmann::json::parse(R"({"x": 10, "y": 20, "width": 200, "height": 100})"));
    EXPECT_EQ(
        doc["currentLayer"],
        nlohmann::json::parse(R"({"index": 2, "id": "minor", "title": "minor", "depth": 1})"));
    EXPECT_EQ(doc["layerCount"], 3);
    EXPECT_EQ(doc["art"], 4);
    EXPECT_EQ(doc["types"], nlohmann::json::parse(R"({"group": 1, "path": 2, "text": 1})"));

    // Front to back, as the host orders them; each with its own flags and figures.
    const nlohmann::json& layers = doc["layers"];
    ASSERT_EQ(layers.size(), 2u);
    const nlohmann::json& empty = layers[0];
    EXPECT_EQ(empty["id"], "empty");
    EXPECT_EQ(empty["depth"], 0);
    EXPECT_EQ(empty["locked"], true);
    EXPECT_EQ(empty["visible"], true);
    EXPECT_EQ(empty["current"], false);
    EXPECT_EQ(empty["items"], 0);
    EXPECT_EQ(empty["art"], 0);
    EXPECT_EQ(empty["types"], nlohmann::json::object());
    EXPECT_TRUE(empty["bounds"].is_null());
    EXPECT_EQ(empty["sublayers"], nlohmann::json::array());

    const nlohmann::json& roads = layers[1];
    EXPECT_EQ(roads["title"], "道路");
    EXPECT_EQ(roads["items"], 1);
    EXPECT_EQ(roads["art"], 4);
    EXPECT_EQ(roads["locked"], false);
    ASSERT_EQ(roads["sublayers"].size(), 1u);
    const nlohmann::json& minor = roads["sublayers"][0];
    EXPECT_EQ(minor["id"], "minor");
    EXPECT_EQ(minor["depth"], 1);
    EXPECT_EQ(minor["visible"], false);
    EXPECT_EQ(minor["current"], true);
    EXPECT_EQ(minor["items"], 2);
    EXPECT_EQ(minor["types"], nlohmann::json::parse(R"({"group": 1, "path": 1, "text": 1})"));
    // Bounds in the file's own coordinates, the view box's: the line from (150, 90) to
    // (170, 110) reaches past the text; the roads' triangle starts at (20, 30).
    const nlohmann::json& box = minor["bounds"];
    ASSERT_TRUE(box.is_object()) << box;
    EXPECT_DOUBLE_EQ(box["x"].get<double>() + box["width"].get<double>(), 170);
    EXPECT_DOUBLE_EQ(box["y"].get<double>() + box["height"].get<double>(), 110);
    const nlohmann::json& all = roads["bounds"];
    EXPECT_DOUBLE_EQ(all["x"].get<double>(), 20);
    EXPECT_DOUBLE_EQ(all["y"].get<double>(), 30);
    EXPECT_DOUBLE_EQ(all["x"].get<double>() + all["width"].get<double>(), 170);
    EXPECT_DOUBLE_EQ(all["y"].get<double>() + all["height"].get<double>(), 110);
}

TEST_F(CliLayerTree, DeeplyNestedLayersAreDescribedInOnePass) {
    // Each layer's figures include everything below it; a walk per layer would go over the
    // tree once per layer, and a copy of each subtree per level would fill the memory.
    constexpr int kDepth = 5000;
    write(at("deep.svg"), nestedLayers(kDepth));
    const CliRun run = cartovel("info --json deep.svg");
    ASSERT_EQ(run.status, 0);
    const nlohmann::json doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["layerCount"], kDepth);
    EXPECT_EQ(doc["art"], kDepth);
    const nlohmann::json* layer = &doc["layers"][0];
    for (int depth = 0; depth < kDepth - 1; ++depth) {
        ASSERT_EQ((*layer)["depth"], depth);
        ASSERT_EQ((*layer)["art"], kDepth - depth);
        ASSERT_EQ((*layer)["sublayers"].size(), 1u);
        layer = &(*layer)["sublayers"][0];
    }
    EXPECT_EQ((*layer)["id"], "L" + std::to_string(kDepth - 1));
    EXPECT_EQ((*layer)["sublayers"], nlohmann::json::array());
    // The indentation stops growing: the text grows with the layers, not their square.
    EXPECT_LT(run.out.size(), std::size_t{kDepth} * 2000);
}

TEST_F(CliLayerTree, AHundredAndSixtyThousandNestedLayersAreNumbered) {
    constexpr int kDepth = 160000;
    write(at("deep.svg"), nestedLayers(kDepth));
    const CliRun run = cartovel("run layer-numbering deep.svg -o numbered.svg --prefs prefs.json");
    ASSERT_EQ(run.status, 0);
    const std::string saved = read(at("numbered.svg"));
    EXPECT_NE(saved.find("inkscape:label=\"1: L0\""), std::string::npos);
    EXPECT_NE(saved.find("inkscape:label=\"160000: L159999\""), std::string::npos);
}

} // namespace
