// The two panels from the command line: `cartovel run move-to-layer` and
// `cartovel run text-origin` on a small SVG map, the saved file read back.
#include "host/document/Document.h"
#include "host/geometry/ArtBounds.h"
#include "host/svg/SvgFile.h"

#include "support/CartovelRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kMap = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
<g id="labels" inkscape:groupmode="layer" inkscape:label="Labels">
<g id="towns" inkscape:groupmode="layer" inkscape:label="Towns">
<text id="town" x="200" y="100" font-size="12" text-anchor="middle">Town</text>
</g>
<g id="rivers" inkscape:groupmode="layer" inkscape:label="Rivers"/>
</g>
<g id="others" inkscape:groupmode="layer" inkscape:label="Others">
<g id="towns2" inkscape:groupmode="layer" inkscape:label="Towns"/>
</g>
<g id="roads" inkscape:groupmode="layer" inkscape:label="Roads">
<path id="road1" fill="none" stroke="#000000" d="M10 10L90 90"/>
<path id="road2" fill="none" stroke="#000000" d="M10 90L90 10"/>
</g>
</svg>
)svg";

using cartotest::ProgramRun;

class PanelCli : public cartotest::CartovelTest {
protected:
    void SetUp() override { cartotest::writeFile(at("in.svg"), kMap); }

    ProgramRun Cartovel(const std::string& arguments) const { return cartovel(arguments + prefs_); }

    // move-to-layer on in.svg with sq selected, a terminal on its input and output, and the
    // lines typed at it.
    ProgramRun AtTerminal(const std::string& typed) const {
        cartotest::TerminalRun terminal =
            cartovelAtTerminal({"run", "move-to-layer", "in.svg", "-o", "out.svg", "--select", "sq",
                                "--prefs", "prefs.json"});
        // The terminal hands the lines over one at a time as they are read.
        if (!terminal.type(typed)) ADD_FAILURE() << "could not type at the terminal";
        terminal.readUntil(std::nullopt);
        ProgramRun run;
        run.status = terminal.finish();
        run.out = terminal.screen();
        return run;
    }

    host::SvgLoadResult Load(const char* name) const { return host::loadSvgFile(at(name)); }

    static const host::Art* Find(const host::Document& doc, const std::string& id) {
        for (host::Layer* layer : doc.allLayers())
            for (const host::Art* art : doc.layerArt(*layer))
                if (art->name == id) return art;
        return nullptr;
    }
};

TEST_F(PanelCli, MoveToLayerMovesTheSelectionIntoTheSublayerByItsPath) {
    // Two layers are called Towns: the bare name is ambiguous, the path is not.
    const ProgramRun ambiguous =
        Cartovel("run move-to-layer in.svg -o out.svg --select road1 --set layer=Towns");
    EXPECT_EQ(ambiguous.status, 64) << ambiguous.out;
    EXPECT_NE(ambiguous.out.find("ambiguous"), std::string::npos) << ambiguous.out;
    EXPECT_FALSE(fs::exists(at("out.svg")));

    const ProgramRun run = Cartovel("run move-to-layer in.svg -o out.svg --select road1,road2 "
                                    "--set layer=Labels/Towns --set group=on");
    ASSERT_EQ(run.status, 0) << run.out;
    const host::SvgLoadResult saved = Load("out.svg");
    ASSERT_TRUE(saved.document) << saved.message;
    const host::Art* road = Find(*saved.document, "road1");
    ASSERT_NE(road, nullptr);
    EXPECT_EQ(saved.document->layerOfArt(*road)->title, "Towns");
    // Both roads in one new group.
    EXPECT_EQ(road->parent(), Find(*saved.document, "road2")->parent());
    EXPECT_EQ(road->parent()->type(), host::ArtType::Group);

    const ProgramRun nothing = Cartovel("run move-to-layer in.svg -o none.svg --set layer=Roads");
    EXPECT_EQ(nothing.status, 3) << nothing.out;
    EXPECT_NE(nothing.out.find("オブジェクトが選択されていません"), std::string::npos);
    EXPECT_FALSE(fs::exists(at("none.svg")));
}

TEST_F(PanelCli, TextOriginPutsTheOriginAtTheLeftEndWithoutMovingTheLabel) {
    const ProgramRun bad =
        Cartovel("run text-origin in.svg -o out.svg --select town --set origin=up");
    EXPECT_EQ(bad.status, 64) << bad.out;

    const ProgramRun run =
        Cartovel("run text-origin in.svg -o out.svg --select town --set origin=left");
    ASSERT_EQ(run.status, 0) << run.out;
    const host::SvgLoadResult before = Load("in.svg");
    const host::SvgLoadResult after = Load("out.svg");
    ASSERT_TRUE(after.document) << after.message;
    const host::Art* was = Find(*before.document, "town");
    const host::Art* town = Find(*after.document, "town");
    ASSERT_NE(town, nullptr);
    EXPECT_EQ(town->text()->para.justification, host::kJustifyLeft);
    const HostRealRect a = *host::artBounds(*before.document, *was);
    const HostRealRect b = *host::artBounds(*after.document, *town);
    EXPECT_NEAR(a.left, b.left, 1e-3);
    EXPECT_NEAR(a.top, b.top, 1e-3);
    EXPECT_LT(town->text()->matrix.tx, was->text()->matrix.tx);
}

