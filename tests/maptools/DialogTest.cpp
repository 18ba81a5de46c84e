// Dialogs 115 (map scaling) and 123 (scale bar) from the built module's own templates,
// driven through the window system the way a user drives them.
#include "MapToolsHarness.h"

#include "maptools/MapScaling.h"
#include "maptools/ScaleBar.h"
#include "platform/UserAgent.h"
#include "platform/ws.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using ws::DialogView;
using ws::ScriptedUser;
using Action = ScriptedUser::Action;

class Dialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module = WsLoadLibraryAsData(CARTOVEL_MODULE_PATH); }
    static void TearDownTestSuite() {
        if (module != nullptr) WsFreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override { ASSERT_NE(module, nullptr) << CARTOVEL_MODULE_PATH; }

    /** Runs the dialog with the script, every action of which must be possible; returns
     *  its end code. */
    intptr_t Run(int32_t id, WsDialogProc proc, void* record, std::vector<Action> script) {
        ScriptedUser user(std::move(script));
        ws::ScopedUserAgent agent(user);
        const intptr_t result =
            WsDialogBoxParam(module, id, nullptr, proc, reinterpret_cast<WsLParam>(record));
        const std::vector<std::string> errors = user.errors();
        EXPECT_TRUE(errors.empty()) << errors.front();
        return result;
    }
    intptr_t RunMapScaling(MapScalingSettings& s, std::vector<Action> script) {
        return Run(mapscaling::kDialogId, MapScalingDialogProc, &s, std::move(script));
    }
    intptr_t RunScaleBar(ScaleBarSettings& s, std::vector<Action> script) {
        return Run(scalebar::kDialogId, ScaleBarDialogProc, &s, std::move(script));
    }

    static std::string Text(DialogView& view, int32_t id) { return view.control(id)->text; }
    static bool Enabled(DialogView& view, int32_t id) { return view.control(id)->enabled; }
    static bool Checked(DialogView& view, int32_t id) { return view.control(id)->checked; }
    /** The script with one more action at its end. */
    static std::vector<Action> Then(std::vector<Action> script, Action last) {
        script.push_back(std::move(last));
        return script;
    }
    /** Checks what a control shows at this point of the script. */
    static Action ExpectText(int32_t id, std::string text) {
        return ScriptedUser::inspect([id, text = std::move(text)](DialogView& view) {
            EXPECT_EQ(Text(view, id), text) << id;
        });
    }
    /** Confirms as the Enter key does: the focused field is not left first. */
    static Action PressEnter() {
        return ScriptedUser::inspect([](DialogView& view) {
            WsSendMessage(view.window(), WS_COMMAND, WS_MAKEWPARAM(WS_IDOK, WS_BN_CLICKED), 0);
        });
    }

    static inline WsModule module = nullptr;
};

// ---- map scaling ----------------------------------------------------------------------------

