#include "plugin/CartovelPlugin.h"
#include "frame/HostSuites.h"
#include "hostapi/wrappers/AIError.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- Fakes the plug-in object builds on ----

std::vector<std::string> gPanelLog;

/** Records what the plug-in object asks of it in gPanelLog, prefixed by its name. */
class FakePanel : public PluginPanel {
public:
    explicit FakePanel(std::string name) : name_(std::move(name)) {}
    ~FakePanel() override {
        Log(sMenu != nullptr ? "deleted with suites held" : "deleted without suites");
    }
    HostErr Create() override {
        Log("Create");
        shown_ = true;
        return createAnswer;
    }
    HostErr Show(bool shown) override {
        Log(shown ? "Show(true)" : "Show(false)");
        shown_ = shown;
        return kHostNoErr;
    }
    bool IsShown() override { return shown_; }
    void UpdateTheme() override { Log("UpdateTheme"); }
    void OnDocumentChanged() override { Log("OnDocumentChanged"); }

    static inline HostErr createAnswer = kHostNoErr;

private:
    void Log(const std::string& what) { gPanelLog.push_back(name_ + " " + what); }
    std::string name_;
    bool shown_ = false;
};

std::unique_ptr<PluginPanel> MakeTextPanel(HostPluginRef) {
    return std::make_unique<FakePanel>("text");
}
std::unique_ptr<PluginPanel> MakeLayerPanel(HostPluginRef) {
    return std::make_unique<FakePanel>("layer");
}

std::vector<size_t> gRan;
HostPluginRef gRanWith = nullptr;
HostErr gRunAnswer = kHostNoErr;

template <size_t I> HostErr Record(HostPluginRef ref) {
    gRan.push_back(I);
    gRanWith = ref;
    return gRunAnswer;
}

/** The commands with runners that record their row. */
template <size_t... I> plugin::Commands RecordingCommands(std::index_sequence<I...>) {
    plugin::Commands commands = plugin::DefaultCommands();
    ((commands[I].run = Record<I>), ...);
    return commands;
}

CartovelPlugin::Parts gParts;

Plugin* MakePlugin(HostPluginRef ref) noexcept {
    return new (std::nothrow) CartovelPlugin(ref, gParts);
}

// ---- Fixture: a fake host that sends start-up and, at the end, shut-down ----

class CartovelPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        gPanelLog.clear();
        gRan.clear();
        gRunAnswer = kHostNoErr;
        FakePanel::createAnswer = kHostNoErr;
        gParts = CartovelPlugin::Parts{};
        gParts.makeTextOriginPanel = MakeTextPanel;
        gParts.makeMoveLayerPanel = MakeLayerPanel;
        gParts.commands = RecordingCommands(std::make_index_sequence<menu::kObjects.size()>());
    }
    void TearDown() override {
        session.Send(kCallerInterface, kSelectorShutdown);
        EXPECT_EQ(host.OutstandingSuites(), 0);
        EXPECT_EQ(host.liveStrings, 0) << "host strings leaked";
        EXPECT_EQ(host.unmatchedReleases, 0);
    }
    HostErr Start() { return session.Send(kCallerInterface, kSelectorStartup); }
    CartovelPlugin* plugin() { return static_cast<CartovelPlugin*>(session.plugin()); }
    HostErr Choose(const std::string& text) {
        return session.Menu(kSelectorGo, host.ItemOfText(text));
    }
    HostErr NotifyOwn(const char* name, const char* type) {
        return session.Notify(host.NotifierOfName(name), type);
    }
    bool Checked(const std::string& text) { return host.checks.at(host.ItemOfText(text)); }

    FakeHost host;
    HostSession session{host, MakePlugin};
};

// ---- Start-up: name, menus, notifiers ----

