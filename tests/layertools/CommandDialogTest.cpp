// Layer numbering and layer name replace as a user runs them: the dialogs with their
// opening state, enabling, read-back and checks, and the settings they leave.
#include "LayerToolsHarness.h"

#include "common/SettingsStore.h"
#include "layertools/NumberLayers.h"
#include "layertools/ReplaceLayerTitle.h"

namespace {

using Names = std::vector<std::string>;
using ws::ScriptedUser;

/** What the dialog shows of one control when the action runs. */
ScriptedUser::Action Look(int32_t id, std::optional<ws::ControlInfo>& out) {
    return ScriptedUser::inspect([id, &out](ws::DialogView& view) { out = view.control(id); });
}

class NumberingCommand : public lt::LayerToolsTest {
protected:
    HostErr Run() {
        CNumberLayers command(pluginRef());
        return command.Run();
    }
    void FourLayers() {
        OpenDocument({{0, "Roads"}, {0, "Hidden", false}, {0, "Rivers"}, {0, "Buildings"}});
    }
};

TEST_F(NumberingCommand, DefaultsNumberTheVisibleLayersInFront) {
    FourLayers();
    Script({ScriptedUser::ok()});
    EXPECT_EQ(Run(), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"1: Roads", "Hidden", "2: Rivers", "3: Buildings"}));
    const ws::DialogSnapshot& shown = user().dialogs().at(0);
    EXPECT_EQ(shown.templateId, 125);
    EXPECT_EQ(shown.caption, "レイヤー通し番号作成 - Mirvak-Cartovel");
}

TEST_F(NumberingCommand, DialogEditsApplyAndAreOfferedAgain) {
    FourLayers();
    std::optional<ws::ControlInfo> beforeField, radio;
    Script({
        Look(1128, beforeField), // disabled until its check box is on
        ScriptedUser::click(1110),
        Look(1129, radio), // disabled with 1110 off
        ScriptedUser::click(1106),
        ScriptedUser::type(1128, "No."),
        ScriptedUser::click(1108),
        ScriptedUser::type(1126, "10"),
        ScriptedUser::type(1127, "0"),
        ScriptedUser::click(1125),
        ScriptedUser::ok(),
    });
    ASSERT_EQ(Run(), kHostNoErr);
    EXPECT_TRUE(user().errors().empty()) << user().errors().front();
    ASSERT_TRUE(beforeField && radio);
    EXPECT_FALSE(beforeField->enabled);
    EXPECT_FALSE(radio->enabled);
    // Names replaced by the bare text, hidden layers included, step 0 repeats the number.
    EXPECT_EQ(Titles(), (Names{"No.10", "No.10", "No.10", "No.10"}));

    std::optional<ws::ControlInfo> start, step, before, join;
    Script({Look(1126, start), Look(1127, step), Look(1128, before), Look(1110, join),
            ScriptedUser::cancel()});
    EXPECT_EQ(Run(), kHostErrCancelled);
    EXPECT_EQ(start->text, "10");
    EXPECT_EQ(step->text, "0");
    EXPECT_EQ(before->text, "No.");
    EXPECT_TRUE(before->enabled);
    EXPECT_FALSE(join->checked);
}

TEST_F(NumberingCommand, CancelChangesNothingAndStoresNothing) {
    FourLayers();
    Script({ScriptedUser::type(1126, "7"), ScriptedUser::cancel()});
    EXPECT_EQ(Run(), kHostErrCancelled);
    EXPECT_EQ(Titles(), (Names{"Roads", "Hidden", "Rivers", "Buildings"}));
    std::optional<ws::ControlInfo> start;
    Script({Look(1126, start), ScriptedUser::cancel()});
    Run();
    EXPECT_EQ(start->text, "1");
}

TEST_F(NumberingCommand, StoredPositionTwoPutsTheNumberBehindAndIsStoredAsOne) {
    FourLayers();
    settings::WriteInteger("NL_AddNumberPos", 2);
    std::optional<ws::ControlInfo> front, behind;
    Script({Look(1129, front), Look(1130, behind), ScriptedUser::ok()});
    ASSERT_EQ(Run(), kHostNoErr);
    EXPECT_FALSE(front->checked);
    EXPECT_FALSE(behind->checked);
    EXPECT_EQ(Titles(), (Names{"Roads1: ", "Hidden", "Rivers2: ", "Buildings3: "}));
    int32_t stored = 0;
    settings::ReadInteger("NL_AddNumberPos", stored);
    EXPECT_EQ(stored, 1);
}