TEST_F(Dialogs, MapScalingOpensWithTheSettingsAndTheirModesEnabling) {
    using namespace mapscaling;
    struct Case {
        int32_t mode;
        bool keep;
        std::map<int32_t, bool> enabled;
    };
    const Case cases[] = {
        {0,
         true,
         {{kCurrentScale, true},
          {kTargetScale, true},
          {kKeepProportion, false},
          {kHorizontalRatio, false},
          {kVerticalRatio, false},
          {kPaperList, false}}},
        {1,
         true,
         {{kCurrentScale, false},
          {kTargetScale, false},
          {kKeepProportion, true},
          {kHorizontalRatio, true},
          {kVerticalRatio, false},
          {kPaperList, false}}},
        {1, false, {{kVerticalRatio, true}}},
        {2,
         false,
         {{kCurrentScale, false},
          {kTargetScale, false},
          {kKeepProportion, false},
          {kHorizontalRatio, false},
          {kVerticalRatio, false},
          {kPaperList, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        MapScalingSettings s;
        s.mode = c.mode;
        s.keepProportion = c.keep;
        s.paperIndex = 7;
        s.horizontalRatio = 141.5;
        s.scaleSymbolSize = true;
        ws::DialogSnapshot seen;
        const intptr_t result = RunMapScaling(s, {ScriptedUser::inspect([&](DialogView& view) {
                                                      for (const auto& [id, on] : c.enabled)
                                                          EXPECT_EQ(Enabled(view, id), on) << id;
                                                      seen = view.snapshot();
                                                  }),
                                                  ScriptedUser::cancel()});
        EXPECT_EQ(result, kHostErrCancelled);
        EXPECT_EQ(seen.caption, "地図拡大・縮小 -  Mirvak-Cartovel");
        auto control = maptest::ControlsById(seen);
        EXPECT_EQ(control[kCurrentScale].text, "25000");
        EXPECT_EQ(control[kTargetScale].text, "30000");
        EXPECT_EQ(control[kPercentage].text, "(83.33333%)");
        EXPECT_EQ(control[kHorizontalRatio].text, "141.5");
        EXPECT_EQ(control[kVerticalRatio].text, "100");
        EXPECT_EQ(control[kModeScale].checked, c.mode == 0);
        EXPECT_EQ(control[kModeRatio].checked, c.mode == 1);
        EXPECT_EQ(control[kModePaper].checked, c.mode == 2);
        EXPECT_EQ(control[kKeepProportion].checked, c.keep);
        EXPECT_TRUE(control[kScaleSymbolSize].checked);
        EXPECT_FALSE(control[kScaleFontSize].checked);
        ASSERT_EQ(control[kPaperList].items.size(), kPaperRatios.size());
        for (size_t i = 0; i < kPaperRatios.size(); ++i)
            EXPECT_EQ(control[kPaperList].items[i], kPaperRatios[i].label);
        EXPECT_EQ(control[kPaperList].selection, 7);
        // The option boxes never depend on the mode.
        for (int32_t id : {kScaleFontSize, kScaleSymbolSize, kScaleStrokeEffect, kScalePattern,
                           kScaleGuide, kSelectionOnly})
            EXPECT_TRUE(control[id].enabled);
    }
}

TEST_F(Dialogs, MapScalingModeButtonsAndKeepProportionChangeTheEnabling) {
    using namespace mapscaling;
    MapScalingSettings s; // keep proportion on
    std::vector<std::pair<const char*, std::function<void(DialogView&)>>> checks;
    const intptr_t result = RunMapScaling(
        s, {ScriptedUser::click(kModeRatio), ScriptedUser::inspect([](DialogView& v) {
                EXPECT_TRUE(Enabled(v, kHorizontalRatio));
                EXPECT_FALSE(Enabled(v, kVerticalRatio));
                EXPECT_FALSE(Enabled(v, kCurrentScale));
            }),
            ScriptedUser::type(kHorizontalRatio, "150"),
            // Leaving the horizontal ratio copies it while the proportion is kept; then the
            // vertical ratio is free.
            ScriptedUser::click(kKeepProportion), ScriptedUser::inspect([](DialogView& v) {
                EXPECT_TRUE(Enabled(v, kVerticalRatio));
                EXPECT_EQ(Text(v, kVerticalRatio), "150");
            }),
            ScriptedUser::type(kVerticalRatio, "90"), ScriptedUser::type(kHorizontalRatio, "120"),
            ScriptedUser::leave(kHorizontalRatio), ExpectText(kVerticalRatio, "90"),
            ScriptedUser::click(kKeepProportion), // on again: it follows the horizontal one
            ScriptedUser::inspect([](DialogView& v) {
                EXPECT_FALSE(Enabled(v, kVerticalRatio));
                EXPECT_EQ(Text(v, kVerticalRatio), "120");
            }),
            ScriptedUser::click(kModePaper), ScriptedUser::inspect([](DialogView& v) {
                EXPECT_TRUE(Enabled(v, kPaperList));
                EXPECT_FALSE(Enabled(v, kHorizontalRatio));
                EXPECT_FALSE(Enabled(v, kKeepProportion));
            }),
            ScriptedUser::click(kModeScale), ScriptedUser::inspect([](DialogView& v) {
                EXPECT_TRUE(Enabled(v, kCurrentScale));
                EXPECT_FALSE(Enabled(v, kPaperList));
            }),
            ScriptedUser::cancel()});
    EXPECT_EQ(result, kHostErrCancelled);
}

TEST_F(Dialogs, MapScalingFieldsRefuseValuesWhenLeft) {
    using namespace mapscaling;
    MapScalingSettings s;
    s.mode = 1;
    s.horizontalRatio = 120;
    s.verticalRatio = 80;
    s.keepProportion = false;
    const intptr_t result = RunMapScaling(
        s, {ScriptedUser::click(kModeScale), ScriptedUser::type(kCurrentScale, "1"),
            ScriptedUser::leave(kCurrentScale), ScriptedUser::type(kTargetScale, "50000"),
            ScriptedUser::leave(kTargetScale), ScriptedUser::inspect([](DialogView& v) {
                EXPECT_EQ(Text(v, kCurrentScale), "25000"); // the value it opened with
                EXPECT_EQ(Text(v, kPercentage), "(50%)");
            }),
            ScriptedUser::click(kModeRatio), ScriptedUser::type(kHorizontalRatio, "0"),
            ScriptedUser::leave(kHorizontalRatio), ScriptedUser::type(kVerticalRatio, "-5"),
            ScriptedUser::leave(kVerticalRatio), ScriptedUser::inspect([](DialogView& v) {
                EXPECT_EQ(Text(v, kHorizontalRatio), "120");
                EXPECT_EQ(Text(v, kVerticalRatio), "80");
            }),
            ScriptedUser::type(kVerticalRatio, "abc"), ScriptedUser::leave(kVerticalRatio),
            ExpectText(kVerticalRatio, "80"), ScriptedUser::type(kHorizontalRatio, "1e999"),
            ScriptedUser::leave(kHorizontalRatio), ExpectText(kHorizontalRatio, "120"),
            ScriptedUser::cancel()});
    EXPECT_EQ(result, kHostErrCancelled);
}

TEST_F(Dialogs, MapScalingConfirmReadsEveryControlBackAndCancelReadsNothing) {
    using namespace mapscaling;
    MapScalingSettings s;
    const MapScalingSettings opened = s;
    const std::vector<Action> edits = {
        ScriptedUser::type(kCurrentScale, "10000"),
        ScriptedUser::type(kTargetScale, "20000"),
        ScriptedUser::click(kModeRatio),
        ScriptedUser::click(kKeepProportion),
        ScriptedUser::type(kVerticalRatio, "80"),
        ScriptedUser::click(kModePaper),
        ScriptedUser::pickIndex(kPaperList, 7),
        ScriptedUser::click(kScaleFontSize),
        ScriptedUser::click(kScaleStrokeEffect),
        ScriptedUser::click(kScalePattern),
        ScriptedUser::click(kScaleGuide),
        ScriptedUser::click(kSelectionOnly),
    };
    EXPECT_EQ(RunMapScaling(s, Then(edits, ScriptedUser::cancel())), kHostErrCancelled);
    EXPECT_EQ(s, opened);

    EXPECT_EQ(RunMapScaling(s, Then(edits, ScriptedUser::ok())), kHostNoErr);
    const MapScalingSettings expected{.mode = 2,
                                      .currentScale = 10000,
                                      .targetScale = 20000,
                                      .horizontalRatio = 100,
                                      .verticalRatio = 80,
                                      .paperIndex = 7,
                                      .keepProportion = false,
                                      .scaleFontSize = true,
                                      .scaleSymbolSize = false,
                                      .scaleStrokeEffect = true,
                                      .scaleGuide = true,
                                      .scalePattern = true,
                                      .selectionOnly = true};
    EXPECT_EQ(s, expected);
}

// Enter confirms without leaving the field being edited: the values are checked all the
// same, so no scale of 0 or ratio of 0 or less is ever read back.
TEST_F(Dialogs, MapScalingEnterKeyStraightFromAFieldStillRefusesBadValues) {
    using namespace mapscaling;
    MapScalingSettings s;
    s.horizontalRatio = 50;
    EXPECT_EQ(RunMapScaling(s, {ScriptedUser::type(kTargetScale, "0"), PressEnter()}), kHostNoErr);
    EXPECT_EQ(s.targetScale, 30000u);

    EXPECT_EQ(RunMapScaling(s, {ScriptedUser::click(kModeRatio),
                                ScriptedUser::type(kHorizontalRatio, "-10"), PressEnter()}),
              kHostNoErr);
    EXPECT_EQ(s.mode, 1);
    EXPECT_EQ(s.horizontalRatio, 50);
    EXPECT_EQ(s.verticalRatio, 50) << "keep proportion: the vertical ratio follows";

    // Typed and confirmed straight away: the vertical ratio still follows.
    EXPECT_EQ(RunMapScaling(s, {ScriptedUser::type(kHorizontalRatio, "75"), PressEnter()}),
              kHostNoErr);
    EXPECT_EQ(s.horizontalRatio, 75);
    EXPECT_EQ(s.verticalRatio, 75);

    // A block that holds refused values itself (never the case after the command's checks)
    // falls back to the defaults.
    MapScalingSettings damaged;
    damaged.targetScale = 0;
    EXPECT_EQ(RunMapScaling(damaged, {ScriptedUser::type(kTargetScale, "1"), PressEnter()}),
              kHostNoErr);
    EXPECT_EQ(damaged.targetScale, 30000u);
}

// ---- scale bar ------------------------------------------------------------------------------

TEST_F(Dialogs, ScaleBarOpensWithTheSettingsAndTheScaleFieldFocused) {
    using namespace scalebar;
    for (const bool unusable : {false, true}) {
        SCOPED_TRACE(unusable);
        ScaleBarSettings s;
        s.unit = 1;
        s.distance = 0.25;
        s.newLayer = false;
        s.layerUnusable = unusable;
        ws::DialogSnapshot seen;
        RunScaleBar(s, {ScriptedUser::inspect([&](DialogView& v) { seen = v.snapshot(); }),
                        ScriptedUser::cancel()});
        auto control = maptest::ControlsById(seen);
        EXPECT_EQ(seen.caption, "スケールバー作成 - Mirvak-Cartovel");
        EXPECT_EQ(control[kScale].text, "25000");
        EXPECT_TRUE(control[kScale].focused);
        EXPECT_EQ(control[kDistance].text, "0.25");
        EXPECT_FALSE(control[kKilometres].checked);
        EXPECT_TRUE(control[kMetres].checked);
        EXPECT_FALSE(control[kNewLayer].checked);
        // Only a usable current layer lets the user draw on it.
        EXPECT_EQ(control[kNewLayer].enabled, !unusable);
        EXPECT_EQ(control[kLengthResult].text, "");
    }
}

TEST_F(Dialogs, ScaleBarLengthCheckUsesTheTickedUnitAndIsEmptiedByChanges) {
    using namespace scalebar;
    ScaleBarSettings s;
    const intptr_t result = RunScaleBar(
        s, {ScriptedUser::click(kCheckLength), ExpectText(kLengthResult, " 4 cm"),
            ScriptedUser::click(kMetres), ExpectText(kLengthResult, ""),
            ScriptedUser::click(kCheckLength), ExpectText(kLengthResult, " 0.004 cm"),
            ScriptedUser::type(kDistance, "500"), ExpectText(kLengthResult, " 0.004 cm"),
            ScriptedUser::leave(kDistance), ExpectText(kLengthResult, ""),
            ScriptedUser::type(kScale, "10000"), ScriptedUser::click(kCheckLength),
            ExpectText(kLengthResult, " 5 cm"), ScriptedUser::cancel()});
    EXPECT_EQ(result, kHostErrCancelled);
}

TEST_F(Dialogs, ScaleBarFieldsRefuseZeroWhenLeft) {
    using namespace scalebar;
    ScaleBarSettings s;
    s.distance = 2;
    const std::pair<const char*, const char*> distances[] = {
        {"0", "2"}, {"abc", "2"}, {"-1.5", "-1.5"}, {"2.50", "2.5"}, {"inf", "2"}};
    std::vector<Action> script = {
        ScriptedUser::type(kScale, "0"),   ScriptedUser::leave(kScale), ExpectText(kScale, "25000"),
        ScriptedUser::type(kScale, "007"), ScriptedUser::leave(kScale), ExpectText(kScale, "7"),
    };
    for (const auto& [typed, shown] : distances) {
        script.push_back(ScriptedUser::type(kDistance, typed));
        script.push_back(ScriptedUser::leave(kDistance));
        script.push_back(ScriptedUser::inspect(
            [typed = std::string(typed), shown = std::string(shown)](DialogView& v) {
                EXPECT_EQ(Text(v, kDistance), shown) << typed;
            }));
    }
    script.push_back(ScriptedUser::cancel());
    EXPECT_EQ(RunScaleBar(s, script), kHostErrCancelled);
}

TEST_F(Dialogs, ScaleBarConfirmWritesTheRecordAndCancelDoesNot) {
    using namespace scalebar;
    ScaleBarSettings s;
    s.layerUnusable = false;
    const ScaleBarSettings opened = s;
    const std::vector<Action> edits = {
        ScriptedUser::type(kScale, "50000"), ScriptedUser::type(kDistance, "0.5"),
        ScriptedUser::click(kMetres), ScriptedUser::click(kNewLayer)};
    EXPECT_EQ(RunScaleBar(s, Then(edits, ScriptedUser::cancel())), kHostErrCancelled);
    EXPECT_EQ(s, opened);

    EXPECT_EQ(RunScaleBar(s, Then(edits, ScriptedUser::ok())), kHostNoErr);
    EXPECT_EQ(s.scale, 50000u);
    EXPECT_EQ(s.distance, 0.5);
    EXPECT_EQ(s.unit, 1);
    EXPECT_FALSE(s.newLayer);
}

TEST_F(Dialogs, ScaleBarEnterKeyStraightFromAFieldStillRefusesZero) {
    using namespace scalebar;
    ScaleBarSettings s;
    s.scale = 10000;
    EXPECT_EQ(RunScaleBar(s, {ScriptedUser::type(kScale, "0"), PressEnter()}), kHostNoErr);
    EXPECT_EQ(s.scale, 10000u);
    EXPECT_EQ(RunScaleBar(s, {ScriptedUser::type(kDistance, "0"), PressEnter()}), kHostNoErr);
    EXPECT_EQ(s.distance, 1.0);
}

// Run without a block, both dialogs open on the defaults, leave nothing to write to and
// still end with the code of the button.
TEST_F(Dialogs, WithoutABlockTheDialogsShowTheDefaultsAndStillEnd) {
    struct Case {
        int32_t id;
        WsDialogProc proc;
        int32_t field;
        const char* shown;
    };
    const Case cases[] = {
        {mapscaling::kDialogId, MapScalingDialogProc, mapscaling::kCurrentScale, "25000"},
        {scalebar::kDialogId, ScaleBarDialogProc, scalebar::kScale, "25000"},
    };
    for (const Case& c : cases) {
        const auto shows = ScriptedUser::inspect(
            [&](DialogView& v) { EXPECT_EQ(Text(v, c.field), c.shown) << c.id; });
        EXPECT_EQ(Run(c.id, c.proc, nullptr, {shows, ScriptedUser::ok()}), kHostNoErr) << c.id;
        EXPECT_EQ(Run(c.id, c.proc, nullptr, {ScriptedUser::cancel()}), kHostErrCancelled) << c.id;
    }
}

} // namespace
