// Modal dialogs from module templates, run by a scripted user.
#include "TestSupport.h"

using namespace wstest;
using ws::ScriptedUser;
using Script = std::vector<ScriptedUser::Action>;

namespace {

struct ScaleRun {
    intptr_t result;
    ScaleSettings settings;
    std::vector<std::string> errors;
    std::size_t remaining;
};

ScaleRun runScaleWith(Script script) {
    ScriptedUser user(std::move(script));
    ws::ScopedUserAgent scope(user);
    ScaleRun run{0, {}, {}, 0};
    run.result = runScale(run.settings);
    run.errors = user.errors();
    run.remaining = user.remainingActions();
    return run;
}

} // namespace

TEST(Dialogs, RefusedValueIsRestoredOnLeavingAndOkReadsEverythingBack) {
    ScaleRun run = runScaleWith({
        ScriptedUser::type(1074, "1"),
        ScriptedUser::leave(1074),
        ScriptedUser::inspect([](ws::DialogView& d) {
            EXPECT_EQ(d.control(1074)->text, "25000");
            EXPECT_FALSE(d.control(1074)->focused);
        }),
        ScriptedUser::type(1074, "30000"),
        ScriptedUser::click(1076),
        ScriptedUser::click(1070),
        ScriptedUser::pickText(1083, "b5"),
        ScriptedUser::ok(),
    });
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.errors.empty());
    EXPECT_EQ(run.settings.scale, 30000);
    EXPECT_EQ(run.settings.mode, 1);
    EXPECT_TRUE(run.settings.keepRatio);
    EXPECT_EQ(run.settings.paper, 2);
}

TEST(Dialogs, FieldIsValidatedWhenOkIsClickedStraightFromIt) {
    ScaleRun run = runScaleWith({ScriptedUser::type(1074, "0"), ScriptedUser::ok()});
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.settings.scale, 25000);
}

TEST(Dialogs, CancelEndsWithTheProceduresCodeAndKeepsTheSettings) {
    ScaleRun run = runScaleWith({ScriptedUser::type(1074, "5000"), ScriptedUser::cancel()});
    EXPECT_EQ(run.result, kStop);
    EXPECT_EQ(run.settings.scale, 25000);
    EXPECT_TRUE(run.errors.empty());
}

TEST(Dialogs, UnansweredDialogIsCancelledThroughTheProcedureAndReported) {
    for (const Script& script : {Script{}, Script{ScriptedUser::type(1074, "9"),
                                                  ScriptedUser::end(), ScriptedUser::ok()}}) {
        ScaleRun run = runScaleWith(script);
        EXPECT_EQ(run.result, kStop);
        EXPECT_EQ(run.settings.scale, 25000);
        ASSERT_EQ(run.errors.size(), 1u);
        EXPECT_NE(run.errors[0].find("dialog 115 \"Scale\" was left unanswered"), std::string::npos)
            << run.errors[0];
    }
}

TEST(Dialogs, RefusedActionsDropTheScriptAndCancel) {
    const struct {
        ScriptedUser::Action action;
        const char* error;
    } cases[] = {
        {ScriptedUser::type(1073, "2"), "control 1073 is disabled"},
        {ScriptedUser::type(1074, "12a"), "accepts digits only"},
        {ScriptedUser::type(1070, "x"), "takes no typing"},
        {ScriptedUser::click(9999), "control 9999 does not exist"},
        {ScriptedUser::click(1083), "is not a button"},
        {ScriptedUser::pickText(1083, "A5"), "no entry \"A5\" (entries: \"A4\", \"A3\", \"B5\")"},
        {ScriptedUser::pickIndex(1083, 3), "has no entry 3"},
        {ScriptedUser::pickIndex(1074, 0), "is not a list"},
    };
    for (const auto& c : cases) {
        ScaleRun run = runScaleWith({c.action, ScriptedUser::ok(), ScriptedUser::ok()});
        EXPECT_EQ(run.result, kStop) << c.error;
        EXPECT_EQ(run.remaining, 0u) << c.error;
        ASSERT_GE(run.errors.size(), 1u) << c.error;
        EXPECT_NE(run.errors[0].find(c.error), std::string::npos) << run.errors[0];
    }
}

