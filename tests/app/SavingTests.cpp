// What a run leaves on disk: nothing half-done is saved, an output is always a plain file,
// and links in the saved map still find their files.
#include "CliFixture.h"

#include "support/EveryCommandMap.h"

#include <optional>
#include <regex>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace cli_test;

// The commands' map; every one of them has something to work on.
const std::string kMap = cartotest::kEveryCommandMap;

// Each command with what it needs to do its work on kMap.
const std::vector<std::pair<std::string, std::string>> kCommands = {
    {"polygon-colouring", "--answer confirm=ok"},
    {"map-scaling", "--set mode=scale --set current-scale=25000 --set target-scale=50000"},
    {"scale-bar", ""},
    {"fast-move", "--select arrow --answer no"},
    {"layer-numbering", ""},
    {"layer-replace", "--set operation=strip-digits"},
    {"save-layer-list", "--set file=names.txt --set encoding=utf-8"},
    {"load-layer-list", "--set mode=rename --set file=list.txt --set encoding=utf-8"},
    {"reset-image-size", "--select img"},
    {"straighten-text", "--select label"},
    {"remove-text-shear", "--select sheared"},
    {"move-to-layer", "--select a --set layer=注記/町名"},
    {"text-origin", "--select label --set origin=right"},
};

class Saving : public CliDocuments {
protected:
    void SetUp() override {
        CliDocuments::SetUp();
        writeFile(at("map.svg"), kMap);
        // The layer tree as save-layer-list writes it: the top layer last, sublayers
        // indented.
        writeFile(at("list.txt"), "地図\n注記\n\t町名\n");
    }
};

// Ctrl-C at several points of every command (the first host call, early, later): the run
// ends as cancelled, an existing output keeps its bytes and a missing one is not created.
TEST_F(Saving, AnInterruptedRunWritesNothing) {
    const std::string kept = "previous output\n";
    for (const auto& [command, arguments] : kCommands) {
        const std::string run = "run " + command + " map.svg " + arguments + prefs_;
        const CliRun clean = cartovel(run + " -o clean.svg");
        ASSERT_EQ(clean.status, 0) << command << "\n" << clean.out;
        for (const int call : {1, 2, 5}) {
            const std::string interrupt = "CARTOVEL_TEST_INTERRUPT_AT_CALL=" + std::to_string(call);
            writeFile(at("out.svg"), kept);
            const CliRun stopped = cartovel(run + " -o out.svg", interrupt);
            EXPECT_EQ(stopped.status, 2) << command << " at call " << call << "\n" << stopped.out;
            EXPECT_EQ(readFile(at("out.svg")), kept) << command << " at call " << call;
        }
        fs::remove(at("out.svg"));
        const CliRun fresh = cartovel(run + " -o out.svg", "CARTOVEL_TEST_INTERRUPT_AT_CALL=3");
        EXPECT_EQ(fresh.status, 2) << command << "\n" << fresh.out;
        EXPECT_FALSE(fs::exists(at("out.svg"))) << command;
    }
}

// A batch stops at the file in hand: it is not saved, and the files after it are not run.
TEST_F(Saving, AnInterruptedBatchSavesNoFileItStopped) {
    writeFile(at("second.svg"), kMap);
    fs::create_directory(at("out"));
    const CliRun run = cartovel("run polygon-colouring map.svg second.svg --out-dir out "
                                "--answer confirm=ok" +
                                    prefs_,
                                "CARTOVEL_TEST_INTERRUPT_AT_CALL=4");
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.out.find("map.svg: cancelled"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("second.svg: not run"), std::string::npos) << run.out;
    EXPECT_TRUE(fs::is_empty(at("out")));
}

// Ctrl-C typed at a question's prompt ends the run as cancelled, like Ctrl-C anywhere.
TEST_F(Saving, CtrlCAtAQuestionCancelsTheRun) {
    writeFile(at("out.svg"), "kept\n");
    cartotest::TerminalRun run =
        cartovelAtTerminal({"run", "polygon-colouring", "map.svg", "-o", "out.svg", "--prefs",
                            at("prefs.json").string()});
    ASSERT_TRUE(run.started());
    // Type Ctrl-C as soon as the question shows, as a person would: the keystroke may land
    // before the program is back in its read, and must still end the wait.
    const bool asked = run.readUntil("[ok/cancel]");
    const bool typed = asked && run.type("\x03");
    const bool ended = typed && run.readUntil(std::nullopt);
    const int status = run.finish(!ended);
    ASSERT_TRUE(ended) << "the run did not end after Ctrl-C at its question:\n" << run.screen();
    EXPECT_EQ(status, 2) << run.screen();
    EXPECT_EQ(readFile(at("out.svg")), "kept\n");
}

