// The window system's file dialogs on the module's child template, as a hook sees them.
#include "LayerToolsHarness.h"

#include "common/TextFileDialog.h"
#include "platform/ws.h"

namespace {

using ws::ScriptedUser;

class FileDialog : public lt::LayerToolsTest {
protected:
    struct Run {
        int ok = 0;
        uint32_t error = 0;
        std::string file;
        std::vector<std::string> notified;
    };

    /** Runs the open (or save) dialog with a hook that records the files it is told of and
     *  refuses the first refusals of them. */
    Run Show(bool save, size_t bufferSize = 4096, bool withTemplate = true) {
        static thread_local Run* current = nullptr;
        static thread_local int refusals = 0;
        Run run;
        current = &run;
        refusals = refuse;
        std::string buffer(bufferSize, '\0');
        WsOpenFileName ofn{};
        ofn.module = WsGetModuleHandle("cartovel.so");
        ofn.templateId = kTextFileDialogTemplate;
        ofn.filter = "Text\0*.txt\0\0";
        ofn.filterIndex = 1;
        ofn.file = buffer.data();
        ofn.fileSize = buffer.size();
        ofn.initialDir = dir().c_str();
        ofn.defaultExt = "txt";
        ofn.flags = WS_OFN_PATHMUSTEXIST | WS_OFN_FILEMUSTEXIST | WS_OFN_ENABLEHOOK |
                    (withTemplate ? WS_OFN_ENABLETEMPLATE : 0);
        ofn.hook = [](WsWindow, uint32_t message, WsWParam, WsLParam lParam) -> intptr_t {
            if (message != WS_NOTIFY) return 0;
            const auto* n = reinterpret_cast<const WsOfNotify*>(lParam);
            if (n->code != WS_CDN_FILEOK) return 0;
            current->notified.push_back(n->ofn->file);
            return refusals-- > 0 ? 1 : 0;
        };
        run.ok = save ? WsGetSaveFileName(&ofn) : WsGetOpenFileName(&ofn);
        run.error = WsCommDlgExtendedError();
        run.file = buffer.c_str();
        return run;
    }
    int refuse = 0;
};

TEST_F(FileDialog, NamesResolveInTheDialogsFolderWithTheDefaultExtension) {
    std::filesystem::create_directories(dir() / "sub");
    lt::WriteFile(dir() / "sub" / "a.txt", "");
    // A folder's name moves into it; a name without extension gets the default one.
    Script({ScriptedUser::type(WS_FD_FILENAME, "sub"), ScriptedUser::ok(),
            ScriptedUser::type(WS_FD_FILENAME, "a"), ScriptedUser::ok()});
    const Run open = Show(false);
    EXPECT_EQ(open.ok, 1);
    EXPECT_EQ(open.file, (dir() / "sub" / "a.txt").string());

    Script({ScriptedUser::type(WS_FD_FILENAME, "new"), ScriptedUser::ok()});
    const Run save = Show(true);
    EXPECT_EQ(save.ok, 1);
    EXPECT_EQ(save.file, (dir() / "new.txt").string()) << "a save needs no existing file";
}

TEST_F(FileDialog, TheHookCanRefuseAFileAndTheDialogStaysOpen) {
    refuse = 1;
    Script({ScriptedUser::type(WS_FD_FILENAME, "x"), ScriptedUser::ok(),
            ScriptedUser::type(WS_FD_FILENAME, "y"), ScriptedUser::ok()});
    const Run run = Show(true);
    EXPECT_EQ(run.ok, 1);
    EXPECT_EQ(run.notified.size(), 2u);
    EXPECT_EQ(run.file, (dir() / "y.txt").string());
}

TEST_F(FileDialog, FailuresAreToldApartFromACancel) {
    Script({ScriptedUser::cancel()});
    Run run = Show(true);
    EXPECT_EQ(run.ok, 0);
    EXPECT_EQ(run.error, static_cast<uint32_t>(WS_CDERR_NONE));

    Script({ScriptedUser::type(WS_FD_FILENAME, "a-rather-long-name"), ScriptedUser::ok()});
    run = Show(true, 8);
    EXPECT_EQ(run.ok, 0);
    EXPECT_EQ(run.error, static_cast<uint32_t>(WS_FNERR_BUFFERTOOSMALL));

    run = Show(true, 4096, false);
    EXPECT_EQ(run.ok, 0);
    EXPECT_EQ(run.error, static_cast<uint32_t>(WS_CDERR_NOTEMPLATE));
}

} // namespace