// Layers every way a name can be hard to reach: one named like the file, 300 side by side,
// 30 deep, names of 75 Japanese and 160 Latin characters, and names with a slash or a
// backslash beside a path that spells the same.
std::string ReachMap() {
    std::string svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" viewBox="0 0 400 400">
<g id="start" inkscape:groupmode="layer" inkscape:label="start"><path id="sq" d="M0 0L9 0L9 9Z"/><text id="label" x="5" y="5">x</text></g>
)";
    const auto layer = [](const std::string& id, const std::string& label) {
        return "<g id=\"" + id + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + label +
               "\">";
    };
    for (int i = 0; i < 300; ++i)
        svg += layer("wide" + std::to_string(i), "wide " + std::to_string(i)) + "</g>\n";
    for (int depth = 1; depth <= 30; ++depth)
        svg += layer("deep" + std::to_string(depth), "deep " + std::to_string(depth));
    for (int depth = 1; depth <= 30; ++depth)
        svg += "</g>";
    std::string japanese;
    for (int i = 0; i < 75; ++i)
        japanese += "地";
    svg += "\n" + layer("ja", japanese) + "</g>\n" + layer("latin", std::string(160, 'n')) +
           "</g>\n" + layer("slash", "a/b") + "</g>\n" + layer("a", "a") + layer("a-b", "b") +
           "</g></g>\n" + layer("backslash", "c\\d") + "</g>\n" + layer("in", "in") +
           "</g>\n</svg>\n";
    return svg;
}

TEST_F(PanelCli, MoveToLayerReachesEveryLayerByPathOrId) {
    cartotest::writeFile(at("in.svg"), ReachMap());
    std::string deepPath = "deep 1";
    for (int depth = 2; depth <= 30; ++depth)
        deepPath += "/deep " + std::to_string(depth);
    std::string japanese;
    for (int i = 0; i < 75; ++i)
        japanese += "地";
    struct Case {
        std::string set;
        std::string layerId;
    };
    const std::vector<Case> cases = {
        {"layer=in", "in"}, // the file's own name: the layer, not the document's item
        {"'layer=wide 100'", "wide100"},
        {"'layer=" + deepPath + "'", "deep30"},
        {"'layer=deep 30'", "deep30"},
        {"layer=" + japanese, "ja"},
        {"layer=" + std::string(160, 'n'), "latin"},
        {"'layer=a\\/b'", "slash"},
        {"layer=a/b", "a-b"},
        {"'layer=c\\\\d'", "backslash"},
        {"layer-id=slash", "slash"},
    };
    for (const Case& c : cases) {
        const ProgramRun run =
            Cartovel("run move-to-layer in.svg -o out.svg --select sq --set " + c.set);
        ASSERT_EQ(run.status, 0) << c.set << "\n" << run.out;
        const host::SvgLoadResult saved = Load("out.svg");
        ASSERT_TRUE(saved.document) << saved.message;
        const host::Art* sq = Find(*saved.document, "sq");
        ASSERT_NE(sq, nullptr);
        EXPECT_EQ(saved.document->layerOfArt(*sq)->group()->name, c.layerId) << c.set;
        fs::remove(at("out.svg"));
    }
}

// A click that moves nothing, a layer that is not there and an origin with no text to set
// are not successes, and nothing is saved.
TEST_F(PanelCli, RunsThatChangeNothingAreNotDone) {
    cartotest::writeFile(at("in.svg"), ReachMap());
    const std::vector<cartotest::RunCase> cases = {
        {"move-to-layer in.svg --select sq --set layer=start", 3, "nothing was moved"},
        {"move-to-layer in.svg --select sq --set layer=Nowhere", 64, "no layer is named"},
        {"move-to-layer in.svg --select sq --set layer-id=nowhere", 64, "no layer has the id"},
        {"move-to-layer in.svg --select sq --set layer=a --set layer-id=a", 64, "twice"},
        {"text-origin in.svg --select sq --set origin=left", 3, "no text is selected"},
    };
    for (const cartotest::RunCase& c : cases) {
        cartotest::ExpectEndedAs(Cartovel("run " + c.arguments + " -o out.svg"), c);
        EXPECT_FALSE(fs::exists(at("out.svg"))) << c.arguments;
    }
}

// The panel typed at from a terminal: each action says what it did, a refused one leaves
// the moves before it, and done saves them.
TEST_F(PanelCli, AtTheTerminalEachActionReportsAndDoneSavesWhatWasDone) {
    cartotest::writeFile(at("in.svg"), ReachMap());
    const ProgramRun run = AtTerminal("tree Nowhere\ntree a\\/b\ntree a\\/b\ntree in\ndone\n");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string& out = run.out;
    const std::size_t missing = out.find("no layer is named \"Nowhere\"");
    const std::size_t first = out.find("moved 1 object", missing);
    const std::size_t refused = out.find("nothing was moved", first);
    const std::size_t second = out.find("moved 1 object", refused);
    EXPECT_NE(missing, std::string::npos) << out;
    EXPECT_NE(first, std::string::npos) << out;
    EXPECT_NE(refused, std::string::npos) << out;
    EXPECT_NE(second, std::string::npos) << out;
    const host::SvgLoadResult saved = Load("out.svg");
    ASSERT_TRUE(saved.document) << saved.message << out;
    EXPECT_EQ(saved.document->layerOfArt(*Find(*saved.document, "sq"))->group()->name, "in");

    // Nothing done: nothing saved.
    fs::remove(at("out.svg"));
    const ProgramRun idle = AtTerminal("tree start\ndone\n");
    EXPECT_EQ(idle.status, 3) << idle.out;
    EXPECT_FALSE(fs::exists(at("out.svg")));
}

} // namespace