TEST_F(CartovelPluginTest, StartupBuildsTheMenuTree) {
    ASSERT_EQ(Start(), kHostNoErr);
    EXPECT_EQ(host.pluginName, "Mirvak-Cartovel1.6");

    struct Item {
        const char* group;
        const char* keyboardName;
        const char* text;
        int32_t options;
    };
    const char* windows = "Mirvak-Cartovel1.6 Windows";
    const char* objects = "Mirvak-Cartovel1.6 Objects";
    const Item expected[] = {
        {"Tool Palettes", "Mirvak-Cartovel1.6", "Mirvak-CARTOVEL1.6", 1},
        {windows, "", "テキスト原点", 1},
        {windows, "", "レイヤー間移動", 1},
        {"Object Utilities", "Mirvak-Cartovel1.6", "Mirvak-CARTOVEL1.6", 1},
        {objects, "", "高速移動", 1},
        {objects, "", "地図拡大縮小...", 1},
        {objects, "", "スケールバー作成...", 1},
        {objects, "", "ポリゴン色分け", 1},
        {objects, "", "", 4},
        {objects, "", "レイヤー通し番号作成...", 1},
        {objects, "", "レイヤー名置換...", 1},
        {objects, "", "レイヤー名リストをファイルに保存...", 1},
        {objects, "", "レイヤー名をファイルから設定...", 1},
        {objects, "", "", 4},
        {objects, "", "配置画像サイズをリセット", 1},
        {objects, "", "テキストを水平垂直に戻す", 1},
        {objects, "", "テキストのシアー変形除去", 1},
        {"About", "", "Mirvakについて...", 0},
        {"AboutMirvakName", "", "Mirvak-Cartovel1.6...", 0},
    };
    ASSERT_EQ(host.items.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE("item " + std::to_string(i) + " " + expected[i].text);
        EXPECT_EQ(host.items[i].group, expected[i].group);
        EXPECT_EQ(host.items[i].keyboardName, expected[i].keyboardName);
        EXPECT_EQ(host.items[i].text, expected[i].text);
        EXPECT_EQ(host.items[i].options, expected[i].options);
    }

    ASSERT_EQ(host.subMenus.size(), 3u);
    EXPECT_EQ(host.subMenus[0].group, windows);
    EXPECT_EQ(host.subMenus[0].options, 0);
    EXPECT_EQ(host.subMenus[0].parent, host.items[0].handle);
    EXPECT_EQ(host.subMenus[1].group, objects);
    EXPECT_EQ(host.subMenus[1].options, 0);
    EXPECT_EQ(host.subMenus[1].parent, host.items[3].handle);
    EXPECT_EQ(host.subMenus[2].group, "AboutMirvakName");
    EXPECT_EQ(host.subMenus[2].options, 1);
    EXPECT_EQ(host.subMenus[2].parent, host.items[17].handle);

    EXPECT_EQ(plugin()->TextOriginItem(), host.items[1].handle);
    EXPECT_EQ(plugin()->MoveLayerItem(), host.items[2].handle);
    EXPECT_EQ(plugin()->AboutItem(), host.items[18].handle);
    EXPECT_EQ(host.held["AI Menu Suite"], 1) << "the About helper released its own hold";
}

TEST_F(CartovelPluginTest, CommandItemsGetTheirAutomaticEnabling) {
    ASSERT_EQ(Start(), kHostNoErr);
    using Args = std::array<int32_t, 7>;
    const Args withDocument{1, 0, 0, 0, 0, 64, 0};
    const Args withImage{1, 0, 0, 0x100008, 0, 0, 0};
    const Args withText{1, 0, 0, 16, 0, 0, 0};
    const std::pair<const char*, Args> expected[] = {
        {"高速移動", withDocument},
        {"地図拡大縮小...", withDocument},
        {"スケールバー作成...", withDocument},
        {"ポリゴン色分け", withDocument},
        {"レイヤー通し番号作成...", withDocument},
        {"レイヤー名置換...", withDocument},
        {"レイヤー名リストをファイルに保存...", withDocument},
        {"レイヤー名をファイルから設定...", withDocument},
        {"配置画像サイズをリセット", withImage},
        {"テキストを水平垂直に戻す", withText},
        {"テキストのシアー変形除去", withText},
    };
    for (const auto& [text, args] : expected) {
        const auto found = host.enabling.find(host.ItemOfText(text));
        ASSERT_NE(found, host.enabling.end()) << text;
        EXPECT_EQ(found->second, args) << text;
    }
    EXPECT_EQ(host.enabling.size(), std::size(expected))
        << "panel items, sub-menus, separators and About get none";
}

