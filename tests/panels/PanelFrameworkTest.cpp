// The panel framework through the loaded module: creation at start-up, the menu toggles
// and their check marks, the theme at creation and on a brightness change, the layout at
// two interface scales, the message routing, and the window system's objects going back
// at shut-down.
#include "PanelFixture.h"

#include "host/core/Menus.h"
#include "hostapi/suites/NotifierSuite.h"
#include "resources/CartovelResources.h"

namespace paneltest {
namespace {

constexpr std::uint32_t kCountedKinds[] = {WS_LIVE_WINDOWS, WS_LIVE_FONTS, WS_LIVE_BRUSHES,
                                           WS_LIVE_BITMAPS, WS_LIVE_ICONS, WS_LIVE_IMAGELISTS,
                                           WS_LIVE_DCS};

class Framework : public PanelTest {
protected:
    host::MenuItem* Item(const std::string& text) {
        for (host::MenuItem* item : app().menus().items())
            if (item->text == text) return item;
        ADD_FAILURE() << "no item " << text;
        return nullptr;
    }
    const host::PanelRecord* Record(const char* title) { return app().panels().findByTitle(title); }
    ws::ControlInfo Label() { return *Panel(kMoveTitle).control(kGroupLabel); }
};

TEST_F(Framework, BothPanelsAreShownAtStartAndTheMenuTogglesThemWithCheckMarks) {
    StartModule();
    for (const char* title : {kOriginTitle, kMoveTitle}) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(Panel(title).exists());
        EXPECT_TRUE(Panel(title).isShown());
        app().updateMenus();
        EXPECT_TRUE(Item(title)->checked);
        ASSERT_EQ(ChooseMenu(title), kHostNoErr);
        EXPECT_FALSE(Panel(title).isShown());
        app().updateMenus();
        EXPECT_FALSE(Item(title)->checked);
        ASSERT_EQ(ChooseMenu(title), kHostNoErr);
        EXPECT_TRUE(Panel(title).isShown());
    }
    // The identifiers as the host knows them.
    EXPECT_EQ(Record(kMoveTitle)->id, "MvCartovel1.5MoveLayerPanelID");
    EXPECT_EQ(Record(kOriginTitle)->id, "MvCartovel1.5TextAlignPanelID");
    EXPECT_FALSE(Record(kOriginTitle)->resizable);
    EXPECT_TRUE(Record(kMoveTitle)->resizable);
    EXPECT_EQ(Record(kMoveTitle)->flyout, nullptr);
}

TEST_F(Framework, TheThemeIsReadAtCreationAndFollowsTheBrightness) {
    StartModule();
    // Light: text 0.1 and background 0.94 of 255, truncated.
    ws::ControlInfo label = Label();
    ASSERT_TRUE(label.paint.painted);
    EXPECT_EQ(label.paint.textColor, WS_RGB(25, 25, 25));
    EXPECT_EQ(label.paint.bkMode, WS_TRANSPARENT);
    ASSERT_TRUE(label.paint.hasBrush);
    EXPECT_EQ(label.paint.brushColor, WS_RGB(239, 239, 239));
    EXPECT_EQ(Record(kMoveTitle)->icon.resourceId, movelayer::kLightIcon);
    EXPECT_EQ(Record(kOriginTitle)->icon.resourceId, textalign::kLightIcon);

    app().setDarkInterface(true);
    label = Label();
    EXPECT_EQ(label.paint.textColor, WS_RGB(229, 229, 229));
    EXPECT_EQ(label.paint.brushColor, WS_RGB(51, 51, 51));
    EXPECT_EQ(Record(kMoveTitle)->icon.resourceId, movelayer::kDarkIcon);
    EXPECT_EQ(Record(kOriginTitle)->icon.resourceId, textalign::kDarkIcon);
    app().setDarkInterface(false);
    EXPECT_EQ(Record(kMoveTitle)->icon.resourceId, movelayer::kLightIcon);

    // Every redraw replaces the brush: one per panel that draws static text.
    for (int i = 0; i < 5; ++i)
        Panel(kMoveTitle).paint();
    EXPECT_EQ(WsLiveObjects(WS_LIVE_BRUSHES), 1u);
}

TEST_F(Framework, ThemeComponentsOutsideZeroToOneAreClamped) {
    StartModule();
    app().panels().look().text = {1.0, 1.2, 1.0000001, -0.3};
    app().panels().look().background = {1.0, 0.5, 2.0, 0.0};
    app().notify(kHostUIBrightnessChangedNotifier);
    Panel(kMoveTitle).paint();
    EXPECT_EQ(Label().paint.textColor, WS_RGB(255, 255, 0));
    EXPECT_EQ(Label().paint.brushColor, WS_RGB(127, 255, 0));
}

TEST_F(Framework, AWindowWithoutItsPanelObjectGetsTheDefaultProcedure) {
    StartModule();
    const WsWindow window = Panel(kMoveTitle).window();
    void* object = WsRemoveProp(window, "TPNL");
    ASSERT_NE(object, nullptr);
    const std::size_t brushes = WsLiveObjects(WS_LIVE_BRUSHES);
    const WsDC dc = WsGetDC(window);
    EXPECT_EQ(WsSendMessage(window, WS_CTLCOLORSTATIC, reinterpret_cast<WsWParam>(dc),
                            reinterpret_cast<WsLParam>(Label().window)),
              0);
    WsReleaseDC(window, dc);
    EXPECT_EQ(WsLiveObjects(WS_LIVE_BRUSHES), brushes);
    WsSetProp(window, "TPNL", object);
}

TEST_F(Framework, NoWindowFontBrushBitmapIconOrImageListOutlivesThePanels) {
    app().mainWindow().get();
    std::vector<std::size_t> before;
    for (std::uint32_t kind : kCountedKinds)
        before.push_back(WsLiveObjects(kind));
    OpenSession(SampleMap());
    StartModule();
    Click(kMoveTitle, kRefresh);
    app().setDarkInterface(true);
    EXPECT_GT(WsLiveObjects(WS_LIVE_WINDOWS), before[0]);
    EXPECT_EQ(WsLiveObjects(WS_LIVE_FONTS), before[1] + 1);
    EXPECT_EQ(WsLiveObjects(WS_LIVE_ICONS), before[4] + 6);
    EXPECT_EQ(WsLiveObjects(WS_LIVE_IMAGELISTS), before[5] + 1);
    // The image list keeps copies: the bitmaps themselves are gone already.
    EXPECT_EQ(WsLiveObjects(WS_LIVE_BITMAPS), before[3]);

    app().shutdown();
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(WsLiveObjects(kCountedKinds[i]), before[i]) << "kind " << kCountedKinds[i];
    EXPECT_EQ(app().panels().live(), 0u);
    EXPECT_EQ(app().panels().liveFlyouts(), 0u);
}

// The geometry table of a size change, at creation and after a resize, at two scales.
class Layout : public Framework, public ::testing::WithParamInterface<double> {};

TEST_P(Layout, ControlsFollowTheTableAfterCreationAndEveryResize) {
    const double s = GetParam();
    app().setScaleFactors(1.0, s);
    StartModule();
    const auto check = [&](double w, double h) {
        const auto at = [&](const char* text) {
            const ws::ControlInfo c = *Panel(kMoveTitle).control(text);
            return std::vector<int>{c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                                    c.rect.bottom - c.rect.top};
        };
        const auto px = [](double v) { return static_cast<int>(v); };
        EXPECT_EQ(at("#1001"),
                  (std::vector<int>{px(4 * s), px(4 * s), px((w - 8) * s), px((h - 55) * s)}));
        EXPECT_EQ(at("#1002"),
                  (std::vector<int>{px(6 * s), px((h - 45) * s), px(13 * s), px(13 * s)}));
        EXPECT_EQ(at(kGroupLabel),
                  (std::vector<int>{px(22 * s), px((h - 47) * s), px(150 * s), px(16 * s)}));
        EXPECT_EQ(at(kRefresh),
                  (std::vector<int>{px(4 * s), px((h - 25) * s), px(150 * s), px(22 * s)}));
        EXPECT_EQ(Panel(kMoveTitle).control(kRefresh)->fontHeight, px(12 * s));
    };
    {
        SCOPED_TRACE("at creation");
        check(160, 144);
    }
    ASSERT_TRUE(Panel(kMoveTitle).resize(static_cast<int>(300 * s), static_cast<int>(400 * s)));
    {
        SCOPED_TRACE("after a resize");
        check(300, 400);
    }
    // The check box and its label sit below the tree, not on it.
    const ws::ControlInfo tree = Tree();
    EXPECT_LE(tree.rect.bottom, Panel(kMoveTitle).control("#1002")->rect.top);
    // The origin buttons: 24 s square, side by side.
    const std::vector<ws::ControlInfo> buttons = Panel(kOriginTitle).controls();
    ASSERT_EQ(buttons.size(), 6u);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].rect.left, static_cast<int>(24 * s * static_cast<double>(i)));
        EXPECT_EQ(buttons[i].rect.right - buttons[i].rect.left, static_cast<int>(24 * s));
        EXPECT_NE(buttons[i].image, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, Layout, ::testing::Values(1.0, 2.0));

TEST_F(Framework, OriginButtonsFollowWhetherADocumentIsOpenFromTheStart) {
    OpenSession(SampleMap());
    StartModule();
    for (const ws::ControlInfo& b : Panel(kOriginTitle).controls())
        EXPECT_TRUE(b.enabled);
    StopHost();
    StartHost();
    StartModule();
    for (const ws::ControlInfo& b : Panel(kOriginTitle).controls())
        EXPECT_FALSE(b.enabled);
    OpenSession(SampleMap());
    for (const ws::ControlInfo& b : Panel(kOriginTitle).controls())
        EXPECT_TRUE(b.enabled);
}

} // namespace
} // namespace paneltest
