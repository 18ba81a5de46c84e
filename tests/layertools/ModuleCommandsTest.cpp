// The four commands chosen from the built module's menu in the stand-in host, as a user
// runs them: start-up, menu, dialogs, alerts, settings and the document.
#include "LayerToolsHarness.h"

#include "common/TextFileDialog.h"
#include "resources/CartovelResources.h"

namespace {

using Names = std::vector<std::string>;
using ws::ScriptedUser;

class ModuleCommands : public lt::LayerToolsTest {
protected:
    void SetUp() override {
        LayerToolsTest::SetUp();
        StartModule();
        OpenDocument({{0, "Roads"}, {1, "Local"}, {0, "Rivers", false}, {0, "01_Buildings"}});
    }
};

TEST_F(ModuleCommands, NumberingFromTheMenu) {
    Script({ScriptedUser::ok()});
    EXPECT_EQ(ChooseMenu(menu::kLayerNumbering.text), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"1: Roads", "2: Local", "Rivers", "3: 01_Buildings"}));
    Script({ScriptedUser::cancel()});
    EXPECT_EQ(ChooseMenu(menu::kLayerNumbering.text), kHostErrCancelled);
}

TEST_F(ModuleCommands, ReplaceFromTheMenu) {
    Script({ScriptedUser::click(layerreplace::kDigitsRadioId), ScriptedUser::ok()});
    EXPECT_EQ(ChooseMenu(menu::kLayerReplace.text), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"Roads", "Local", "Rivers", "_Buildings"}));
}

TEST_F(ModuleCommands, SaveAndSetFromTheMenu) {
    const auto file = dir() / "names.txt";
    Script({ScriptedUser::type(WS_FD_FILENAME, file.string()),
            ScriptedUser::pickText(kEncodingListId, "UTF-16"), ScriptedUser::ok()});
    ASSERT_EQ(ChooseMenu(menu::kSaveLayerList.text), kHostNoErr);
    EXPECT_EQ(lt::ReadFile(file).substr(0, 2), "\xFF\xFE");

    OpenDocument({{0, "a"}, {1, "b"}, {0, "c"}, {0, "d"}});
    Script({ScriptedUser::ok(), ScriptedUser::type(WS_FD_FILENAME, file.string()),
            ScriptedUser::pickText(kEncodingListId, "UTF-16"), ScriptedUser::ok()});
    ASSERT_EQ(ChooseMenu(menu::kLoadLayerList.text), kHostNoErr);
    EXPECT_TRUE(user().errors().empty()) << user().errors().front();
    EXPECT_EQ(Outline(), (Names{"0:Roads", "1:Local", "0:Rivers", "0:01_Buildings"}));
}

} // namespace