TEST_F(CartovelPluginTest, StartupRegistersTheSixNotifiersInOrder) {
    ASSERT_EQ(Start(), kHostNoErr);
    const std::pair<const char*, const char*> expected[] = {
        {"Mirvak-Cartovel1.6 App Started Notifier", "AI Application Started Notifier"},
        {"Mirvak-Cartovel1.6 Application Shutdown Notifier", "AI Application Shutdown Notifier"},
        {"MvCartovel1.6 Application Shutdown Notifier", "AI Application Shutdown Notifier"},
        {"MvCartovel1.6 Selection Changed Notifier", "AI Art Selection Changed Notifier"},
        {"MvCartovel1.6 Document Changed Notifier", "AI Document Changed Notifier"},
        {"MvCartovel1.6 UIBrightness Changed Notifier", "AI UI Brightness Changed Notifier"},
    };
    ASSERT_EQ(host.notifiers.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(host.notifiers[i].name, expected[i].first);
        EXPECT_EQ(host.notifiers[i].type, expected[i].second);
    }
    EXPECT_EQ(plugin()->HoldCount(), 2) << "base and module both hold";
    EXPECT_EQ(host.accessHolds, 1) << "access is acquired once";
    EXPECT_EQ(gPanelLog, (std::vector<std::string>{"text Create", "layer Create"}));
}

TEST_F(CartovelPluginTest, ExistingGroupsAreReused) {
    host.groups.push_back("Mirvak-Cartovel1.6 Objects");
    host.groups.push_back("AboutMirvakName");
    ASSERT_EQ(Start(), kHostNoErr);
    ASSERT_EQ(host.subMenus.size(), 1u);
    EXPECT_EQ(host.subMenus[0].group, "Mirvak-Cartovel1.6 Windows");
    int subMenuItems = 0;
    for (const FakeHost::MenuItem& item : host.items) {
        subMenuItems += item.text == "Mirvak-CARTOVEL1.6" || item.text == "Mirvakについて...";
        if (item.text == "高速移動") {
            EXPECT_EQ(item.group, "Mirvak-Cartovel1.6 Objects");
        }
        if (item.text == "Mirvak-Cartovel1.6...") {
            EXPECT_EQ(item.group, "AboutMirvakName");
        }
    }
    EXPECT_EQ(subMenuItems, 1) << "only the windows sub-menu is new";
}

TEST_F(CartovelPluginTest, MenuFailureEndsTheBuildingButNotTheStartup) {
    host.failItemText = "レイヤー名置換...";
    host.itemFailure = HOST_FOURCC('M', 'E', 'N', 'U');
    ASSERT_EQ(Start(), kHostNoErr);
    EXPECT_EQ(host.items.back().text, "レイヤー通し番号作成...");
    EXPECT_EQ(plugin()->AboutItem(), nullptr);
    EXPECT_TRUE(gPanelLog.empty()) << "the panels are part of what is skipped";
    EXPECT_EQ(host.notifiers.size(), 2u) << "only the base's notifiers";
    EXPECT_EQ(plugin()->HoldCount(), 2);
    // Items that were never made match nothing.
    EXPECT_EQ(session.Menu(kSelectorGo, nullptr), kHostNoErr);
    EXPECT_TRUE(gRan.empty());
}

// ---- Commands ----

TEST_F(CartovelPluginTest, EachCommandItemRunsItsOwnCommand) {
    ASSERT_EQ(Start(), kHostNoErr);
    for (size_t i = 0; i < menu::kObjects.size(); ++i) {
        gRan.clear();
        EXPECT_EQ(Choose(menu::kObjects[i]->text), kHostNoErr);
        EXPECT_EQ(gRan, std::vector<size_t>{i}) << menu::kObjects[i]->text;
        EXPECT_EQ(gRanWith, host.self);
    }
    EXPECT_EQ(plugin()->CommandItem(menu::kMapScaling), host.ItemOfText("地図拡大縮小..."));
    EXPECT_EQ(plugin()->CommandItem(menu::kTextOrigin), nullptr) << "a panel's item runs none";
}

