// The module's menus in the host: where they go, their enabling by the document's state,
// the panel items' check marks, and `cartovel menus`.
#include "SpineFixture.h"

#include "hostapi/suites/NotifierSuite.h"
#include "support/CartovelRun.h"

#include <memory>

namespace spine {
namespace {

std::vector<std::string> textsOf(const host::MenuGroup& group) {
    std::vector<std::string> texts;
    for (const host::MenuItem* i : group.items)
        texts.push_back(i->isSeparator() ? "----" : i->text);
    return texts;
}

TEST_F(Spine, ExistingGroupsAreReusedInsteadOfAddingASecondSubMenu) {
    host::MenuGroup& objects = app.menus().addHostGroup(kObjectsGroup);
    ASSERT_EQ(start(), kHostNoErr);

    // Only the windows group needed a sub-menu item of its own.
    int subMenuItems = 0;
    for (const host::MenuItem* i : app.menus().items())
        if (i->text == "Mirvak-CARTOVEL1.6") ++subMenuItems;
    EXPECT_EQ(subMenuItems, 1);
    EXPECT_TRUE(app.menus().findGroup("Object Utilities")->items.empty());
    EXPECT_EQ(textsOf(objects).size(), 13u);
    EXPECT_EQ(objects.items.front()->text, "高速移動");
}

TEST_F(Spine, CommandsAreEnabledByTheDocumentsState) {
    ASSERT_EQ(start(), kHostNoErr);
    const auto enabled = [&](std::string_view text) { return requireItem(text).enabled(); };
    struct Case {
        const char* what;
        std::unique_ptr<host::FixedDocumentState> document;
        bool documentCommands, image, text;
    };
    Case cases[] = {
        {"no document", nullptr, false, false, false},
        {"empty document", std::make_unique<host::FixedDocumentState>(0, 0, 0), true, false, false},
        {"placed selected",
         std::make_unique<host::FixedDocumentState>(host::kMenuArtPlaced, host::kMenuArtPlaced, 0),
         true, true, false},
        {"raster selected",
         std::make_unique<host::FixedDocumentState>(host::kMenuArtRaster, host::kMenuArtRaster, 0),
         true, true, false},
        {"text in the document only",
         std::make_unique<host::FixedDocumentState>(host::kMenuArtText, 0, 0), true, false, false},
        {"text selected",
         std::make_unique<host::FixedDocumentState>(host::kMenuArtText, host::kMenuArtText, 0),
         true, false, true},
    };
    for (const Case& c : cases) {
        app.setDocumentState(c.document.get());
        app.updateMenus();
        for (std::string_view command : kDocumentCommands)
            EXPECT_EQ(enabled(command), c.documentCommands) << c.what << ": " << command;
        EXPECT_EQ(enabled(kImageCommand), c.image) << c.what;
        for (std::string_view command : kTextCommands)
            EXPECT_EQ(enabled(command), c.text) << c.what << ": " << command;
        // The panel items and the about item never depend on the document.
        EXPECT_TRUE(enabled(kTextOrigin) && enabled(kMoveLayer) && enabled(kAboutItem)) << c.what;
    }
    app.setDocumentState(nullptr);
}

TEST_F(Spine, PanelCheckMarksFollowThePanelsAndTogglesAlwaysAnswer) {
    ASSERT_EQ(start(), kHostNoErr);
    host::MenuItem& textOrigin = requireItem(kTextOrigin);
    host::MenuItem& moveLayer = requireItem(kMoveLayer);
    app.updateMenus();
    // Both panels are shown at start-up, or neither could be made.
    const bool shown = textOrigin.checked;
    EXPECT_EQ(moveLayer.checked, shown);

    // One update naming any item refreshes both marks.
    textOrigin.checked = moveLayer.checked = !shown;
    ASSERT_EQ(sendMenu(kSelectorUpdate, &requireItem(kAboutItem)), kHostNoErr);
    if (shown) {
        EXPECT_TRUE(textOrigin.checked && moveLayer.checked);
    }
    textOrigin.checked = moveLayer.checked = shown;

    // Choosing a panel item hides a shown panel and shows it again; without the panel the
    // choice is answered all the same and the mark stays clear.
    for (host::MenuItem* panelItem : {&textOrigin, &moveLayer}) {
        host::MenuItem* other = panelItem == &textOrigin ? &moveLayer : &textOrigin;
        ASSERT_EQ(app.chooseMenuItem(panelItem->handle()), kHostNoErr) << panelItem->text;
        app.updateMenus();
        EXPECT_FALSE(panelItem->checked) << panelItem->text;
        EXPECT_EQ(other->checked, shown) << panelItem->text;
        ASSERT_EQ(app.chooseMenuItem(panelItem->handle()), kHostNoErr) << panelItem->text;
        app.updateMenus();
        EXPECT_EQ(panelItem->checked, shown) << panelItem->text;
    }
    // Once the application-shutdown notification has deleted the panels, toggles and
    // updates still answer.
    app.notify(kHostAppShutdownNotifier);
    EXPECT_EQ(sendMenu(kSelectorGo, &textOrigin), kHostNoErr);
    EXPECT_EQ(sendMenu(kSelectorUpdate, &moveLayer), kHostNoErr);
}

// ---- the command-line host ----

using cartotest::ProgramRun;
using cartotest::runCartovel;

const std::string kPluginOption = std::string("--plugin ") + CARTOVEL_PLUGIN_FILE;

TEST(Cli, MenusPrintsTheModulesTreeWithTheEnablingOfAHostWithoutDocument) {
    const ProgramRun run = runCartovel(kPluginOption + " menus");
    ASSERT_EQ(run.status, 0) << run.out;
    std::string tree = run.out;
    // Panel marks depend on whether the panels could be made.
    for (std::size_t at; (at = tree.find(" (checked)")) != std::string::npos;)
        tree.erase(at, 10);
    EXPECT_EQ(tree, "Object Utilities\n"
                    "  Mirvak-CARTOVEL1.6 > Mirvak-Cartovel1.6 Objects\n"
                    "    高速移動 (disabled)\n"
                    "    地図拡大縮小... (disabled)\n"
                    "    スケールバー作成... (disabled)\n"
                    "    ポリゴン色分け (disabled)\n"
                    "    ----\n"
                    "    レイヤー通し番号作成... (disabled)\n"
                    "    レイヤー名置換... (disabled)\n"
                    "    レイヤー名リストをファイルに保存... (disabled)\n"
                    "    レイヤー名をファイルから設定... (disabled)\n"
                    "    ----\n"
                    "    配置画像サイズをリセット (disabled)\n"
                    "    テキストを水平垂直に戻す (disabled)\n"
                    "    テキストのシアー変形除去 (disabled)\n"
                    "Tool Palettes\n"
                    "  Mirvak-CARTOVEL1.6 > Mirvak-Cartovel1.6 Windows\n"
                    "    テキスト原点\n"
                    "    レイヤー間移動\n"
                    "About\n"
                    "  Mirvakについて... > AboutMirvakName\n"
                    "    Mirvak-Cartovel1.6...\n");
}

TEST(Cli, ExitStatusesAndMessages) {
    const cartotest::RunCase cases[] = {
        {"--version", 0, "cartovel 1.6.2"},
        {"--help", 0, "Usage: cartovel"},
        {"run --help", 0, "polygon-colouring"},
        {kPluginOption + " about", 0, "Version 1.6.2"},
        {"", 64, "A subcommand is required"},
        {"run no-such-command in.svg -o out.svg", 64, "no-such-command"},
        {kPluginOption + " about --answer maybe", 64, "--answer"},
        {kPluginOption + " about --set scale", 64, "is not FIELD=VALUE"},
        {"--plugin /no/such/module.so menus", 1,
         "cartovel: MOD?: /no/such/module.so: no such module file"},
        {"--plugin " + cartotest::cartovelProgram().string() + " menus", 1,
         "has no plug-in property list (resource 'PIPL' 16000)"},
    };
    for (const cartotest::RunCase& c : cases)
        cartotest::ExpectEndedAs(runCartovel(c.arguments), c);
    // The environment names the module when --plugin does not.
    cartotest::RunOptions environment;
    environment.environment = "CARTOVEL_PLUGIN=/no/such/env.so";
    const ProgramRun fromEnvironment = runCartovel("menus", environment);
    EXPECT_NE(fromEnvironment.out.find("/no/such/env.so: no such module file"), std::string::npos)
        << fromEnvironment.out;
}

} // namespace
} // namespace spine
