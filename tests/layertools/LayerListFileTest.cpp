// Saving the layer names to a file and setting them from one, through the file dialog with
// its encoding row, in every encoding and from files other programs wrote.
#include "LayerToolsHarness.h"

#include "common/HostText.h"
#include "common/SettingsStore.h"
#include "common/TextFileDialog.h"
#include "layertools/LayerListFile.h"

#include <random>
#include <sys/stat.h>

namespace {

using Names = std::vector<std::string>;
using ws::ScriptedUser;
using Actions = std::vector<ScriptedUser::Action>;

const char* EncodingText(int32_t encoding) {
    return encoding == kEncodingUTF8    ? "UTF-8"
           : encoding == kEncodingUTF16 ? "UTF-16"
                                        : "シフトJIS";
}

/** The file dialog's answer: a file and an encoding. */
Actions ChooseFile(const std::filesystem::path& file, int32_t encoding) {
    return {ScriptedUser::type(WS_FD_FILENAME, file.string()),
            ScriptedUser::pickText(kEncodingListId, EncodingText(encoding)), ScriptedUser::ok()};
}

Actions Then(Actions a, const Actions& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A(A1(A1a), A2), B — the example of a nested document.
const std::vector<lt::LayerEntry> kNested = {{0, "A"}, {1, "A1"}, {2, "A1a"}, {1, "A2"}, {0, "B"}};
const Names kNestedOutline = {"0:A", "1:A1", "2:A1a", "1:A2", "0:B"};

class LayerList : public lt::LayerToolsTest {
protected:
    HostErr Save(const std::filesystem::path& file, int32_t encoding, Actions before = {}) {
        Script(Then(std::move(before), ChooseFile(file, encoding)));
        CLayerListFile command(pluginRef());
        return command.Save();
    }
    /** restoreKind 0 renames, 1 creates. */
    HostErr Load(const std::filesystem::path& file, int32_t encoding, int restoreKind) {
        Script(Then({ScriptedUser::click(restoreKind == 0 ? 1134 : 1135), ScriptedUser::ok()},
                    ChooseFile(file, encoding)));
        CLayerListFile command(pluginRef());
        return command.SetFromFile();
    }
    std::filesystem::path File(const char* name = "layers.txt") const { return dir() / name; }
    void ExpectNoDialogFaults() { EXPECT_TRUE(user().errors().empty()) << user().errors().front(); }
};

TEST_F(LayerList, SavedBytesInEachEncoding) {
    OpenDocument({{0, "道路"}, {1, "A1"}, {2, ""}, {1, "A2"}, {0, "B"}});
    const std::string sjisRoads = lt::Iconv("道路", "CP932");
    struct Case {
        int32_t encoding;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {kEncodingShiftJIS, sjisRoads + "\r\n\tA1\r\n\t\t\r\n\tA2\r\nB\r\n"},
        {kEncodingUTF8, "\xEF\xBB\xBF道路\r\n\tA1\r\n\t\t\r\n\tA2\r\nB\r\n"},
        {kEncodingUTF16,
         "\xFF\xFE" + lt::Iconv("道路\r\n\tA1\r\n\t\t\r\n\tA2\r\nB\r\n", "UTF-16LE")},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Save(File(), c.encoding), kHostNoErr) << c.encoding;
        ExpectNoDialogFaults();
        EXPECT_EQ(lt::ReadFile(File()), c.bytes) << c.encoding;
        std::filesystem::remove(File());
    }
}

TEST_F(LayerList, RoundTripInEveryEncodingAndBothModes) {
    for (int32_t encoding : {kEncodingShiftJIS, kEncodingUTF8, kEncodingUTF16}) {
        OpenDocument({{0, "道路"}, {1, "国道 1号"}, {2, "支線"}, {1, ""}, {0, "河川・湖"}});
        const Names original = Outline();
        ASSERT_EQ(Save(File(), encoding), kHostNoErr) << encoding;

        // The same structure under other names gets every name back.
        OpenDocument({{0, "a"}, {1, "b"}, {2, "c"}, {1, "d"}, {0, "e"}, {0, "untouched"}});
        ASSERT_EQ(Load(File(), encoding, 0), kHostNoErr) << encoding;
        ExpectNoDialogFaults();
        Names expected = original;
        expected.push_back("0:untouched");
        EXPECT_EQ(Outline(), expected) << encoding;

        // Created above the existing layers with the file's nesting.
        OpenDocument({{0, "old"}});
        ASSERT_EQ(Load(File(), encoding, 1), kHostNoErr) << encoding;
        expected = original;
        expected.push_back("0:old");
        EXPECT_EQ(Outline(), expected) << encoding;
        std::filesystem::remove(File());
    }
}

TEST_F(LayerList, FilesFromOtherProgramsRead) {
    const std::string text = "道路\r\n\t国道\r\n河川\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        int32_t encoding;
    };
    const std::vector<Case> cases = {
        {"iconv Shift-JIS", lt::Iconv(text, "SHIFT_JIS"), kEncodingShiftJIS},
        {"UTF-8 without mark, LF only", "道路\n\t国道\n河川", kEncodingUTF8},
        {"UTF-16 big-endian", "\xFE\xFF" + lt::Iconv(text, "UTF-16BE"), kEncodingUTF16},
        {"UTF-16 without mark", lt::Iconv(text, "UTF-16LE"), kEncodingUTF16},
    };
    for (const Case& c : cases) {
        OpenDocument({{0, "a"}, {1, "b"}, {0, "c"}});
        lt::WriteFile(File(), c.bytes);
        ASSERT_EQ(Load(File(), c.encoding, 0), kHostNoErr) << c.what;
        EXPECT_EQ(Outline(), (Names{"0:道路", "1:国道", "0:河川"})) << c.what;
    }
}

