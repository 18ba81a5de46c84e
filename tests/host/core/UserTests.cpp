// Alerts, questions and progress: the user suite, the scripted and the terminal responder.
#include "FakeModule.h"
#include "host/core/Errors.h"
#include "hostapi/suites/UnicodeStringSuite.h"
#include "hostapi/suites/UserSuite.h"

#include <gtest/gtest.h>

#include <sstream>

namespace host {
namespace {

class UserSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        user = test::acquire<HostUserSuite>(app, kHostUserSuite, kHostUserSuiteVersion);
        ustr = test::acquire<HostUnicodeStringSuite>(app, kHostUnicodeStringSuite,
                                                     kHostUnicodeStringSuiteVersion);
        ASSERT_TRUE(user && ustr);
    }
    void TearDown() override {
        for (HostUString s : made)
            ustr->Dispose(s);
    }
    HostUString text(std::string_view t) {
        HostUString s = nullptr;
        EXPECT_EQ(ustr->New(t.data(), t.size(), &s), kHostNoErr);
        made.push_back(s);
        return s;
    }

    Application app;
    const HostUserSuite* user = nullptr;
    const HostUnicodeStringSuite* ustr = nullptr;
    std::vector<HostUString> made;
};

TEST_F(UserSuiteTest, ScriptedAnswersComeInOrderAndAreRecorded) {
    ScriptedResponder script({Answer::Ok, Answer::No, Answer::Cancel, Answer::Yes});
    app.user().setResponder(&script);
    int32_t r1 = -1, r2 = -1, r3 = -1, r4 = -1;
    ASSERT_EQ(user->MessageAlert(text("終了しました")), kHostNoErr);
    ASSERT_EQ(user->OKCancelAlert(text("Go on?"), 1, &r1), kHostNoErr);
    ASSERT_EQ(user->YesNoAlert(text("Replace?"), &r2), kHostNoErr);
    ASSERT_EQ(user->OKCancelAlert(text("Really?"), 1, &r3), kHostNoErr);
    ASSERT_EQ(user->YesNoAlert(text("Again?"), &r4), kHostNoErr);
    EXPECT_EQ((std::vector<int32_t>{r1, r2, r3, r4}), (std::vector<int32_t>{1, 0, 0, 1}));

    const auto& alerts = app.user().alerts();
    ASSERT_EQ(alerts.size(), 5u);
    EXPECT_EQ(alerts[0].kind, AlertRecord::Kind::Message);
    EXPECT_EQ(alerts[0].text, "終了しました");
    EXPECT_EQ(alerts[2].kind, AlertRecord::Kind::YesNo);
    EXPECT_EQ(alerts[2].answer, Answer::No);
    EXPECT_FALSE(app.user().failure());
}

TEST_F(UserSuiteTest, AQuestionWithoutAFittingAnswerIsAnErrorNamingIt) {
    struct Case {
        std::vector<Answer> script;
        const char* failure;
    };
    const Case cases[] = {
        {{}, "no answer was given to the OK/Cancel question \"Overwrite the file?\""},
        {{Answer::Yes},
         "the answer \"yes\" does not fit the OK/Cancel question \"Overwrite the file?\""},
    };
    for (const Case& c : cases) {
        ScriptedResponder script(c.script);
        app.user().setResponder(&script);
        app.user().clearRecords();
        int32_t result = -1;
        EXPECT_EQ(user->OKCancelAlert(text("Overwrite the file?"), 1, &result), kHostErrNoAnswer);
        EXPECT_EQ(result, 0); // callers that ignore the code still read a refusal
        ASSERT_TRUE(app.user().failure());
        EXPECT_EQ(*app.user().failure(), c.failure);
    }
    app.user().setResponder(nullptr);
}

TEST_F(UserSuiteTest, ProgressIsRecordedAndACancelCanBeScriptedAtAnyQuery) {
    ScriptedResponder script;
    script.cancelAtQuery(3);
    app.user().setResponder(&script);
    ASSERT_EQ(user->SetProgressText(text("Colouring")), kHostNoErr);
    std::vector<HostBool> answers;
    for (int32_t i = 0; i < 5; ++i) {
        ASSERT_EQ(user->UpdateProgress(i, 4), kHostNoErr);
        answers.push_back(user->Cancel());
    }
    EXPECT_EQ(answers, (std::vector<HostBool>{0, 0, 1, 1, 1}));
    EXPECT_EQ(app.user().progressTexts(), std::vector<std::string>{"Colouring"});
    ASSERT_EQ(app.user().progressValues().size(), 5u);
    EXPECT_EQ(app.user().progressValues()[4].current, 4);
    EXPECT_EQ(app.user().cancelQueries(), 5u);

    // A failing cancel query reads as "no stop asked": a host fault is never the user's cancel.
    app.faults().failOperation("AI User Suite/Cancel", kHostErrCant);
    ScriptedResponder calm;
    app.user().setResponder(&calm);
    EXPECT_EQ(user->Cancel(), 0);
    app.user().setResponder(nullptr);
    EXPECT_EQ(user->MessageAlert(nullptr), kHostErrBadHandle);
}

TEST(TerminalResponder, AsksUntilTheAnswerFitsAndEndOfInputIsNoAnswer) {
    std::istringstream in("maybe\nyes\n n \n");
    std::ostringstream out;
    TerminalResponder terminal(in, out);
    EXPECT_EQ(terminal.ask(QuestionKind::OkCancel, "Save?"), std::nullopt);
    EXPECT_EQ(out.str(), "Save? [ok/cancel] Please answer [ok/cancel].\n"
                         "Save? [ok/cancel] Please answer [ok/cancel].\n"
                         "Save? [ok/cancel] Please answer [ok/cancel].\n"
                         "Save? [ok/cancel] \n");

    std::istringstream in2("maybe\n y\n");
    TerminalResponder terminal2(in2, out);
    EXPECT_EQ(terminal2.ask(QuestionKind::YesNo, "Replace?"), Answer::Yes);
}

TEST(TerminalResponder, DrawsProgressAsABarAndEndsTheLineForAnAlert) {
    std::istringstream in;
    std::ostringstream out;
    std::atomic<bool> interrupted{false};
    TerminalResponder terminal(in, out, &interrupted);
    terminal.showProgressText("Moving");
    terminal.showProgress(1, 4);
    terminal.showProgress(1, 4); // unchanged: not drawn again
    terminal.showMessage("Done");
    const std::string bar = std::string(7, '#') + std::string(23, '-');
    EXPECT_EQ(out.str(), "\rMoving [" + bar + "] 25%\nDone\n");
    EXPECT_FALSE(terminal.cancelRequested());
    interrupted = true;
    EXPECT_TRUE(terminal.cancelRequested());
}

TEST(ScriptedResponder, FallsBackWhenTheScriptRunsOut) {
    std::istringstream in("cancel\n");
    std::ostringstream out;
    TerminalResponder terminal(in, out);
    ScriptedResponder script({Answer::Ok}, &terminal);
    EXPECT_EQ(script.ask(QuestionKind::OkCancel, "First"), Answer::Ok);
    EXPECT_EQ(script.ask(QuestionKind::OkCancel, "Second"), Answer::Cancel);
    EXPECT_EQ(script.ask(QuestionKind::OkCancel, "Third"), std::nullopt);
    EXPECT_EQ(out.str().find("First"), std::string::npos);
}

} // namespace
} // namespace host