TEST_F(CartovelPluginTest, CommandAnswersReachTheHost) {
    ASSERT_EQ(Start(), kHostNoErr);
    gRunAnswer = kHostErrCancelled;
    EXPECT_EQ(Choose("スケールバー作成..."), kHostErrCancelled);
    EXPECT_EQ(plugin()->LastReportedCode(), kHostNoErr) << "a cancel is silent";
    gRunAnswer = HOST_FOURCC('D', 'O', 'C', '?');
    EXPECT_EQ(Choose("スケールバー作成..."), HOST_FOURCC('D', 'O', 'C', '?'));
    EXPECT_EQ(plugin()->LastReportedCode(), HOST_FOURCC('D', 'O', 'C', '?'));
}

TEST_F(CartovelPluginTest, CommandWithoutItsFeatureTellsTheUserAndFails) {
    plugin::ReplaceRunner(gParts.commands, menu::kFastMove,
                          [](HostPluginRef) { return plugin::CommandNotAvailable(); });
    ASSERT_EQ(Start(), kHostNoErr);
    EXPECT_EQ(Choose(menu::kFastMove.text), kHostErrNotImplemented);
    EXPECT_EQ(host.alerts, std::vector<std::string>{"この機能はまだ使用できません"});
    EXPECT_EQ(plugin()->LastReportedCode(), kHostErrNotImplemented);
}

enum class Throw { Foreign, BadAlloc, AIError, AIErrorWithoutCode };
Throw gThrow = Throw::Foreign;

HostErr Throwing(HostPluginRef) {
    switch (gThrow) {
    case Throw::Foreign:
        throw std::runtime_error("boom");
    case Throw::BadAlloc:
        throw std::bad_alloc();
    case Throw::AIError:
        throw ai::Error(HOST_FOURCC('L', 'Y', 'R', '?'));
    case Throw::AIErrorWithoutCode:
        throw ai::Error(kHostNoErr);
    }
    return kHostNoErr;
}

TEST_F(CartovelPluginTest, ThrownFailuresBecomeHostCodes) {
    plugin::ReplaceRunner(gParts.commands, menu::kLayerNumbering, Throwing);
    ASSERT_EQ(Start(), kHostNoErr);
    const std::pair<Throw, HostErr> cases[] = {
        {Throw::Foreign, kHostErrCant},
        {Throw::BadAlloc, kHostErrCant},
        {Throw::AIError, HOST_FOURCC('L', 'Y', 'R', '?')},
        {Throw::AIErrorWithoutCode, kHostErrCant}, // never a success
    };
    for (const auto& [kind, code] : cases) {
        gThrow = kind;
        EXPECT_EQ(Choose(menu::kLayerNumbering.text), code);
        EXPECT_EQ(plugin()->LastReportedCode(), code);
    }
    EXPECT_EQ(host.contextDepth, 0);
}

// ---- Panels ----

TEST_F(CartovelPluginTest, PanelItemsToggleAndUpdateSetsBothCheckMarks) {
    ASSERT_EQ(Start(), kHostNoErr);
    gPanelLog.clear();
    EXPECT_EQ(Choose("テキスト原点"), kHostNoErr);
    EXPECT_EQ(gPanelLog, std::vector<std::string>{"text Show(false)"});
    EXPECT_TRUE(gRan.empty());

    // An update for any item refreshes both marks.
    EXPECT_EQ(session.Menu(kSelectorUpdate, host.ItemOfText("高速移動")), kHostNoErr);
    EXPECT_FALSE(Checked("テキスト原点"));
    EXPECT_TRUE(Checked("レイヤー間移動"));

    EXPECT_EQ(Choose("テキスト原点"), kHostNoErr);
    EXPECT_EQ(Choose("レイヤー間移動"), kHostNoErr);
    EXPECT_EQ(session.Menu(kSelectorUpdate, nullptr), kHostNoErr);
    EXPECT_TRUE(Checked("テキスト原点"));
    EXPECT_FALSE(Checked("レイヤー間移動"));
}