TEST_F(NumberingCommand, TextsAreCutToFortySevenUnitsAndKeepEveryCharacter) {
    OpenDocument({{0, "x"}});
    // 46 units, then a pair that would straddle the limit, then more.
    const std::string longText = std::string(46, 'a') + "𠀋" + "bbb";
    Script({ScriptedUser::click(1106), ScriptedUser::type(1128, longText),
            ScriptedUser::type(1109, "—①€"), ScriptedUser::ok()});
    ASSERT_EQ(Run(), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{std::string(46, 'a') + "1—①€x"}));
}

TEST_F(NumberingCommand, CurrentLayerWithoutSublayersRenamesNothing) {
    OpenDocument({{0, "a"}, {0, "b"}, {1, "b1"}});
    Script({ScriptedUser::pickIndex(1120, 1), ScriptedUser::ok()});
    EXPECT_EQ(Run(), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"a", "b", "b1"}));
}

class ReplaceCommand : public lt::LayerToolsTest {
protected:
    HostErr Run() {
        CReplaceLayerTitle command(pluginRef());
        return command.Run();
    }
};

TEST_F(ReplaceCommand, EmptyEntriesAreRefusedWithTheirMessage) {
    struct Case {
        int32_t radio;
        const char* message;
    };
    for (const Case& c :
         {Case{1115, "検索文字列を入力してください"}, Case{1111, "挿入文字列を入力してください"},
          Case{1114, "指定文字列を入力してください"}}) {
        app().user().clearRecords();
        bool stillOpen = false;
        Script({ScriptedUser::click(c.radio), ScriptedUser::ok(),
                ScriptedUser::inspect([&](ws::DialogView& v) { stillOpen = v.isOpen(); }),
                ScriptedUser::cancel()});
        EXPECT_EQ(Run(), kHostErrCancelled);
        EXPECT_TRUE(stillOpen) << c.message;
        EXPECT_EQ(Messages(), (Names{c.message}));
    }
    // Deleting leading digits needs no entry; an empty replacement is allowed.
    OpenDocument({{0, "12a-b"}});
    Script({ScriptedUser::click(1112), ScriptedUser::ok()});
    EXPECT_EQ(Run(), kHostNoErr);
    Script({ScriptedUser::click(1115), ScriptedUser::type(1105, "-"), ScriptedUser::ok()});
    EXPECT_EQ(Run(), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"ab"}));
}

TEST_F(ReplaceCommand, EnablingFollowsTheOperation) {
    std::vector<std::pair<int32_t, std::vector<int32_t>>> enabledBy = {
        {1115, {1105, 1106}}, {1111, {1107, 1123, 1124}}, {1112, {}}, {1114, {1104, 1070}}};
    const std::vector<int32_t> fields = {1105, 1106, 1107, 1123, 1124, 1104, 1070};
    for (const auto& [radio, expected] : enabledBy) {
        std::vector<int32_t> enabled;
        Script({ScriptedUser::click(radio), ScriptedUser::inspect([&](ws::DialogView& v) {
                    for (int32_t id : fields)
                        if (v.control(id)->enabled) enabled.push_back(id);
                }),
                ScriptedUser::cancel()});
        Run();
        EXPECT_EQ(enabled, expected) << radio;
    }
}

TEST_F(ReplaceCommand, ChoicesAreStoredAndOfferedAgain) {
    OpenDocument({{0, "a", false}, {0, "01_b"}, {1, "02_c"}});
    Script({ScriptedUser::pickIndex(1120, 2), ScriptedUser::click(1125), ScriptedUser::click(1114),
            ScriptedUser::type(1104, "_"), ScriptedUser::click(1070), ScriptedUser::ok()});
    ASSERT_EQ(Run(), kHostNoErr);
    EXPECT_EQ(Titles(), (Names{"a", "b", "c"}));

    std::optional<ws::ControlInfo> kind, visible, operation, delimiter;
    Script({Look(1120, kind), Look(1125, visible), Look(1114, operation), Look(1104, delimiter),
            ScriptedUser::cancel()});
    EXPECT_EQ(Run(), kHostErrCancelled);
    EXPECT_EQ(kind->selection, 2);
    EXPECT_EQ(kind->items.size(), 3u);
    EXPECT_TRUE(visible->checked);
    EXPECT_TRUE(operation->checked);
    EXPECT_EQ(delimiter->text, "_");
    EXPECT_TRUE(delimiter->enabled);
}

TEST_F(ReplaceCommand, StoredKindOutOfRangeSelectsNoKindAndVisitsNothing) {
    OpenDocument({{0, "a"}});
    settings::WriteInteger("RL_DestLayerKind", 7);
    std::optional<ws::ControlInfo> kind;
    Script({Look(1120, kind), ScriptedUser::click(1111), ScriptedUser::type(1107, "x"),
            ScriptedUser::ok()});
    EXPECT_EQ(Run(), kHostNoErr);
    EXPECT_EQ(kind->selection, -1);
    EXPECT_EQ(Titles(), (Names{"a"}));
}

} // namespace
