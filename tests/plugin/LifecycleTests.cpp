// The module's life through the host's messages: before start-up, start-up and its failure,
// unload and reload, unknown callers, failures inside a command, shut-down.
#include "SpineFixture.h"

#include "hostapi/suites/ContextSuite.h"
#include "hostapi/suites/NotifierSuite.h"

namespace spine {
namespace {

using host::moduleSuiteCatalog;

TEST_F(Spine, MessagesBeforeStartUpAreAnsweredWithZeroAndTouchNothing) {
    EXPECT_EQ(sendMenu(kSelectorGo, nullptr), kHostNoErr);
    EXPECT_EQ(sendMenu(kSelectorUpdate, nullptr), kHostNoErr);
    HostNotifierMessage notification{};
    notification.type = kHostDocumentChangedNotifier;
    EXPECT_EQ(app.send(*module, kCallerNotifier, kSelectorNotify, notification.d), kHostNoErr);
    for (const auto& [caller, selector] : {std::pair{kCallerAccess, kSelectorUnload},
                                           {kCallerAccess, kSelectorReload},
                                           {kCallerCache, kSelectorPurge},
                                           {kCallerInterface, kSelectorShutdown}})
        EXPECT_EQ(send(caller, selector), kHostNoErr) << caller << "/" << selector;
    EXPECT_EQ(app.faults().acquisitions(), 0u);
    EXPECT_TRUE(app.notifiers().all().empty());
    EXPECT_EQ(module->globals(), nullptr);
}

TEST_F(Spine, StartUpAcquiresEverySuiteRegistersItselfAndHoldsTheModule) {
    ASSERT_EQ(start(), kHostNoErr);
    EXPECT_EQ(module->state(), host::ModuleState::Started);
    EXPECT_NE(module->globals(), nullptr);
    EXPECT_EQ(module->name(), "Mirvak-Cartovel1.6");
    for (const host::SuiteName& suite : moduleSuiteCatalog())
        EXPECT_EQ(app.suites().held(suite.name, suite.version), 1) << suite.name;

    std::vector<std::pair<std::string, std::string>> notifiers;
    for (const host::Notifier* n : app.notifiers().all())
        notifiers.emplace_back(n->name, n->type);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Mirvak-Cartovel1.6 App Started Notifier", kHostAppStartedNotifier},
        {"Mirvak-Cartovel1.6 Application Shutdown Notifier", kHostAppShutdownNotifier},
        {"MvCartovel1.6 Application Shutdown Notifier", kHostAppShutdownNotifier},
        {"MvCartovel1.6 Selection Changed Notifier", kHostArtSelectionChangedNotifier},
        {"MvCartovel1.6 Document Changed Notifier", kHostDocumentChangedNotifier},
        {"MvCartovel1.6 UIBrightness Changed Notifier", kHostUIBrightnessChangedNotifier},
    };
    EXPECT_EQ(notifiers, expected);

    // Held by itself, the module is not unloaded by the host.
    EXPECT_EQ(module->holds(), 1);
    EXPECT_EQ(app.unloadModule(*module), kHostErrRefused);

