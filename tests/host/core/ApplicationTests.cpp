// The application's messages to its modules: start-up, unload and reload, purge,
// notifications, shut-down; module access and the application context stack.
#include "FakeModule.h"
#include "hostapi/suites/AccessSuite.h"
#include "hostapi/suites/ContextSuite.h"
#include "hostapi/suites/NotifierSuite.h"

#include <gtest/gtest.h>

#include <map>

namespace host {
namespace {

using Log = std::vector<std::string>;
constexpr HostErr kRefusal = HOST_FOURCC('N', 'O', 'P', 'E');

bool is(std::string_view caller, std::string_view selector, std::string_view c,
        std::string_view s) {
    return caller == c && selector == s;
}

TEST(ApplicationMessages, StartUpFillsTheHeaderAndTheGlobalsSlotIsKept) {
    Application app;
    test::FakeModule fake;
    static int objectOfTheModule = 0;
    std::vector<void*> globalsSeen;
    fake.onMessage = [&](test::FakeModule& self, std::string_view caller, std::string_view selector,
                         HostMessageData& message) -> HostErr {
        EXPECT_EQ(message.check, kHostMessageCheck);
        EXPECT_EQ(message.self, self.module->ref());
        EXPECT_EQ(message.basic, app.basicSuite());
        globalsSeen.push_back(message.globals);
        if (is(caller, selector, kCallerInterface, kSelectorStartup))
            message.globals = &objectOfTheModule;
        return kHostNoErr;
    };
    Module& module = test::addFakeModule(app, fake);
    ASSERT_EQ(app.startModules(), kHostNoErr);
    EXPECT_EQ(module.state(), ModuleState::Started);
    HostMessageData record{};
    app.deliver(module, "Test", "Ping", record);
    EXPECT_EQ(globalsSeen, (std::vector<void*>{nullptr, &objectOfTheModule}));
}

TEST(ApplicationMessages, AFailedStartUpEndsEveryConversationWithTheModule) {
    Application app;
    test::FakeModule good, bad;
    bad.onMessage = [](test::FakeModule&, std::string_view, std::string_view selector,
                       HostMessageData&) -> HostErr {
        return selector == kSelectorStartup ? kRefusal : kHostNoErr;
    };
    const auto registerStarted = [](test::FakeModule& self, std::string_view,
                                    std::string_view selector, HostMessageData&) -> HostErr {
        if (selector != kSelectorStartup) return kHostNoErr;
        const auto* notifiers =
            self.acquire<HostNotifierSuite>(kHostNotifierSuite, kHostNotifierSuiteVersion);
        return notifiers->AddNotifier(self.module->ref(), "started", kHostAppStartedNotifier,
                                      nullptr);
    };
    good.onMessage = registerStarted;
    test::addFakeModule<0>(app, good, "good.so");
    Module& failed = test::addFakeModule<1>(app, bad, "bad.so");

    EXPECT_EQ(app.startModules(), kRefusal);
    EXPECT_EQ(failed.state(), ModuleState::Failed);
    EXPECT_EQ(app.unloadModule(failed), kHostErrRefused);
    HostMessageData record{};
    EXPECT_EQ(app.deliver(failed, "Test", "Ping", record), kHostErrRefused);
    app.shutdown();
    EXPECT_EQ(bad.log, Log{"SP Interface/Startup"});
    EXPECT_EQ(good.log,
              (Log{"SP Interface/Startup", "AI Notifier/AI Notify/" kHostAppStartedNotifier,
                   "SP Interface/Shutdown"}));
}

TEST(ApplicationMessages, AHeldModuleStaysAndAnUnheldOneIsReloadedWhenNeeded) {
    Application app;
    test::FakeModule fake;
    HostAccessRef access = nullptr;
    const HostAccessSuite* accessSuite = nullptr;
    fake.onMessage = [&](test::FakeModule& self, std::string_view, std::string_view selector,
                         HostMessageData&) -> HostErr {
        if (selector == kSelectorStartup) {
            accessSuite = self.acquire<HostAccessSuite>(kHostAccessSuite, kHostAccessSuiteVersion);
            return accessSuite->AcquirePlugin(self.module->ref(), &access);
        }
        return kHostNoErr;
    };
    Module& module = test::addFakeModule(app, fake);
    ASSERT_EQ(app.startModules(), kHostNoErr);
    EXPECT_EQ(module.holds(), 1);
    EXPECT_EQ(app.unloadModule(module), kHostErrRefused);

    ASSERT_EQ(accessSuite->ReleasePlugin(access), kHostNoErr);
    EXPECT_EQ(accessSuite->ReleasePlugin(access), kHostErrBadHandle);
    ASSERT_EQ(app.unloadModule(module), kHostNoErr);
    EXPECT_EQ(module.state(), ModuleState::Unloaded);

    HostMessageData record{};
    EXPECT_EQ(app.deliver(module, "Test", "Ping", record), kHostNoErr);
    EXPECT_EQ(module.state(), ModuleState::Started);
    EXPECT_EQ(fake.log,
              (Log{"SP Interface/Startup", "SP Access/Unload", "SP Access/Reload", "Test/Ping"}));
}

TEST(ApplicationMessages, PurgeReportsWhetherAModuleReleasedMemory) {
    Application app;
    test::FakeModule keeps, frees;
    frees.onMessage = [](test::FakeModule&, std::string_view caller, std::string_view,
                         HostMessageData&) -> HostErr {
        return caller == kCallerCache ? kHostErrPurgeFreed : kHostNoErr;
    };
    test::addFakeModule<0>(app, keeps);
    ASSERT_EQ(app.startModules(), kHostNoErr);
    EXPECT_FALSE(app.purgeModules());
    test::addFakeModule<1>(app, frees);
    ASSERT_EQ(app.startModules(), kHostNoErr);
    EXPECT_TRUE(app.purgeModules());
    EXPECT_EQ(keeps.log.back(), "SP Cache/Plug-in Purge");
}

TEST(ApplicationMessages, NotificationsReachEveryRegistrationOfTheTypeInOrder) {
    Application app;
    test::FakeModule a, b;
    std::vector<std::pair<std::string, HostNotifierHandle>> received; // module, notifier
    std::map<std::string, HostNotifierHandle> handles;
    const auto module = [&](const std::string& name,
                            std::vector<std::pair<std::string, std::string>> registrations) {
        return [&, name, registrations](test::FakeModule& self, std::string_view caller,
                                        std::string_view selector,
                                        HostMessageData& message) -> HostErr {
            if (selector == kSelectorStartup) {
                const auto* suite =
                    self.acquire<HostNotifierSuite>(kHostNotifierSuite, kHostNotifierSuiteVersion);
                for (const auto& [own, type] : registrations) {
                    HostNotifierHandle h = nullptr;
                    EXPECT_EQ(suite->AddNotifier(self.module->ref(), own.c_str(), type.c_str(), &h),
                              kHostNoErr);
                    handles[own] = h;
                }
            }
            if (caller == kCallerNotifier) {
                auto& n = reinterpret_cast<HostNotifierMessage&>(message);
                EXPECT_STREQ(n.type, kHostDocumentChangedNotifier);
                received.emplace_back(name, n.notifier);
            }
            return kHostNoErr;
        };
    };
    a.onMessage = module("a", {{"a1", kHostDocumentChangedNotifier},
                               {"a2", kHostUIBrightnessChangedNotifier},
                               {"a3", kHostDocumentChangedNotifier}});
    b.onMessage = module("b", {{"b1", kHostDocumentChangedNotifier}});
    test::addFakeModule<0>(app, a);
    test::addFakeModule<1>(app, b);
    ASSERT_EQ(app.startModules(), kHostNoErr);

    const auto results = app.notify(kHostDocumentChangedNotifier);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(received, (std::vector<std::pair<std::string, HostNotifierHandle>>{
                            {"a", handles["a1"]}, {"a", handles["a3"]}, {"b", handles["b1"]}}));
    EXPECT_TRUE(app.notify("AI Nobody Listens Notifier").empty());
}

TEST(ApplicationMessages, ShutDownNotifiesFirstThenShutsModulesDownLastLoadedFirst) {
    Log order;
    {
        Application app;
        test::FakeModule a, b;
        const auto recorder = [&order](std::string name) {
            return [&order, name](test::FakeModule& self, std::string_view caller,
                                  std::string_view selector, HostMessageData&) -> HostErr {
                if (selector == kSelectorStartup) {
                    const auto* suite = self.acquire<HostNotifierSuite>(kHostNotifierSuite,
                                                                        kHostNotifierSuiteVersion);
                    suite->AddNotifier(self.module->ref(), "n", kHostAppShutdownNotifier, nullptr);
                } else {
                    order.push_back(name + ":" + std::string(caller) + "/" + std::string(selector));
                }
                return kHostNoErr;
            };
        };
        a.onMessage = recorder("a");
        b.onMessage = recorder("b");
        test::addFakeModule<0>(app, a);
        test::addFakeModule<1>(app, b);
        ASSERT_EQ(app.startModules(), kHostNoErr);
        order.clear(); // the app-started notification
        app.shutdown();
        app.shutdown(); // once only; the destructor does not send it again either
    }
    EXPECT_EQ(order, (Log{"a:AI Notifier/AI Notify", "b:AI Notifier/AI Notify",
                          "b:SP Interface/Shutdown", "a:SP Interface/Shutdown"}));
}

TEST(ApplicationContext, PushAndPopMustMatchAndAModuleCannotLeaveOneBehind) {
    Application app;
    test::FakeModule fake;
    Module& module = test::addFakeModule(app, fake);
    const auto* contexts =
        test::acquire<HostContextSuite>(app, kHostContextSuite, kHostContextSuiteVersion);
    ASSERT_NE(contexts, nullptr);

    HostAppContext outer = nullptr, inner = nullptr;
    ASSERT_EQ(contexts->PushAppContext(module.ref(), &outer), kHostNoErr);
    ASSERT_EQ(contexts->PushAppContext(module.ref(), &inner), kHostNoErr);
    EXPECT_EQ(contexts->PopAppContext(outer), kHostErrBadParameter);
    EXPECT_EQ(app.contexts().depth(), 2u);
    EXPECT_EQ(contexts->PopAppContext(inner), kHostNoErr);
    EXPECT_EQ(contexts->PopAppContext(outer), kHostNoErr);
    EXPECT_EQ(contexts->PopAppContext(outer), kHostErrBadParameter);
    EXPECT_EQ(contexts->PushAppContext(nullptr, &outer), kHostErrBadHandle);

    fake.onMessage = [&](test::FakeModule& self, std::string_view, std::string_view,
                         HostMessageData&) -> HostErr {
        HostAppContext forgotten = nullptr;
        return contexts->PushAppContext(self.module->ref(), &forgotten);
    };
    HostMessageData record{};
    ASSERT_EQ(app.send(module, "Test", "Ping", record), kHostNoErr);
    EXPECT_EQ(app.contexts().depth(), 0u);
    EXPECT_EQ(app.contexts().mismatches(), 3u);
}

} // namespace
} // namespace host