TEST_F(LayerList, FilesThatDoNotFitStopWithTheMessageAndKeepEarlierNames) {
    struct Case {
        const char* what;
        std::string file;
        Names renamed;
        Names created;
        bool createFits = false;
    };
    const Names untouched = {"0:a", "1:b", "0:c"};
    const std::vector<Case> cases = {
        {"indented two levels", "x\n\t\ty\n", {"0:x", "1:b", "0:c"}, {"0:x", "0:a", "1:b", "0:c"}},
        {"first line indented", "\tx\n", untouched, untouched},
        {"first line empty", "\nx\n", untouched, untouched},
        {"empty file", "", untouched, untouched},
        {"more layers at a level than the document has",
         "x\n\ty\n\tz\n",
         {"0:x", "1:y", "0:c"},
         {"0:x", "1:y", "1:z", "0:a", "1:b", "0:c"},
         true},
        {"more top-level layers",
         "x\ny\nz\n",
         {"0:x", "1:b", "0:y"},
         {"0:x", "0:y", "0:z", "0:a", "1:b", "0:c"},
         true},
    };
    for (const Case& c : cases) {
        for (int mode : {0, 1}) {
            OpenDocument({{0, "a"}, {1, "b"}, {0, "c"}});
            app().user().clearRecords();
            lt::WriteFile(File(), c.file);
            const HostErr result = Load(File(), kEncodingUTF8, mode);
            const bool fits = mode == 1 && c.createFits;
            EXPECT_EQ(result, fits ? kHostNoErr : kHostErrCancelled) << c.what << mode;
            EXPECT_EQ(Outline(), mode == 0 ? c.renamed : c.created) << c.what << mode;
            if (mode == 0) {
                EXPECT_EQ(Messages(), (Names{kLayerMismatchMessage})) << c.what;
            } else if (!fits) {
                ASSERT_EQ(Messages().size(), 1u) << c.what;
                EXPECT_NE(Messages()[0].find("新規レイヤーの作成を中断しました"),
                          std::string::npos);
            }
        }
    }
}

