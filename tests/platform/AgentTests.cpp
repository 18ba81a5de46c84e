// The person-at-a-terminal agent, running without an agent, and the shell's open verb.
#include "TestSupport.h"

#include <sstream>

using namespace wstest;

namespace {

struct TerminalRun {
    intptr_t result;
    ScaleSettings settings;
    std::string output;
};

TerminalRun runAtTerminal(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    ws::TerminalUser user(in, out);
    ws::ScopedUserAgent scope(user);
    TerminalRun run{0, {}, {}};
    run.result = runScale(run.settings);
    run.output = out.str();
    return run;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(TerminalUser, ShowsTheDialogAndTakesAnswers) {
    TerminalRun run = runAtTerminal("set 1074 30000\nclick 1076\npick 1083 1\nok\n");
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.settings.scale, 30000);
    EXPECT_EQ(run.settings.mode, 1);
    EXPECT_EQ(run.settings.paper, 1);
    for (const char* shown :
         {"== Scale ==", "  Scale: 1/\n", "[1074] \"25000\"", "[1075] (*) By scale",
          "[1124] (*) Tail", "[1073] \"\" (disabled)", "[1070] [ ] Keep ratio", "    > 0: A4",
          "[1] Run  [2] Cancel", "[1074] \"30000\"", "[1076] (*) By ratio"})
        EXPECT_TRUE(contains(run.output, shown)) << shown << "\n" << run.output;
}

TEST(TerminalUser, RefusedAnswersAreExplainedAndTheEndOfInputCancels) {
    TerminalRun run = runAtTerminal("set 1074 abc\nfly away\nset 1074 1\n");
    EXPECT_EQ(run.result, kStop);
    EXPECT_EQ(run.settings.scale, 25000);
    EXPECT_TRUE(
        contains(run.output, "error: dialog 115 \"Scale\": control 1074 accepts digits only"))
        << run.output;
    EXPECT_TRUE(contains(run.output, "commands: set ID TEXT")) << run.output;
    EXPECT_TRUE(contains(run.output, "[1074] \"25000\"")) << "1 is refused by the dialog";
    EXPECT_TRUE(contains(run.output, "error: dialog 115 \"Scale\" was left unanswered"))
        << run.output;
}

TEST(UserAgents, WithoutAnAgentEveryDialogIsCancelled) {
    ws::UserAgent* previous = ws::setUserAgent(nullptr);
    testing::internal::CaptureStderr();
    ScaleSettings settings;
    EXPECT_EQ(runScale(settings), kStop);
    EXPECT_TRUE(contains(testing::internal::GetCapturedStderr(), "left unanswered"));
    ws::setUserAgent(previous);
}

namespace {
struct Recorder : ws::ScriptedUser {
    std::vector<std::string> opened;
    void shellOpen(const std::string& target) override { opened.push_back(target); }
};
} // namespace

TEST(UserAgents, ShellOpenIsRecordedAndNeverLaunched) {
    Recorder user;
    ws::ScopedUserAgent scope(user);
    EXPECT_TRUE(WsShellOpen("https://example.org/a"));
    EXPECT_FALSE(WsShellOpen(""));
    EXPECT_FALSE(WsShellOpen(nullptr));
    EXPECT_EQ(user.opened, std::vector<std::string>{"https://example.org/a"});
    EXPECT_EQ(ws::shellOpenRequests().back(), "https://example.org/a");
}