TEST_F(CartovelPluginTest, NotificationsReachBothPanelsByType) {
    ASSERT_EQ(Start(), kHostNoErr);
    struct Case {
        const char* name;
        const char* type;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"MvCartovel1.6 UIBrightness Changed Notifier",
         kHostUIBrightnessChangedNotifier,
         {"text UpdateTheme", "layer UpdateTheme"}},
        {"MvCartovel1.6 Document Changed Notifier",
         kHostDocumentChangedNotifier,
         {"text OnDocumentChanged", "layer OnDocumentChanged"}},
        {"MvCartovel1.6 Selection Changed Notifier", kHostArtSelectionChangedNotifier, {}},
        {"MvCartovel1.6 Application Shutdown Notifier",
         kHostAppShutdownNotifier,
         {"text deleted with suites held", "layer deleted with suites held"}},
        // The base's registration of the same type finds nothing left to delete.
        {"Mirvak-Cartovel1.6 Application Shutdown Notifier", kHostAppShutdownNotifier, {}},
        // Without panels every reaction skips them.
        {"MvCartovel1.6 Document Changed Notifier", kHostDocumentChangedNotifier, {}},
    };
    for (const Case& c : cases) {
        gPanelLog.clear();
        EXPECT_EQ(NotifyOwn(c.name, c.type), kHostNoErr) << c.name;
        EXPECT_EQ(gPanelLog, c.log) << c.name;
        EXPECT_EQ(host.contextDepth, 0);
    }
    EXPECT_EQ(plugin()->TextOriginPanel(), nullptr);
    EXPECT_EQ(Choose("テキスト原点"), kHostNoErr);
    EXPECT_EQ(session.Menu(kSelectorUpdate, nullptr), kHostNoErr);
    EXPECT_TRUE(host.checks.empty());
}

TEST_F(CartovelPluginTest, MissingPanelIsSkipped) {
    gParts.makeTextOriginPanel = [](HostPluginRef) -> std::unique_ptr<PluginPanel> {
        return nullptr;
    };
    ASSERT_EQ(Start(), kHostNoErr);
    EXPECT_EQ(gPanelLog, std::vector<std::string>{"layer Create"});
    EXPECT_EQ(host.notifiers.size(), 6u) << "a panel the module lacks is no failure";
    gPanelLog.clear();
    EXPECT_EQ(Choose("テキスト原点"), kHostNoErr);
    EXPECT_EQ(session.Menu(kSelectorUpdate, nullptr), kHostNoErr);
    EXPECT_EQ(host.checks.count(host.ItemOfText("テキスト原点")), 0u);
    EXPECT_TRUE(Checked("レイヤー間移動"));
    EXPECT_EQ(
        NotifyOwn("MvCartovel1.6 UIBrightness Changed Notifier", kHostUIBrightnessChangedNotifier),
        kHostNoErr);
    EXPECT_EQ(gPanelLog, std::vector<std::string>{"layer UpdateTheme"});
}

TEST_F(CartovelPluginTest, PanelCreateFailureSkipsTheRestOfStartup) {
    FakePanel::createAnswer = HOST_FOURCC('P', 'N', 'L', '!');
    ASSERT_EQ(Start(), kHostNoErr);
    EXPECT_EQ(gPanelLog, std::vector<std::string>{"text Create"});
    EXPECT_NE(plugin()->TextOriginPanel(), nullptr) << "what was made stays";
    EXPECT_EQ(plugin()->MoveLayerPanel(), nullptr);
    EXPECT_EQ(host.notifiers.size(), 2u);
}

TEST_F(CartovelPluginTest, ShutdownDeletesLeftoverPanelsWhileSuitesAreHeld) {
    ASSERT_EQ(Start(), kHostNoErr);
    gPanelLog.clear();
    EXPECT_EQ(session.Send(kCallerInterface, kSelectorShutdown), kHostNoErr);
    EXPECT_EQ(gPanelLog, (std::vector<std::string>{"text deleted with suites held",
                                                   "layer deleted with suites held"}));
    EXPECT_EQ(session.globals, nullptr);
}

} // namespace
