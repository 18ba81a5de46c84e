// `cartovel run` and `cartovel info` end to end: the executable runs in a fresh folder on
// small SVG files written here, with standard input not a terminal.
#include <gtest/gtest.h>

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

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out; // standard output and error together
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

const std::string kSquare = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base">
<path id="sq" fill="#ff0000" d="M100 100L200 100L200 200L100 200Z"/>
</g>
</svg>
)";

class CliDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("cartovel-cli-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // The module's preferences stay in the test's folder.
        prefs_ = " --prefs " + (folder_ / "prefs.json").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path at(const std::string& name) const { return folder_ / name; }

    CliRun cartovel(const std::string& arguments) const {
        const std::string command = "cd '" + folder_.string() + "' && " + CARTOVEL_EXE + " " +
                                    arguments + " </dev/null 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        CliRun run{-1, {}};
        if (!pipe) return run;
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
            run.out.append(buffer.data(), n);
        const int raw = pclose(pipe.release());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return run;
    }

    fs::path folder_;
    std::string prefs_;
};

std::set<std::string> fills(const std::string& svg) {
    std::set<std::string> found;
    const std::regex fill(R"re(fill="([^"]*)")re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), fill); it != std::sregex_iterator();
         ++it)
        found.insert((*it)[1]);
    return found;
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

TEST_F(CliDocuments, CancelAtTheConfirmationExitsTwoWithoutOutput) {
    const std::string input = std::string(CARTOVEL_EXAMPLES) + "/us-states.svg";
    const CliRun run =
        cartovel("run polygon-colouring " + input + " -o out.svg --answer cancel" + prefs_);
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_FALSE(fs::exists(at("out.svg")));
}

// Every failure exits 1 with a message naming what was wrong, and leaves an existing
// output untouched.
TEST_F(CliDocuments, FailuresNameTheCauseAndLeaveTheOutputAlone) {
    writeFile(at("square.svg"), kSquare);
    writeFile(at("bad.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\">\n<path d=\"M0 0\"\n");
    const std::string states = std::string(CARTOVEL_EXAMPLES) + "/us-states.svg";
    struct Case {
        std::string arguments;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"run fast-move bad.svg", "bad.svg:2:"},
        {"run fast-move square.svg --layer roads", "\"roads\""},
        {"run fast-move square.svg --select sq,nothing", "\"nothing\""},
        // No terminal to put the question to.
        {"run polygon-colouring " + states, "よろしいですか"},
        {"run reset-image-size square.svg", "not available for this document"},
        {"run move-to-layer square.svg --set layer=Nowhere", "the tree has no item \"Nowhere\""},
        {"run save-layer-list square.svg", "--set file=PATH"},
        {"run map-scaling square.svg --set mode=scale --set current-scale=abc",
         "field \"current-scale\""},
    };
    const std::string kept = "previous output\n";
    for (const Case& c : cases) {
        writeFile(at("out.svg"), kept);
        const CliRun run = cartovel(c.arguments + " -o out.svg" + prefs_);
        EXPECT_EQ(run.status, 1) << c.arguments << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.arguments << "\n" << run.out;
        EXPECT_EQ(readFile(at("out.svg")), kept) << c.arguments;
    }
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
    const std::regex number(R"(-?[0-9.]+)");
    for (auto it = std::sregex_iterator(path.begin(), path.end(), number);
         it != std::sregex_iterator(); ++it)
        numbers.push_back(std::stod(it->str()));
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
    const CliRun run = cartovel("info nested.svg");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "labels  [visible, unlocked]  0 items, 0 art\n"
                       "roads  [visible, unlocked]  1 item, 4 art (group 1, path 3)\n"
                       "  minor  [hidden, unlocked]  2 items, 3 art (group 1, path 2)\n"
                       "total: 3 layers, 4 art\n");
}

} // namespace
