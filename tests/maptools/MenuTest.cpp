// The three commands reached from the module's menu items, as a user reaches them.
#include "MapToolsHarness.h"

namespace {

using maptest::MapToolsTest;
using ws::ScriptedUser;

TEST_F(MapToolsTest, MenuItemsRunTheMapCommands) {
    Path(*doc().layerAt(0)->group(), {{0, 0}, {10, 10}}); // map scaling needs a drawing
    Script({ScriptedUser::cancel(), ScriptedUser::cancel()});
    ChooseMenu("地図拡大縮小...");
    ChooseMenu("スケールバー作成...");
    ASSERT_EQ(user().dialogs().size(), 2u);
    EXPECT_EQ(user().dialogs()[0].templateId, 115);
    EXPECT_EQ(user().dialogs()[1].templateId, 123);

    EXPECT_EQ(ChooseMenu("高速移動"), kHostNoErr);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"移動先を示すパスを1つだけ選択して実行してください"});
}

} // namespace