TEST_F(LayerList, DamagedFilesNeverBreakTheCommand) {
    std::mt19937 random(11);
    std::string junk(64 * 1024, '\0');
    for (char& c : junk)
        c = static_cast<char>(random());
    struct Case {
        std::string bytes;
        std::vector<int32_t> encodings;
    };
    const std::vector<Case> cases = {
        {junk, {kEncodingShiftJIS, kEncodingUTF8, kEncodingUTF16}},
        {"\x82", {kEncodingShiftJIS, kEncodingUTF8, kEncodingUTF16}},
        {std::string(1 << 20, '\t') + "deep", {kEncodingUTF8}},
        {std::string(10 << 20, 'y'), {kEncodingUTF16}},
    };
    for (const Case& c : cases) {
        lt::WriteFile(File(), c.bytes);
        for (int32_t encoding : c.encodings) {
            for (int mode : {0, 1}) {
                OpenDocument({{0, "a"}, {1, "b"}});
                const HostErr result = Load(File(), encoding, mode);
                EXPECT_TRUE(result == kHostNoErr || result == kHostErrCancelled) << result;
                ExpectNoDialogFaults();
            }
        }
    }
}

TEST_F(LayerList, NamesKeepToTheirLines) {
    OpenDocument({{0, "one\rtwo"}, {0, "three\nfour"}, {0, "five"}});
    ASSERT_EQ(Save(File(), kEncodingUTF8), kHostNoErr);
    EXPECT_EQ(lt::ReadFile(File()), "\xEF\xBB\xBFone\r\nthree\r\nfive\r\n");
    ASSERT_EQ(Load(File(), kEncodingUTF8, 0), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"one", "three", "five"}));
}

TEST_F(LayerList, ANameShiftJISCannotHoldStopsBeforeTheFileIsTouched) {
    OpenDocument({{0, "道路"}, {0, "café ☕"}});
    lt::WriteFile(File(), "keep");
    Answers({host::Answer::Ok});
    EXPECT_EQ(Save(File(), kEncodingShiftJIS), kHostErrEncoding);
    EXPECT_EQ(lt::ReadFile(File()), "keep");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("café ☕"), std::string::npos);
    EXPECT_NE(Messages()[0].find("UTF-8"), std::string::npos);
}

// These go out as a lookalike and come back as another character: the name would change.
TEST_F(LayerList, NamesThatDoNotReadBackFromShiftJISAreReported) {
    for (const char* name : {"〜", "−", "¥", "‖", "—", "¬"}) {
        SCOPED_TRACE(name);
        app().user().clearRecords();
        OpenDocument({{0, "道路"}, {0, std::string("川") + name}});
        std::filesystem::remove(File());
        EXPECT_EQ(Save(File(), kEncodingShiftJIS), kHostErrEncoding);
        EXPECT_FALSE(std::filesystem::exists(File()));
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_NE(Messages()[0].find(std::string("川") + name), std::string::npos);
    }
}

TEST_F(LayerList, OverwriteIsAskedAndRefusalKeepsTheFile) {
    OpenDocument({{0, "a"}});
    lt::WriteFile(File(), "keep");
    Answers({host::Answer::Cancel});
    EXPECT_EQ(Save(File(), kEncodingUTF8), kHostErrCancelled);
    EXPECT_EQ(lt::ReadFile(File()), "keep");
    ASSERT_EQ(app().user().alerts().size(), 1u);
    EXPECT_EQ(app().user().alerts()[0].text,
              "指定されたファイルは既に存在します。上書きしてよろしいですか？");
    Answers({host::Answer::Ok});
    EXPECT_EQ(Save(File(), kEncodingUTF8), kHostNoErr);
    EXPECT_EQ(lt::ReadFile(File()), "\xEF\xBB\xBF"
                                    "a\r\n");
}

