// The three commands reached from the module's menu items, as a user reaches them.
#include "MapToolsHarness.h"

#include "resources/CartovelResources.h"

namespace {

using maptest::MapToolsTest;
using ws::ScriptedUser;

TEST_F(MapToolsTest, MenuItemsRunTheMapCommands) {
    Path(*doc().layerAt(0)->group(), {{0, 0}, {10, 10}}); // map scaling needs a drawing
    Script({ScriptedUser::cancel(), ScriptedUser::cancel()});
    ChooseMenu(menu::kMapScaling.text);
    ChooseMenu(menu::kScaleBar.text);
    ASSERT_EQ(user().dialogs().size(), 2u);
    EXPECT_EQ(user().dialogs()[0].templateId, mapscaling::kDialogId);
    EXPECT_EQ(user().dialogs()[1].templateId, scalebar::kDialogId);

    EXPECT_EQ(ChooseMenu(menu::kFastMove.text), kHostNoErr);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"移動先を示すパスを1つだけ選択して実行してください"});
}

} // namespace
