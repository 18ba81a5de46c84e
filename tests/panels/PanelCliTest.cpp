// The two panels from the command line: `cartovel run move-to-layer` and
// `cartovel run text-origin` on a small SVG map, the saved file read back.
#include "host/document/Document.h"
#include "host/geometry/ArtBounds.h"
#include "host/svg/SvgFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

struct CliRun {
    int status = -1;
    std::string output;
};

class PanelCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("cartovel-panel-cli-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        std::ofstream(folder_ / "in.svg", std::ios::binary) << kMap;
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun Cartovel(const std::string& arguments) {
        const std::string command = "cd '" + folder_.string() + "' && " + CARTOVEL_EXE + " " +
                                    arguments + " --prefs prefs.json </dev/null 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        CliRun run;
        if (!pipe) return run;
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
            run.output.append(buffer.data(), n);
        const int raw = pclose(pipe.release());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return run;
    }

    host::SvgLoadResult Load(const char* name) { return host::loadSvgFile(folder_ / name); }

    static const host::Art* Find(const host::Document& doc, const std::string& id) {
        for (host::Layer* layer : doc.allLayers())
            for (const host::Art* art : doc.layerArt(*layer))
                if (art->name == id) return art;
        return nullptr;
    }

    fs::path folder_;
};

TEST_F(PanelCli, MoveToLayerMovesTheSelectionIntoTheSublayerByItsPath) {
    // Two layers are called Towns: the bare name is ambiguous, the path is not.
    const CliRun ambiguous =
        Cartovel("run move-to-layer in.svg -o out.svg --select road1 --set layer=Towns");
    EXPECT_EQ(ambiguous.status, 64) << ambiguous.output;
    EXPECT_NE(ambiguous.output.find("ambiguous"), std::string::npos) << ambiguous.output;
    EXPECT_FALSE(fs::exists(folder_ / "out.svg"));

    const CliRun run = Cartovel("run move-to-layer in.svg -o out.svg --select road1,road2 "
                                "--set layer=Labels/Towns --set group=on");
    ASSERT_EQ(run.status, 0) << run.output;
    const host::SvgLoadResult saved = Load("out.svg");
    ASSERT_TRUE(saved.document) << saved.message;
    const host::Art* road = Find(*saved.document, "road1");
    ASSERT_NE(road, nullptr);
    EXPECT_EQ(saved.document->layerOfArt(*road)->title, "Towns");
    // Both roads in one new group.
    EXPECT_EQ(road->parent(), Find(*saved.document, "road2")->parent());
    EXPECT_EQ(road->parent()->type(), host::ArtType::Group);

    const CliRun nothing = Cartovel("run move-to-layer in.svg -o none.svg --set layer=Roads");
    EXPECT_EQ(nothing.status, 3) << nothing.output;
    EXPECT_NE(nothing.output.find("オブジェクトが選択されていません"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "none.svg"));
}

TEST_F(PanelCli, TextOriginPutsTheOriginAtTheLeftEndWithoutMovingTheLabel) {
    const CliRun bad = Cartovel("run text-origin in.svg -o out.svg --select town --set origin=up");
    EXPECT_EQ(bad.status, 64) << bad.output;

    const CliRun run =
        Cartovel("run text-origin in.svg -o out.svg --select town --set origin=left");
    ASSERT_EQ(run.status, 0) << run.output;
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

} // namespace
