// `cartovel run` and `cartovel info` end to end: the executable runs in a fresh folder on
// small SVG files written here, with standard input not a terminal.
#include "CliFixture.h"

#include "support/TextMatches.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using namespace cli_test;

std::set<std::string> fills(const std::string& svg) {
    return cartotest::matchSet(svg, std::regex(R"re(fill="([^"]*)")re"));
}

TEST_F(CliDocuments, PolygonColouringWithOkWritesNewFills) {
    const std::string input = std::string(CARTOVEL_EXAMPLES) + "/us-states.svg";
    const CliRun run =
        cartovel("run polygon-colouring " + input + " -o coloured.svg --answer ok" + prefs_);
    ASSERT_EQ(run.status, 0) << run.out;
    const std::set<std::string> before = fills(readFile(input));
    const std::set<std::string> after = fills(readFile(at("coloured.svg")));
    EXPECT_EQ(before.size(), 1U);
    // Neighbours get different colours, so one fill cannot be enough.
    EXPECT_GT(after.size(), 2U);
}

// Neighbours drawn 0.01 pt apart touch within the default precision, not when it is 0.
TEST_F(CliDocuments, PrecisionDecidesWhetherOutlinesAHairApartTouch) {
    writeFile(
        at("hair.svg"),
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" viewBox="0 0 100 100">
<g inkscape:groupmode="layer" inkscape:label="map">
<path id="a" fill="#ff0000" d="M0 0H10V10H0Z"/><path id="b" fill="#ff0000" d="M10.01 0H20V10H10.01Z"/>
</g></svg>
)");
    const std::string run = " run polygon-colouring hair.svg -o out.svg --answer ok" + prefs_;
    for (const auto& [precision, coloured] :
         std::vector<std::pair<std::string, bool>>{{"", true}, {" --precision 0", false}}) {
        SCOPED_TRACE(precision);
        const CliRun result = cartovel(precision + run);
        ASSERT_EQ(result.status, 0) << result.out;
        EXPECT_EQ(fills(readFile(at("out.svg"))).count("#ff0000") == 0, coloured);
    }
    const CliRun negative = cartovel("--precision -1" + run);
    EXPECT_EQ(negative.status, 64) << negative.out;
}

const std::string kLayers =
    R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base">
<path id="sq" fill="#ff0000" d="M100 100L200 100L200 200L100 200Z"/>
<path id="lk" sodipodi:insensitive="true" d="M0 0L10 0L10 10Z"/>
</g>
<g id="l2" inkscape:groupmode="layer" inkscape:label="hidden" style="display:none"><path id="h1" d="M0 0L1 1"/></g>
<g id="l3" inkscape:groupmode="layer" inkscape:label="locked" sodipodi:insensitive="true"><path id="k1" d="M0 0L1 1"/></g>
</svg>
)";

// Every exit status with the causes a script must tell apart. Whatever the status other than
// 0, an existing output is left as it was and none is created.
TEST_F(CliDocuments, ExitStatusesTellTheOutcomesApart) {
    writeFile(at("square.svg"), kSquare);
    writeFile(at("layers.svg"), kLayers);
    writeFile(at("bad.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\">\n<path d=\"M0 0\"\n");
    writeFile(at("long.txt"), "one\ntwo\nthree\nfour\nfive\n");
    writeFile(at("empty.svg"),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>");
    const std::string states = std::string(CARTOVEL_EXAMPLES) + "/us-states.svg";
    // -o out.svg and --prefs follow the arguments.
    const std::vector<cartotest::RunCase> cases = {
        {"run polygon-colouring " + states + " --answer ok", 0, ""},
        // 1: errors.
        {"run fast-move bad.svg", 1, "bad.svg:2:"},
        {"run fast-move missing.svg", 1, "cannot read missing.svg"},
        {"run polygon-colouring " + states, 1, "よろしいですか"}, // no terminal to ask
        {"run fast-move layers.svg --select sq", 1, "削除しますか"},
        {"run polygon-colouring square.svg --answer yes", 1, "does not fit"},
        {"run load-layer-list layers.svg --set mode=rename --set file=long.txt "
         "--set encoding=utf-8",
         1, "the command ended with the alert \"レイヤー名の再設定を中断しました"},
        {"run save-layer-list square.svg", 1, "--set file=PATH"},

        // 2: the user cancelled.
        {"run polygon-colouring " + states + " --answer cancel", 2, "cancelled"},
        // 3: refused, nothing changed.
        {"run fast-move square.svg", 3, "refused: 移動先を示すパスを1つだけ選択して"},
        {"run polygon-colouring layers.svg --layer hidden --answer ok", 3, "非表示です"},
        {"run polygon-colouring layers.svg --layer locked --answer ok", 3, "ロックされています"},
        {"run reset-image-size square.svg", 3, "\"配置画像サイズをリセット\" is disabled"},
        {"run map-scaling empty.svg", 3, "refused: 拡大・縮小するオブジェクトがありません"},
        // 64: usage errors, named.
        {"frobnicate square.svg", 64, "unknown subcommand \"frobnicate\""},
        {"run frobnicate square.svg", 64, "unknown command \"frobnicate\""},
        {"run polygon-colouring square.svg --set mode=scale", 64,
         "no dialog of polygon-colouring has a field \"mode\""},
        {"run map-scaling square.svg --set colour=red", 64, "field \"colour\""},
        {"run map-scaling square.svg --set scale-fonts=maybe", 64, "takes on or off"},
        {"run map-scaling square.svg --set mode=huge", 64, "scale|ratio|paper"},
        {"run map-scaling square.svg --set mode", 64, "not FIELD=VALUE"},
        {"run fast-move square.svg --layer roads", 64, "\"roads\""},
        {"run move-to-layer square.svg --set layer=Nowhere", 64, "no layer is named \"Nowhere\""},
        {"run fast-move square.svg --select sq,nothing", 64, "\"nothing\""},
        {"run fast-move layers.svg --select k1", 64,
         "\"k1\" cannot be selected: it is on the "
         "locked layer \"locked\""},
        {"run fast-move layers.svg --select lk", 64, "\"lk\" cannot be selected: it is locked"},
        {"run fast-move square.svg --out-dir .", 64, "not both"},
        {"run fast-move square.svg square.svg", 64, "-o takes one input"},
        {"run map-scaling square.svg --set mode=scale --set current-scale=abc", 64,
         "field \"current-scale\""},
        {"run map-scaling square.svg --set mode=ratio --set vertical=50", 64,
         "field \"vertical\" is disabled: it is tied to horizontal"},
    };
    const std::string kept = "previous output\n";
    for (const cartotest::RunCase& c : cases) {
        writeFile(at("out.svg"), kept);
        cartotest::ExpectEndedAs(cartovel(c.arguments + " -o out.svg" + prefs_), c);
        if (c.status != 0) {
            EXPECT_EQ(readFile(at("out.svg")), kept) << c.arguments;
        }
        fs::remove(at("out.svg"));
        if (c.status != 0) {
            // Not even an unchanged copy.
            const CliRun again = cartovel(c.arguments + " -o out.svg" + prefs_);
            EXPECT_EQ(again.status, c.status) << c.arguments;
            EXPECT_FALSE(fs::exists(at("out.svg"))) << c.arguments;
        }
    }
}

// What can be checked without the document is checked first: nothing is read, asked or
// stored when the run could not save, and one bad field gives one message.
TEST_F(CliDocuments, OutputAndFieldsAreCheckedBeforeTheDocumentOpens) {
    writeFile(at("square.svg"), kSquare);
    fs::create_directory(at("folder"));
    // The output options, put among the arguments of the command.
    const std::vector<cartotest::RunCase> cases = {
        {"-o no-such-folder/out.svg", 64, "the folder no-such-folder does not exist"},
        {"-o folder", 64, "folder is a folder"},
        {"-o ''", 64, "the output path is empty"},
        {"--out-dir no-such-folder", 64, "no-such-folder does not exist"},
        {"--out-dir square.svg", 64, "square.svg is not a folder"},
        {"--out-dir .", 64, "would replace it"},
    };
    const std::string fields = " --set mode=scale --set current-scale=25000 "
                               "--set target-scale=50000";
    for (const cartotest::RunCase& c : cases) {
        cartotest::ExpectEndedAs(
            cartovel("run map-scaling square.svg " + c.arguments + fields + prefs_), c);
        EXPECT_FALSE(fs::exists(at("prefs.json"))) << c.arguments;
    }
    const CliRun bad = cartovel("run map-scaling square.svg -o out.svg --set colour=red "
                                "--set mode=scale --set scale-fonts=on" +
                                prefs_);
    EXPECT_EQ(bad.status, 64);
    EXPECT_EQ(std::count(bad.out.begin(), bad.out.end(), '\n'), 1) << bad.out;
    EXPECT_FALSE(fs::exists(at("prefs.json")));
}

TEST_F(CliDocuments, EachCommandExplainsItsFieldsAndQuestions) {
    struct Case {
        std::string arguments;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {"run map-scaling --help",
         {"mode=scale|ratio|paper  (default: \"scale\")", "keep-proportion=on|off",
          "current-scale=TEXT  (default: \"25000\")", "asks no question"}},
        {"help scale-bar", {"unit=km|m", "new-layer=on|off"}},
        {"help load-layer-list",
         {"mode=rename|create  (default: \"rename\")", "file=PATH",
          "encoding=ENTRY|INDEX|sjis|utf-8|utf-16"}},
        {"run fast-move x.svg -o y.svg --help",
         {"No dialog", "[yes|no] 移動完了後に、移動先を示すパスを削除しますか？"}},
        {"help polygon-colouring", {"[ok|cancel] レイヤー「NAME」上のポリゴンすべてを"}},
        {"--help", {"Exit status:", "3   the command refused"}},
    };
    for (const Case& c : cases) {
        const CliRun run = cartovel(c.arguments + prefs_);
        EXPECT_EQ(run.status, 0) << c.arguments << "\n" << run.out;
        for (const std::string& text : c.shown)
            EXPECT_NE(run.out.find(text), std::string::npos) << c.arguments << "\n" << run.out;
    }
    // Reading the defaults opens the dialogs and cancels them: nothing is stored.
    EXPECT_FALSE(fs::exists(at("prefs.json")));
    const CliRun unknown = cartovel("help frobnicate");
    EXPECT_EQ(unknown.status, 64);
    EXPECT_NE(unknown.out.find("unknown command \"frobnicate\""), std::string::npos) << unknown.out;
}

// Three maps, one of them broken: each is tried, each result is reported, the broken one
// leaves no output and the run ends with the gravest status.
TEST_F(CliDocuments, ABatchRunsEveryFileAndReportsEach) {
    writeFile(at("a.svg"), kSquare);
    writeFile(at("b.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0\"");
    writeFile(at("c.svg"), kSquare);
    fs::create_directory(at("out"));
    const std::string scaling = "run map-scaling --set mode=scale --set current-scale=25000 "
                                "--set target-scale=50000 --out-dir out";
    const CliRun run = cartovel(scaling + " a.svg b.svg c.svg" + prefs_);
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("a.svg: done -> out/a.svg"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("b.svg: error"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("c.svg: done -> out/c.svg"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(at("out/b.svg")));
    for (const char* name : {"out/a.svg", "out/c.svg"})
        EXPECT_NE(readFile(at(name)).find("M125 125"), std::string::npos) << name;

    writeFile(at("b.svg"), kSquare);
    const CliRun clean = cartovel(scaling + " a.svg b.svg c.svg" + prefs_);
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_NE(clean.out.find("b.svg: done -> out/b.svg"), std::string::npos) << clean.out;
}

// The destination path sits in a group: selecting the group selects it too, as the host's
// selection tool does, so fast move finds one path to move by.
TEST_F(CliDocuments, SelectingAGroupSelectsItsMembers) {
    writeFile(
        at("group.svg"),
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base">
<path id="sq" d="M100 100L200 100L200 200L100 200Z"/>
<g id="grp"><path id="arrow" d="M0 0L50 0"/></g>
</g>
</svg>
)");
    const CliRun run =
        cartovel("run fast-move group.svg -o moved.svg --select grp --answer yes" + prefs_);
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string svg = readFile(at("moved.svg"));
    EXPECT_NE(svg.find("M150 100"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("id=\"arrow\""), std::string::npos) << svg;
}

// A sublayer whose own flags are open, inside a hidden or a locked layer: nothing is drawn
// there and nothing there can be selected, but art may be moved in.
TEST_F(CliDocuments, ASublayerOfAHiddenOrLockedLayerIsClosedLikeIt) {
    const std::string head =
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base"><path id="sq" d="M0 0L9 0L9 9Z"/></g>
<g id="top" inkscape:groupmode="layer" inkscape:label="outer" )";
    const std::string tail = R"(>
<g id="sub" inkscape:groupmode="layer" inkscape:label="inner"><path id="p" d="M0 0L1 1"/></g>
</g>
</svg>
)";
    for (const std::string closed : {"hidden", "locked"}) {
        const std::string flag =
            closed == "hidden" ? R"(style="display:none")" : R"(sodipodi:insensitive="true")";
        writeFile(at("in.svg"), head + flag + tail);
        struct Case {
            std::string arguments;
            int status;
            std::string message;
        };
        const std::vector<Case> cases = {
            {"run scale-bar in.svg --layer inner --set new-layer=off", 1, "refused"},
            {"run fast-move in.svg --select p", 64,
             "\"p\" cannot be selected: its layer \"inner\" is inside the " + closed +
                 " layer \"outer\""},
            {"run fast-move in.svg --select sub", 64, "inside the " + closed + " layer"},
            {"run move-to-layer in.svg --select sq --set layer=outer/inner", 0, ""},
        };
        for (const Case& c : cases) {
            fs::remove(at("out.svg"));
            const CliRun run = cartovel(c.arguments + " -o out.svg" + prefs_);
            EXPECT_EQ(run.status, c.status) << closed << ": " << c.arguments << "\n" << run.out;
            EXPECT_NE(run.out.find(c.message), std::string::npos) << c.arguments << "\n" << run.out;
            EXPECT_EQ(fs::exists(at("out.svg")), c.status == 0) << c.arguments;
        }
        // The square was filed into the sublayer.
        const std::string moved = readFile(at("out.svg"));
        EXPECT_LT(moved.find("id=\"sub\""), moved.find("id=\"sq\"")) << moved;
    }
}

// The selection is the run's: --select replaces whatever a file says was selected, and no
// file keeps a selection for the next run.
TEST_F(CliDocuments, TheSelectionIsNeitherReadFromNorSavedInTheFile) {
    writeFile(
        at("marked.svg"),
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" xmlns:cv="urn:cartovel:svg:1" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base" cv:selected="1">
<path id="sq" cv:selected="1" d="M100 100L200 100L200 200L100 200Z"/>
<path id="arrow" d="M0 0L50 0"/>
</g>
</svg>
)");
    const CliRun moved =
        cartovel("run fast-move marked.svg -o moved.svg --select arrow --answer yes" + prefs_);
    ASSERT_EQ(moved.status, 0) << moved.out;
    EXPECT_NE(readFile(at("moved.svg")).find("M150 100"), std::string::npos);
    // The scale bar leaves its parts selected in the document, not in the file.
    const CliRun bar = cartovel("run scale-bar marked.svg -o bar.svg" + prefs_);
    ASSERT_EQ(bar.status, 0) << bar.out;
    const std::string saved = readFile(at("bar.svg"));
    EXPECT_NE(saved.find("1 : 25,000"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("selected"), std::string::npos) << saved;
}

TEST_F(CliDocuments, MapScalingHalvesASquareAboutItsCentre) {
    writeFile(at("square.svg"), kSquare);
    const CliRun run = cartovel("run map-scaling square.svg -o half.svg --set mode=scale "
                                "--set current-scale=25000 --set target-scale=50000" +
                                prefs_);
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string svg = readFile(at("half.svg"));
    std::smatch d;
    ASSERT_TRUE(std::regex_search(svg, d, std::regex(R"re(id="sq"[^>]*\sd="([^"]*)")re"))) << svg;
    std::vector<double> numbers;
    const std::string path = d[1];
    for (const std::string& number : cartotest::allMatches(path, std::regex(R"(-?[0-9.]+)"), 0))
        numbers.push_back(std::stod(number));
    ASSERT_EQ(numbers.size(), 8U) << path;
    for (double v : numbers)
        EXPECT_TRUE(std::abs(v - 125) < 1e-6 || std::abs(v - 175) < 1e-6) << path;
}

TEST_F(CliDocuments, TheFileDialogTakesAPathRelativeToTheCurrentFolder) {
    writeFile(at("square.svg"), kSquare);
    const CliRun run = cartovel("run save-layer-list square.svg -o out.svg --set file=names.txt "
                                "--set encoding=utf-8" +
                                prefs_);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(readFile(at("names.txt")).find("base"), std::string::npos);
}

TEST_F(CliDocuments, InfoPrintsTheLayerTree) {
    writeFile(
        at("nested.svg"),
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" viewBox="0 0 100 100">
<g id="a" inkscape:groupmode="layer" inkscape:label="roads">
<path id="p1" d="M0 0L10 0L10 10Z"/>
<g id="b" inkscape:groupmode="layer" inkscape:label="minor" style="display:none">
<path id="p2" d="M0 0L10 0L10 10Z"/><g id="g1"><path id="p3" d="M0 0L1 1"/></g>
</g>
</g>
<g id="c" inkscape:groupmode="layer" inkscape:label="labels"/>
</svg>
)");
    // A missing input is an input that cannot be read, for info as for run.
    const CliRun missing = cartovel("info missing.svg");
    EXPECT_EQ(missing.status, 1) << missing.out;
    EXPECT_NE(missing.out.find("missing.svg"), std::string::npos) << missing.out;
    const CliRun run = cartovel("info nested.svg");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "labels  [visible, unlocked]  0 items, 0 art\n"
                       "roads  [visible, unlocked]  1 item, 4 art (group 1, path 3)\n"
                       "  minor  [hidden, unlocked]  2 items, 3 art (group 1, path 2)\n"
                       "total: 3 layers, 4 art\n");
}

TEST_F(CliDocuments, InfoPrintsTheLayerTreeAsJson) {
    writeFile(at("layers.svg"), kLayers);
    const CliRun run = cartovel("info --json layers.svg");
    ASSERT_EQ(run.status, 0) << run.out;
    for (const char* text :
         {"\"title\": \"base\"", "\"locked\": true", "\"visible\": false", "\"layerCount\": 3",
          "\"types\": {\n        \"path\": 2\n      }", "\"art\": 4"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
}

} // namespace