TEST_F(LayerList, AWriteThatBreaksOffLeavesTheOldFileWhole) {
    OpenDocument(kNested);
    lt::WriteFile(File(), "keep");
    Answers({host::Answer::Ok});
    // The third name cannot be had: the writing stops in the middle of the list.
    Script(ChooseFile(File(), kEncodingUTF16));
    app().faults().failOperation("GetUTF16", kHostErrMemory, 3);
    CLayerListFile command(pluginRef());
    EXPECT_EQ(command.Save(), kHostErrFile);
    EXPECT_EQ(lt::ReadFile(File()), "keep");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find(File().string()), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir()),
                            std::filesystem::directory_iterator()),
              2)
        << "only the list and the preferences";
}

TEST_F(LayerList, DialogsProposeTheDocumentsNameAndTheLastFolder) {
    OpenDocument({{0, "a"}});
    std::optional<ws::ControlInfo> name, folder, encoding;
    auto look = [&](ws::DialogView& v) {
        name = v.control(WS_FD_FILENAME);
        folder = v.control(WS_FD_FOLDER);
        encoding = v.control(kEncodingListId);
    };
    // No file: the name is the extension alone.
    EXPECT_EQ(Save(File(), kEncodingUTF8, {ScriptedUser::inspect(look)}), kHostNoErr);
    EXPECT_EQ(name->text, ".txt");
    EXPECT_EQ(encoding->items, (Names{"シフトJIS", "UTF-8", "UTF-16"}));
    EXPECT_EQ(encoding->selection, 0);

    // The next dialog starts in the folder of the file chosen last; a relative name and no
    // extension land there as a .txt file.
    std::filesystem::create_directories(dir() / "maps");
    doc().filePath = (dir() / "maps" / "county.svg").string();
    EXPECT_EQ(Save(dir() / "maps" / "first.txt", kEncodingUTF8), kHostNoErr);
    Script({ScriptedUser::inspect(look), ScriptedUser::type(WS_FD_FILENAME, "second"),
            ScriptedUser::ok()});
    CLayerListFile command(pluginRef());
    EXPECT_EQ(command.Save(), kHostNoErr);
    EXPECT_EQ(name->text, "county.txt");
    EXPECT_EQ(folder->text, (dir() / "maps").string());
    EXPECT_EQ(lt::ReadFile(dir() / "maps" / "second.txt"), "a\r\n") << "Shift-JIS by default";
}

TEST_F(LayerList, OpenDialogWantsAnExistingFile) {
    Script({ScriptedUser::click(1134), ScriptedUser::ok(),
            ScriptedUser::type(WS_FD_FILENAME, (dir() / "missing.txt").string()),
            ScriptedUser::ok(), ScriptedUser::cancel()});
    CLayerListFile command(pluginRef());
    EXPECT_EQ(command.SetFromFile(), kHostErrCancelled);
    ASSERT_EQ(user().errors().size(), 1u);
    EXPECT_NE(user().errors()[0].find("does not exist"), std::string::npos);
}

TEST_F(LayerList, AFileThatCannotBeOpenedIsReported) {
    lt::WriteFile(File(), "x\n");
    Script({ScriptedUser::click(1134), ScriptedUser::ok(),
            ScriptedUser::type(WS_FD_FILENAME, File().string()),
            ScriptedUser::inspect([&](ws::DialogView&) {
                app().faults().failOperation("GetFullPath", kHostErrFile, 1);
            }),
            ScriptedUser::ok()});
    // The host could not give the file's path: its error, not the file's.
    CLayerListFile command(pluginRef());
    EXPECT_EQ(command.SetFromFile(), kHostErrFile);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Titles(), (Names{"Layer 1"}));
}