TEST(Dialogs, ControlsComeFromTheTemplate) {
    ScriptedUser user({ScriptedUser::cancel()});
    ws::ScopedUserAgent scope(user);
    ScaleSettings settings;
    runScale(settings);
    ASSERT_EQ(user.dialogs().size(), 1u);
    const ws::DialogSnapshot& d = user.dialogs()[0];
    EXPECT_EQ(d.templateId, 115);
    EXPECT_EQ(d.caption, "Scale");
    ASSERT_EQ(d.controls.size(), 13u);
    auto find = [&](int32_t id) {
        return *std::find_if(d.controls.begin(), d.controls.end(),
                             [&](const ws::ControlInfo& c) { return c.id == id; });
    };
    EXPECT_EQ(d.controls[1].kind, ws::ControlKind::Static);
    EXPECT_EQ(d.controls[1].text, "Scale: 1/");
    EXPECT_EQ(find(1074).text, "25000");
    EXPECT_TRUE(find(1074).digitsOnly);
    EXPECT_TRUE(find(1075).focused) << "the first control that can take the focus has it";
    EXPECT_TRUE(find(1075).checked);
    EXPECT_TRUE(find(1124).checked) << "checked in the template, another group";
    EXPECT_FALSE(find(1073).enabled);
    EXPECT_EQ(find(1083).kind, ws::ControlKind::ComboBox);
    EXPECT_EQ(find(1083).items, (std::vector<std::string>{"A4", "A3", "B5"}));
    EXPECT_EQ(find(1083).text, "A4");
    EXPECT_EQ(find(1).kind, ws::ControlKind::DefaultButton);
}

TEST(Dialogs, NestedDialogRunsOwnedByTheOuterOne) {
    WsWindow outer = nullptr;
    ScriptedUser user({
        ScriptedUser::click(1063),
        ScriptedUser::inspect([&](ws::DialogView& about) {
            EXPECT_EQ(about.templateId(), 107);
            outer = WsGetParent(about.window());
            EXPECT_TRUE(WsIsWindow(outer));
            EXPECT_FALSE(WsIsWindowEnabled(outer)) << "the owner waits for its modal dialog";
        }),
        ScriptedUser::click(1063),
        ScriptedUser::ok(),
        ScriptedUser::inspect([&](ws::DialogView& scale) {
            EXPECT_EQ(scale.window(), outer);
            EXPECT_TRUE(WsIsWindowEnabled(outer));
            EXPECT_TRUE(scale.control(1063)->focused) << "the focus comes back";
        }),
        ScriptedUser::type(1074, "40000"),
        ScriptedUser::ok(),
    });
    ws::ScopedUserAgent scope(user);
    const std::size_t opened = ws::shellOpenRequests().size();
    ScaleSettings settings;
    EXPECT_EQ(runScale(settings), 0);
    EXPECT_EQ(settings.nestedResult, 0);
    EXPECT_EQ(settings.scale, 40000);
    EXPECT_TRUE(user.errors().empty());
    ASSERT_EQ(user.dialogs().size(), 2u);
    EXPECT_EQ(user.dialogs()[1].templateId, 107);
    ASSERT_EQ(ws::shellOpenRequests().size(), opened + 1);
    EXPECT_EQ(ws::shellOpenRequests().back(), "https://example.org/cartovel");
    EXPECT_FALSE(WsIsWindow(outer)) << "the dialog window goes with its run";
}