    // Notifications run inside the module's own application context, popped again.
    const uint64_t pushes = app.faults().calls("AI Context Suite/PushAppContext");
    for (const char* type : {kHostDocumentChangedNotifier, kHostUIBrightnessChangedNotifier,
                             kHostArtSelectionChangedNotifier})
        for (const auto& result : app.notify(type))
            EXPECT_EQ(result.result, kHostNoErr) << type;
    EXPECT_EQ(app.faults().calls("AI Context Suite/PushAppContext"), pushes + 3);
    EXPECT_EQ(app.contexts().depth(), 0u);
    EXPECT_EQ(app.contexts().mismatches(), 0u);
}

TEST_F(Spine, AFailedFiftiethAcquisitionReleasesTheFortyNineBeforeIt) {
    constexpr HostErr kFault = HOST_FOURCC('F', 'A', 'I', 'L');
    app.faults().failAcquisition(50, kFault);
    EXPECT_EQ(start(), kFault);
    EXPECT_EQ(module->state(), host::ModuleState::Failed);
    EXPECT_EQ(app.suites().totalHeld(), 0);
    const auto catalog = moduleSuiteCatalog();
    for (std::size_t i = 0; i < catalog.size(); ++i) {
        const uint64_t expected = i < 49 ? 1 : 0;
        EXPECT_EQ(app.suites().acquiredTotal(catalog[i].name, catalog[i].version), expected) << i;
        EXPECT_EQ(app.suites().releasedTotal(catalog[i].name, catalog[i].version), expected) << i;
    }
    EXPECT_TRUE(app.menus().items().empty());
    EXPECT_TRUE(app.notifiers().all().empty());
    EXPECT_TRUE(app.user().alerts().empty());
}

TEST_F(Spine, AfterUnloadMenuGoIsAnsweredWithoutTheCommandAndReloadRestoresDispatch) {
    ASSERT_EQ(start(), kHostNoErr);
    host::MenuItem& about = requireItem(kAboutItem);
    // The panels ask for the main window at start-up too; count from here.
    const std::uint64_t before = app.faults().calls("GetPlatformAppWindow");
    const auto dialogsShown = [&] { return app.faults().calls("GetPlatformAppWindow") - before; };

    // The host would not unload a held module; the message is sent as it is.
    ASSERT_EQ(send(kCallerAccess, kSelectorUnload), kHostNoErr);
    EXPECT_EQ(app.suites().totalHeld(), 0);
    EXPECT_EQ(sendMenu(kSelectorGo, &about), kHostNoErr);
    EXPECT_EQ(sendMenu(kSelectorUpdate, &about), kHostNoErr);
    EXPECT_EQ(dialogsShown(), 0u);
    EXPECT_TRUE(user.dialogs().empty());

    ASSERT_EQ(send(kCallerAccess, kSelectorReload), kHostNoErr);
    EXPECT_EQ(app.suites().totalHeld(), static_cast<int>(moduleSuiteCatalog().size()));
    user.then(ws::ScriptedUser::ok());
    EXPECT_EQ(sendMenu(kSelectorGo, &about), kHostNoErr);
    EXPECT_EQ(dialogsShown(), 1u);
    ASSERT_EQ(user.dialogs().size(), 1u);
    EXPECT_EQ(user.dialogs()[0].templateId, 107);
    EXPECT_TRUE(user.errors().empty());
    // Menus and notifiers of the first start-up are kept, not made again.
    EXPECT_EQ(app.notifiers().all().size(), 6u);
}

TEST_F(Spine, AnUnknownCallerIsAnsweredWithZeroAndReportsNothing) {
    ASSERT_EQ(start(), kHostNoErr);
    const uint64_t userCalls = app.faults().calls("AI User Suite/MessageAlert");
    EXPECT_EQ(send("No Such Caller", "Anything"), kHostNoErr);
    EXPECT_EQ(send(kCallerMenu, "No Such Selector"), kHostNoErr);
    EXPECT_EQ(app.faults().calls("AI User Suite/MessageAlert"), userCalls);
    EXPECT_TRUE(app.user().alerts().empty());
}

// A failure the module's own code did not raise: the host's suite throws a C++ exception
// into the module, which must come back as 'CANT' at the message boundary, not crash.
HostErr ThrowingAppWindow(HostPlatformWindow*) {
    throw std::runtime_error("foreign failure");
}

TEST_F(Spine, AForeignExceptionInsideACommandReturnsCant) {
    const void* real = nullptr;
    ASSERT_EQ(app.suites().acquire(kHostContextSuite, kHostContextSuiteVersion, &real), kHostNoErr);
    static HostContextSuite throwing;
    throwing = *static_cast<const HostContextSuite*>(real);
    throwing.GetPlatformAppWindow = ThrowingAppWindow;
    ASSERT_EQ(app.suites().release(kHostContextSuite, kHostContextSuiteVersion), kHostNoErr);
    app.suites().provide(kHostContextSuite, kHostContextSuiteVersion, &throwing);

    ASSERT_EQ(start(), kHostNoErr);
    EXPECT_EQ(app.chooseMenuItem(requireItem(kAboutItem).handle()), kHostErrCant);
    EXPECT_TRUE(user.dialogs().empty());
}

TEST_F(Spine, AFailingHostOperationInsideTheAboutBoxLeavesTheModuleWorking) {
    ASSERT_EQ(start(), kHostNoErr);
    app.faults().failOperation("GetPluginFileSpecification", kHostErrFile, 1);
    // The about box reports nothing of its own; no dialog could be made.
    EXPECT_EQ(app.chooseMenuItem(requireItem(kAboutItem).handle()), kHostNoErr);
    EXPECT_TRUE(user.dialogs().empty());
    user.then(ws::ScriptedUser::ok());
    EXPECT_EQ(app.chooseMenuItem(requireItem(kAboutItem).handle()), kHostNoErr);
    EXPECT_EQ(user.dialogs().size(), 1u);
}

TEST_F(Spine, ShutDownReleasesEverySuiteTheModuleHeld) {
    ASSERT_EQ(start(), kHostNoErr);
    app.shutdown();
    EXPECT_EQ(module->state(), host::ModuleState::ShutDown);
    EXPECT_EQ(app.suites().totalHeld(), 0);
    EXPECT_EQ(app.contexts().depth(), 0u);
    // The shut-down notification went to both of its registrations before "Shutdown".
    std::vector<std::string> last;
    for (const auto& m : app.sentMessages())
        last.push_back(m.caller + "/" + m.selector);
    ASSERT_GE(last.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(last.end() - 3, last.end()),
              (std::vector<std::string>{"AI Notifier/AI Notify", "AI Notifier/AI Notify",
                                        "SP Interface/Shutdown"}));
}

} // namespace
} // namespace spine
