// The modal dialog run and the about box, against the built module's own resources.
#include "frame/AboutBox.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"
#include "platform/UserAgent.h"
#include "platform/ws.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ws::ScriptedUser;

class ModalDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Loaded with its code, as the host loads it, so the module lookup finds it.
        module = WsLoadLibrary(CARTOVEL_MODULE_PATH);
    }
    static void TearDownTestSuite() {
        if (module != nullptr) WsFreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(module, nullptr) << CARTOVEL_MODULE_PATH;
        host.pluginFile = CARTOVEL_MODULE_PATH;
        sBasic = &host.basic;
        suites = std::make_unique<SuiteHolder>();
        ASSERT_EQ(suites->Error(), kHostNoErr);
    }
    void TearDown() override {
        suites.reset();
        EXPECT_EQ(host.liveStrings, 0);
    }

    static inline WsModule module = nullptr;
    FakeHost host;
    std::unique_ptr<SuiteHolder> suites;
};

TEST_F(ModalDialog, AboutBoxStaysOpenForTheWebButtonAndEndsWithOK) {
    bool openAfterWebButton = false;
    ws::DialogSnapshot shown;
    ScriptedUser user({
        ScriptedUser::inspect([&](ws::DialogView& view) { shown = view.snapshot(); }),
        ScriptedUser::click(frame::kAboutWebButtonId),
        ScriptedUser::inspect([&](ws::DialogView& view) { openAfterWebButton = view.isOpen(); }),
        ScriptedUser::ok(),
    });
    ws::ScopedUserAgent agent(user);
    const size_t opened = ws::shellOpenRequests().size();

    EXPECT_EQ(frame::RunAboutBox(host.self), kHostNoErr);
    EXPECT_TRUE(openAfterWebButton);
    EXPECT_TRUE(user.errors().empty()) << user.errors().front();
    const auto requests = ws::shellOpenRequests();
    ASSERT_EQ(requests.size(), opened + 1);
    EXPECT_EQ(requests.back(), frame::kMakerWebAddress);

    EXPECT_EQ(shown.templateId, 107);
    EXPECT_EQ(shown.caption, "Mirvak-Cartovel1.6について");
    const auto has = [&](int32_t id, const char* text) {
        return std::any_of(shown.controls.begin(), shown.controls.end(),
                           [&](const ws::ControlInfo& c) { return c.id == id && c.text == text; });
    };
    EXPECT_TRUE(has(-1, "Version 1.6.2"));
    EXPECT_TRUE(has(1, "OK"));
    EXPECT_TRUE(has(1063, "Webサイトを開く"));
}

// A procedure in the manner of the commands' dialogs: 0 when confirmed, 'STOP' when
// cancelled, and the parameter handed through from the run.
WsLParam gParameter = 0;
intptr_t CommandDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    if (message == WS_INITDIALOG) gParameter = lParam;
    if (message != WS_COMMAND) return 0;
    if (WS_LOWORD(wParam) == WS_IDOK)
        WsEndDialog(dialog, 0);
    else if (WS_LOWORD(wParam) == WS_IDCANCEL)
        WsEndDialog(dialog, kHostErrCancelled);
    else
        return 0;
    return 1;
}

TEST_F(ModalDialog, EndCodeAndParameterPassThrough) {
    ScriptedUser user({ScriptedUser::cancel()});
    ws::ScopedUserAgent agent(user);
    gParameter = 0;
    EXPECT_EQ(frame::RunModalDialog(host.self, 107, CommandDialogProc, 4711), kHostErrCancelled);
    EXPECT_EQ(gParameter, 4711);
}

TEST_F(ModalDialog, NoDialogWithoutWindowModuleOrTemplate) {
    ScriptedUser user({ScriptedUser::ok()});
    ws::ScopedUserAgent agent(user);

    host.mainWindowFailure = HOST_FOURCC('W', 'I', 'N', '?');
    EXPECT_EQ(frame::RunModalDialog(host.self, 107, CommandDialogProc, 0),
              HOST_FOURCC('W', 'I', 'N', '?'));
    EXPECT_EQ(host.fileSpecRequests, 0) << "the module's file is not asked for";
    host.mainWindowFailure = kHostNoErr;

    // A module the window system has not loaded: never taken for a confirmed dialog.
    host.pluginFile = "/plugins/elsewhere.so";
    EXPECT_EQ(frame::RunModalDialog(host.self, 107, CommandDialogProc, 0), kHostErrNotFound);
    host.pluginFile = CARTOVEL_MODULE_PATH;

    EXPECT_EQ(frame::RunModalDialog(host.self, 999, CommandDialogProc, 0), kHostErrNotFound);
    EXPECT_TRUE(user.dialogs().empty());
}

} // namespace