namespace {
intptr_t leavesEverything(WsWindow, uint32_t, WsWParam, WsLParam) {
    return 0;
}
intptr_t swallowsCancel(WsWindow, uint32_t message, WsWParam, WsLParam) {
    return message == WS_COMMAND;
}
intptr_t endsAtOnce(WsWindow dialog, uint32_t message, WsWParam, WsLParam) {
    return message == WS_INITDIALOG ? WsEndDialog(dialog, 7) : 0;
}
} // namespace

TEST(Dialogs, DefaultHandlingEndsOkAndCancelOnlyWhenTheProcedureDoesNot) {
    const struct {
        int32_t templateId;
        WsDialogProc proc;
        Script script;
        intptr_t result;
        std::size_t errors;
    } cases[] = {
        {107, leavesEverything, {ScriptedUser::ok()}, WS_IDOK, 0},
        {107, leavesEverything, {}, WS_IDCANCEL, 1},
        {115, leavesEverything, {ScriptedUser::cancel()}, WS_IDCANCEL, 0},
        {107, aboutProc, {ScriptedUser::ok()}, 0, 0},
        {107, aboutProc, {ScriptedUser::click(1063)}, WS_IDCANCEL, 1},
        // A procedure that refuses to close is still ended: nothing hangs.
        {115, swallowsCancel, {ScriptedUser::cancel(), ScriptedUser::ok()}, WS_IDCANCEL, 1},
        {107, nullptr, {ScriptedUser::ok()}, WS_IDOK, 0},
        {107, endsAtOnce, {ScriptedUser::ok()}, 7, 0},
    };
    for (const auto& c : cases) {
        ScriptedUser user(c.script);
        ws::ScopedUserAgent scope(user);
        EXPECT_EQ(WsDialogBoxParam(resources(), c.templateId, nullptr, c.proc, 0), c.result)
            << "case with result " << c.result;
        EXPECT_EQ(user.errors().size(), c.errors) << "case with result " << c.result;
    }
}

TEST(Dialogs, DialogsThatCannotBeMadeGiveMinusOneWithoutAsking) {
    WsWindow dead = WsCreateWindow("FRAME", "", 0, 0, 0, 1, 1, nullptr, 0, nullptr);
    WsDestroyWindow(dead);
    const struct {
        WsModule module;
        int32_t templateId;
        WsWindow owner;
    } cases[] = {
        {resources(), 999, nullptr}, // no such template
        {resources(), 201, nullptr}, // not a template
        {nullptr, 115, nullptr},     // no module
        {reinterpret_cast<WsModule>(std::uintptr_t{77}), 115, nullptr},
        {resources(), 115, dead}, // owner gone
    };
    ScriptedUser user({ScriptedUser::ok()});
    ws::ScopedUserAgent scope(user);
    for (const auto& c : cases) {
        ScaleSettings settings;
        EXPECT_EQ(WsDialogBoxParam(c.module, c.templateId, c.owner, scaleProc,
                                   reinterpret_cast<WsLParam>(&settings)),
                  -1)
            << c.templateId;
    }
    EXPECT_TRUE(user.dialogs().empty());
    EXPECT_EQ(user.remainingActions(), 1u);
}

TEST(Dialogs, OwnerIsDisabledDuringTheRunAndGetsItsFocusBack) {
    WsWindow owner = WsCreateWindow("FRAME", "main", 0, 0, 0, 1, 1, nullptr, 0, nullptr);
    WsWindow field = WsCreateWindow("EDIT", "", 0, 0, 0, 1, 1, owner, 3, nullptr);
    WsSetFocus(field);
    ScriptedUser user(
        {ScriptedUser::inspect([&](ws::DialogView&) { EXPECT_FALSE(WsIsWindowEnabled(owner)); }),
         ScriptedUser::ok()});
    ws::ScopedUserAgent scope(user);
    ScaleSettings settings;
    EXPECT_EQ(runScale(settings, owner), 0);
    EXPECT_TRUE(WsIsWindowEnabled(owner));
    EXPECT_EQ(WsGetFocus(), field);
    WsDestroyWindow(owner);
}