// An output that is not a plain file is refused before any work and left as it was; an
// output over the input needs --in-place.
TEST_F(Saving, OnlyAPlainFileIsEverReplaced) {
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", at("link-to-fifo"));
    fs::create_symlink("link-to-fifo", at("link-to-link"));
    fs::create_directory(at("folder"));
    fs::create_symlink("folder", at("link-to-folder"));
    // The output options, put among the arguments of the command.
    const std::vector<cartotest::RunCase> cases = {
        {"-o fifo", 64, "fifo is not a regular file"},
        {"-o link-to-fifo", 64, "link-to-fifo is not a regular file"},
        {"-o link-to-link", 64, "is not a regular file"},
        {"-o link-to-folder", 64, "is a folder"},
        {"-o map.svg", 64, "give --in-place"},
        {"-o ./map.svg", 64, "give --in-place"},
        {"-o missing/out.svg", 64, "the folder missing does not exist"},
    };
    for (const cartotest::RunCase& c : cases) {
        cartotest::ExpectEndedAs(
            cartovel("run polygon-colouring map.svg --answer confirm=ok " + c.arguments + prefs_),
            c);
        EXPECT_TRUE(fs::is_fifo(at("fifo"))) << c.arguments;
        EXPECT_EQ(readFile(at("map.svg")), kMap) << c.arguments;
        EXPECT_FALSE(fs::exists(at("prefs.json"))) << c.arguments;
    }
    const CliRun inPlace =
        cartovel("run polygon-colouring map.svg --answer confirm=ok --in-place" + prefs_);
    EXPECT_EQ(inPlace.status, 0) << inPlace.out;
    EXPECT_NE(readFile(at("map.svg")), kMap);
    for (const auto& entry : fs::directory_iterator(folder_.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

// "-o -" writes the document, and nothing else, to standard output.
TEST_F(Saving, ADashWritesTheDocumentToStandardOutput) {
    const CliRun run = cartovel("run polygon-colouring map.svg -o - --answer confirm=ok" + prefs_,
                                {}, at("err.txt"));
    EXPECT_EQ(run.status, 0) << readFile(at("err.txt"));
    EXPECT_TRUE(run.out.starts_with("<?xml")) << run.out.substr(0, 200);
    EXPECT_TRUE(run.out.ends_with("</svg>\n")) << run.out.substr(run.out.size() - 200);
    EXPECT_FALSE(fs::exists(at("-")));
    const CliRun refused = cartovel("run fast-move map.svg -o -" + prefs_, {}, at("err.txt"));
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.out, "");
}

// A map saved into another folder still shows its images: relative links are rewritten
// from the new place; others stay as they are.
TEST_F(Saving, RelativeLinksFollowTheOutputToAnotherFolder) {
    fs::create_directories(at("maps/pictures"));
    fs::create_directories(at("results/deep"));
    writeFile(at("maps/pictures/pic.png"), "");
    writeFile(
        at("maps/map.svg"),
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 100 100">
<image id="near" x="0" y="0" width="10" height="10" xlink:href="pictures/pic.png#frag"/>
<image id="far" x="0" y="0" width="10" height="10" xlink:href="/srv/pic.png"/>
<image id="web" x="0" y="0" width="10" height="10" xlink:href="https://example.org/pic.png"/>
<path id="p" d="M0 0L10 10"/>
</svg>
)");
    const std::string scaling = "run map-scaling --set mode=scale --set current-scale=25000 "
                                "--set target-scale=50000 maps/map.svg" +
                                prefs_;
    struct Case {
        std::string output;
        std::string saved;
        std::string link;
    };
    const std::vector<Case> cases = {
        {"-o results/deep/out.svg", "results/deep/out.svg", "../../maps/pictures/pic.png#frag"},
        {"--out-dir results", "results/map.svg", "../maps/pictures/pic.png#frag"},
        {"-o maps/same-folder.svg", "maps/same-folder.svg", "pictures/pic.png#frag"},
    };
    for (const Case& c : cases) {
        const CliRun run = cartovel(scaling + " " + c.output);
        ASSERT_EQ(run.status, 0) << c.output << "\n" << run.out;
        const std::string svg = readFile(at(c.saved));
        EXPECT_NE(svg.find("xlink:href=\"" + c.link + "\""), std::string::npos) << svg;
        EXPECT_NE(svg.find("xlink:href=\"/srv/pic.png\""), std::string::npos) << svg;
        EXPECT_NE(svg.find("xlink:href=\"https://example.org/pic.png\""), std::string::npos);
    }
}

// Options may stand anywhere on the line, and questions may be answered by name in any
// order.
TEST_F(Saving, OptionsAndNamedAnswersGoInAnyOrder) {
    const CliRun before = cartovel("run map-scaling --set mode=scale --set current-scale=25000 "
                                   "--set target-scale=50000 map.svg -o a.svg" +
                                   prefs_);
    EXPECT_EQ(before.status, 0) << before.out;
    const CliRun between =
        cartovel("run fast-move map.svg --select arrow -o b.svg --answer delete-path=no" + prefs_);
    EXPECT_EQ(between.status, 0) << between.out;
    const CliRun colouring = cartovel("run polygon-colouring --answer too-many-neighbours=cancel "
                                      "--answer confirm=ok map.svg -o c.svg" +
                                      prefs_);
    EXPECT_EQ(colouring.status, 0) << colouring.out;
    // The answers given with --answer.
    const std::vector<cartotest::RunCase> bad = {
        {"confirm=yes", 64, "answered ok or cancel"},
        {"colour=ok", 64,
         "asks no question \"colour\" (its questions: confirm, too-many-neighbours)"},
        {"maybe", 64, "ok, cancel, yes or no"},
    };
    for (const cartotest::RunCase& c : bad)
        cartotest::ExpectEndedAs(
            cartovel("run polygon-colouring map.svg -o d.svg --answer " + c.arguments + prefs_), c);
}

// Values the dialog itself refuses are the command line's fault: 64, with what the dialog
// or the command said, and nothing saved or stored.
TEST_F(Saving, ValuesTheDialogRefusesAreUsageErrors) {
    // The fields given with --set.
    const std::vector<cartotest::RunCase> cases = {
        {"--set mode=scale --set current-scale=abc", 64, "accepts digits only"},
        {"--set mode=scale --set current-scale=0", 64, "did not accept \"0\""},
        {"--set mode=paper --set paper=99", 64, "has no entry 99"},
    };
    for (const cartotest::RunCase& c : cases) {
        cartotest::ExpectEndedAs(
            cartovel("run map-scaling map.svg -o out.svg " + c.arguments + prefs_), c);
        EXPECT_FALSE(fs::exists(at("out.svg"))) << c.arguments;
    }
}

// --defaults runs from the built-in settings and leaves the store as it was; the help says
// which defaults came from the store.
TEST_F(Saving, DefaultsIgnoreAndKeepTheStoredSettings) {
    const CliRun store = cartovel("run map-scaling map.svg -o a.svg --set mode=scale "
                                  "--set current-scale=10000 --set target-scale=50000" +
                                  prefs_);
    ASSERT_EQ(store.status, 0) << store.out;
    const std::string stored = readFile(at("prefs.json"));
    const CliRun help = cartovel("help map-scaling" + prefs_);
    EXPECT_NE(help.out.find("current-scale=TEXT  (default: \"10000\", stored; built in: "
                            "\"25000\")"),
              std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("mode=scale|ratio|paper  (default: \"scale\")\n"), std::string::npos)
        << help.out;

    const std::string target = " --set target-scale=50000";
    const CliRun reproducible =
        cartovel("run map-scaling map.svg -o b.svg --defaults" + target + prefs_);
    ASSERT_EQ(reproducible.status, 0) << reproducible.out;
    EXPECT_EQ(readFile(at("prefs.json")), stored);
    const CliRun fresh = cartovel("run map-scaling map.svg -o c.svg --prefs fresh.json" + target);
    ASSERT_EQ(fresh.status, 0) << fresh.out;
    EXPECT_EQ(readFile(at("b.svg")), readFile(at("c.svg")));
    EXPECT_NE(readFile(at("a.svg")), readFile(at("c.svg")));
}

} // namespace