// A host failure while the file is applied is the host's: it ends the command with its
// code, never as a cancel and never blaming the file.
TEST_F(LayerList, HostFailuresWhileApplyingTheFileAreErrors) {
    struct Case {
        int restoreKind;
        const char* operation;
        std::uint64_t onCall;
    } cases[] = {
        {0, "SetLayerTitle", 2},
        {1, "SetLayerTitle", 2},
        {1, "InsertLayer", 2},
        {0, "GetFirstChild", 1},
        {0, "GetNextNonChildPreorderLayer", 1},
        {1, "GetLayerParent", 1},
        {0, "AI Unicode String Suite/New", 3},
        {1, "AI Unicode String Suite/New", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + (c.restoreKind == 0 ? " rename" : " create"));
        app().user().clearRecords();
        OpenDocument({{0, "a"}, {1, "b"}, {0, "c"}});
        lt::WriteFile(File(), "A\r\n\tB\r\nC\r\n");
        Script({ScriptedUser::click(c.restoreKind == 0 ? 1134 : 1135), ScriptedUser::ok(),
                ScriptedUser::type(WS_FD_FILENAME, File().string()),
                ScriptedUser::inspect([&](ws::DialogView&) {
                    app().faults().failOperation(c.operation, kHostErrMemory, c.onCall);
                }),
                ScriptedUser::ok()});
        CLayerListFile command(pluginRef());
        EXPECT_EQ(command.SetFromFile(), kHostErrMemory);
        app().faults().clear();
        EXPECT_TRUE(Messages().empty()) << Messages().front();
    }
}

// A FIFO would block the command for ever and a device would never end.
TEST_F(LayerList, OnlyRegularFilesAreRead) {
    const std::filesystem::path fifo = File("fifo.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& file : {fifo, std::filesystem::path("/dev/zero")}) {
        SCOPED_TRACE(file.string());
        app().user().clearRecords();
        OpenDocument({{0, "a"}});
        EXPECT_EQ(Load(file, kEncodingUTF8, 0), kHostErrCancelled);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], "ファイルを開けません\nnot a regular file");
        EXPECT_EQ(Titles(), (Names{"a"}));
    }
}

TEST_F(LayerList, RestoreKindIsOfferedAgainAndCancelsEndEverything) {
    OpenDocument({{0, "a"}});
    lt::WriteFile(File(), "x\n");
    EXPECT_EQ(Load(File(), kEncodingUTF8, 1), kHostNoErr);
    std::optional<ws::ControlInfo> rename, create;
    Script({ScriptedUser::inspect([&](ws::DialogView& v) {
                rename = v.control(1134);
                create = v.control(1135);
            }),
            ScriptedUser::ok(), ScriptedUser::cancel()});
    CLayerListFile command(pluginRef());
    EXPECT_EQ(command.SetFromFile(), kHostErrCancelled) << "cancel in the file dialog";
    EXPECT_FALSE(rename->checked);
    EXPECT_TRUE(create->checked);

    Script({ScriptedUser::cancel()});
    EXPECT_EQ(command.SetFromFile(), kHostErrCancelled);
    EXPECT_EQ(Titles(), (Names{"x", "a"}));
}

TEST_F(LayerList, SnapshotFailureEndsTheSaveBeforeAnyDialog) {
    app().faults().failOperation("GetFirstLayer", kHostErrNoDocument);
    CLayerListFile command(pluginRef());
    EXPECT_EQ(command.Save(), kHostErrNoDocument);
    EXPECT_TRUE(user().dialogs().empty());
}

TEST_F(LayerList, ParseListLine) {
    struct Case {
        std::string line;
        size_t depth;
        std::string name;
    };
    for (const Case& c : {Case{"", 0, ""}, Case{"\t\t", 2, ""}, Case{"\ta\tb", 1, "a\tb"},
                          Case{" \tx", 0, " \tx"}, Case{"\t\t\t道", 3, "道"}}) {
        ai::UnicodeString line;
        ASSERT_EQ(NewText(c.line, line), kHostNoErr);
        ListLine parsed;
        ASSERT_EQ(ParseListLine(line.get(), parsed), kHostNoErr);
        EXPECT_EQ(parsed.depth, c.depth) << c.line;
        EXPECT_EQ(parsed.name.as_UTF8(), c.name) << c.line;
    }
}

} // namespace
