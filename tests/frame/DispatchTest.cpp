#include "frame/HostSuites.h"
#include "frame/Plugin.h"
#include "frame/PluginEntry.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr HostErr kUnhandled = kHostErrUnhandledMessage;

/** Records which operation the dispatch picked and answers with `answer`. */
class RecordingPlugin : public Plugin {
public:
    using Plugin::Plugin;

    std::vector<std::string> calls;
    HostErr answer = kHostNoErr;

#define RECORD(Operation, Record)                                                                  \
    HostErr Operation(Record*) override {                                                          \
        calls.push_back(#Operation);                                                               \
        return answer;                                                                             \
    }
    RECORD(OnUnload, HostMessageData)
    RECORD(OnReload, HostMessageData)
    RECORD(OnAcquireProperty, HostMessageData)
    RECORD(OnReleaseProperty, HostMessageData)
    RECORD(OnNotify, HostNotifierMessage)
    RECORD(OnDoAction, HostMessageData)
    RECORD(OnMenuGo, HostMenuMessage)
    RECORD(OnMenuUpdate, HostMenuMessage)
    RECORD(OnFilterGetParameters, HostMessageData)
    RECORD(OnFilterGo, HostMessageData)
    RECORD(OnPluginGroupNotifyEdits, HostMessageData)
    RECORD(OnPluginGroupUpdate, HostMessageData)
    RECORD(OnFileFormatGetParameters, HostMessageData)
    RECORD(OnFileFormatGo, HostMessageData)
    RECORD(OnFileFormatCheck, HostMessageData)
    RECORD(OnFileFormatUpdate, HostMessageData)
    RECORD(OnFileFormatDoAction, HostMessageData)
    RECORD(OnToolEditOptions, HostMessageData)
    RECORD(OnToolTrackCursor, HostMessageData)
    RECORD(OnToolMouseDown, HostMessageData)
    RECORD(OnToolMouseDrag, HostMessageData)
    RECORD(OnToolMouseUp, HostMessageData)
    RECORD(OnToolSelect, HostMessageData)
    RECORD(OnToolDeselect, HostMessageData)
    RECORD(OnToolReselect, HostMessageData)
    RECORD(OnToolDecreaseDiameter, HostMessageData)
    RECORD(OnToolIncreaseDiameter, HostMessageData)
    RECORD(OnLiveEffectEditParameters, HostMessageData)
    RECORD(OnLiveEffectGoLive, HostMessageData)
    RECORD(OnLiveEffectInterpolateParameters, HostMessageData)
    RECORD(OnLiveEffectInputType, HostMessageData)
    RECORD(OnLiveEffectConvertColorSpace, HostMessageData)
    RECORD(OnLiveEffectScaleParameters, HostMessageData)
    RECORD(OnLiveEffectAdjustColors, HostMessageData)
    RECORD(OnLiveEffectHandleMerge, HostMessageData)
    RECORD(OnTimerGo, HostMessageData)
    RECORD(OnClipboardGo, HostMessageData)
    RECORD(OnClipboardCanCopy, HostMessageData)
    RECORD(OnClipboardClone, HostMessageData)
    RECORD(OnClipboardDispose, HostMessageData)
    RECORD(OnWriteWorkspace, HostMessageData)
    RECORD(OnRestoreWorkspace, HostMessageData)
    RECORD(OnDefaultWorkspace, HostMessageData)
#undef RECORD

    HostErr OnPurge() override {
        calls.push_back("OnPurge");
        return answer;
    }
    HostErr OnAppStartedNotice() override {
        calls.push_back("OnAppStartedNotice");
        return appNoticeAnswer;
    }
    HostErr OnAppShutdownNotice() override {
        calls.push_back("OnAppShutdownNotice");
        return appNoticeAnswer;
    }
    HostErr appNoticeAnswer = kHostNoErr;
};

struct Row {
    const char* caller;
    const char* selector;
    /** Operation the dispatch calls; null when the dispatch answers by itself. */
    const char* operation;
    /** What the base class answers. */
    HostErr base;
};

const Row kRows[] = {
    {"SP Access", "Unload", "OnUnload", 0},
    {"SP Access", "Reload", "OnReload", 0},
    {"SP Interface", "About", nullptr, 0},
    {"SP Interface", "Startup", nullptr, 0},
    {"SP Cache", "Plug-in Purge", "OnPurge", 0},
    {"SP Properties", "Acquire", "OnAcquireProperty", kUnhandled},
    {"SP Properties", "Release", "OnReleaseProperty", kUnhandled},
    {"Action Manager", "Do Action", "OnDoAction", 0},
    {"AI Menu", "AI Go", "OnMenuGo", kUnhandled},
    {"AI Menu", "AI Update", "OnMenuUpdate", kUnhandled},
    {"AI Filter", "AI Get Parameters", "OnFilterGetParameters", kUnhandled},
    {"AI Filter", "AI Go", "OnFilterGo", kUnhandled},
    {"AI Plugin Group", "AI Notify Edits", "OnPluginGroupNotifyEdits", kUnhandled},
    {"AI Plugin Group", "AI Update", "OnPluginGroupUpdate", kUnhandled},
    {"AI File Format", "AI Get Parameters", "OnFileFormatGetParameters", kUnhandled},
    {"AI File Format", "AI Go", "OnFileFormatGo", kUnhandled},
    {"AI File Format", "AI Check", "OnFileFormatCheck", kUnhandled},
    {"AI File Format", "AI Update AI140", "OnFileFormatUpdate", kUnhandled},
    {"AI File Format", "Do Action", "OnFileFormatDoAction", kUnhandled},
    {"AI Tool", "AI Edit Options", "OnToolEditOptions", kUnhandled},
    {"AI Tool", "AI Track Cursor", "OnToolTrackCursor", kUnhandled},
    {"AI Tool", "AI Mouse Down", "OnToolMouseDown", kUnhandled},
    {"AI Tool", "AI Mouse Drag", "OnToolMouseDrag", kUnhandled},
    {"AI Tool", "AI Mouse Up", "OnToolMouseUp", kUnhandled},
    {"AI Tool", "AI Select", "OnToolSelect", kUnhandled},
    {"AI Tool", "AI Deselect", "OnToolDeselect", kUnhandled},
    {"AI Tool", "AI Reselect", "OnToolReselect", 0},
    {"AI Tool", "AI Decrease Diameter", "OnToolDecreaseDiameter", 0},
    {"AI Tool", "AI Increase Diameter", "OnToolIncreaseDiameter", 0},
    {"AI Live Effect", "AI Live Effect Edit Parameters", "OnLiveEffectEditParameters", kUnhandled},
    {"AI Live Effect", "AI Live Effect Go Live", "OnLiveEffectGoLive", kUnhandled},
    {"AI Live Effect", "AI Live Effect Interpolate Parameters", "OnLiveEffectInterpolateParameters",
     kUnhandled},
    {"AI Live Effect", "AI Live Effect Input Type", "OnLiveEffectInputType", kUnhandled},
    {"AI Live Effect", "AI Live Effect Convert Color Space", "OnLiveEffectConvertColorSpace",
     kUnhandled},
    {"AI Live Effect", "AI Live Effect Scale Parameters", "OnLiveEffectScaleParameters",
     kUnhandled},
    {"AI Live Effect", "AI Live Effect Adjust Colors", "OnLiveEffectAdjustColors", kUnhandled},
    {"AI Live Effect", "AI Live Effect Handle Merge", "OnLiveEffectHandleMerge", kUnhandled},
    {"AI Timer", "AI Go", "OnTimerGo", kUnhandled},
    {"AI Clipboard", "AI Go", "OnClipboardGo", kUnhandled},
    {"AI Clipboard", "AI Can Copy", "OnClipboardCanCopy", kUnhandled},
    {"AI Clipboard", "AI Clone", "OnClipboardClone", kUnhandled},
    {"AI Clipboard", "AI Dispose", "OnClipboardDispose", kUnhandled},
    {"Workspace Manager", "Write Workspace", "OnWriteWorkspace", kUnhandled},
    {"Workspace Manager", "Restore Workspace", "OnRestoreWorkspace", kUnhandled},
    {"Workspace Manager", "Default Workspace", "OnDefaultWorkspace", kUnhandled},
    // Unknown selectors and callers, and selectors that belong to another caller.
    {"AI Menu", "AI Go Fast", nullptr, kUnhandled},
    {"AI Timer", "AI Update", nullptr, kUnhandled},
    {"SP Interface", "Shutdown", nullptr, kUnhandled},
    {"AI Gadget", "AI Go", nullptr, kUnhandled},
    {"ai menu", "AI Go", nullptr, kUnhandled},
};

TEST(Dispatch, EveryRowReachesItsOperation) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(row.caller) + " / " + row.selector);
        RecordingPlugin plugin(nullptr);
        plugin.answer = HOST_FOURCC('R', 'O', 'W', '!');
        HostMenuMessage message{};
        const HostErr result = plugin.OnMessage(row.caller, row.selector, &message);
        if (row.operation == nullptr) {
            EXPECT_TRUE(plugin.calls.empty());
            EXPECT_EQ(result, row.base);
            continue;
        }
        ASSERT_EQ(plugin.calls, std::vector<std::string>{row.operation});
        // A purge that released something is answered 'pFls'.
        EXPECT_EQ(result, row.selector == std::string("Plug-in Purge") ? kHostErrPurgeFreed
                                                                       : plugin.answer);
    }
}

TEST(Dispatch, BaseAnswersWithoutOverrides) {
    for (const Row& row : kRows) {
        if (row.selector == std::string("Unload") || row.selector == std::string("Reload"))
            continue; // these change the suite state; covered by the entry tests
        Plugin plugin(nullptr);
        HostMenuMessage message{};
        EXPECT_EQ(plugin.OnMessage(row.caller, row.selector, &message), row.base)
            << row.caller << " / " << row.selector;
    }
    RecordingPlugin purging(nullptr);
    purging.answer = kHostNoErr;
    EXPECT_EQ(purging.OnMessage(kCallerCache, kSelectorPurge, nullptr), kHostNoErr)
        << "nothing released: 0";
}

TEST(PluginName, CopiesAreBoundedAndTerminated) {
    Plugin plugin(nullptr);
    struct Case {
        size_t length;
        const char* copied;
    };
    for (const Case& c : {Case{1, ""}, Case{4, "Plu"}, Case{7, "Plugin"}, Case{64, "Plugin"}}) {
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), 'x');
        EXPECT_EQ(plugin.GetName(buffer, c.length), 6u);
        EXPECT_STREQ(buffer, c.copied) << c.length;
        if (c.length < sizeof buffer) {
            EXPECT_EQ(buffer[c.length], 'x') << "nothing written past length";
        }
    }
    EXPECT_EQ(plugin.GetName(nullptr, 0), 6u);
}

class NotifierDispatch : public ::testing::Test {
protected:
    void SetUp() override {
        sBasic = &host.basic;
        session.Send(kCallerInterface, kSelectorStartup);
        ASSERT_NE(plugin(), nullptr);
    }
    void TearDown() override {
        session.Send(kCallerInterface, kSelectorShutdown);
        EXPECT_EQ(host.OutstandingSuites(), 0);
    }
    RecordingPlugin* plugin() { return static_cast<RecordingPlugin*>(session.plugin()); }
    HostErr Notify(HostNotifierHandle handle, const char* selector = kSelectorNotify) {
        HostNotifierMessage message{host.Message(plugin()), handle, "Some Type", nullptr};
        return plugin()->OnMessage(kCallerNotifier, selector, &message);
    }

    static Plugin* Make(HostPluginRef ref) noexcept {
        return new (std::nothrow) RecordingPlugin(ref);
    }

    FakeHost host;
    HostSession session{host, Make};
};

TEST_F(NotifierDispatch, NoticesOfTheBaseNotifiersThenOnNotifyInsideTheContext) {
    const HostNotifierHandle started = plugin()->AppStartedNotifier();
    const HostNotifierHandle shutdown = plugin()->AppShutdownNotifier();
    ASSERT_NE(started, nullptr);
    ASSERT_EQ(host.NotifierOfName("Plugin App Started Notifier"), started);
    ASSERT_EQ(host.NotifierOfName("Plugin Application Shutdown Notifier"), shutdown);

    struct Case {
        HostNotifierHandle handle;
        const char* selector;
        std::vector<std::string> calls;
        HostErr result;
    };
    const HostNotifierHandle other = reinterpret_cast<HostNotifierHandle>(0x77);
    const Case cases[] = {
        {started, kSelectorNotify, {"OnAppStartedNotice", "OnNotify"}, kHostNoErr},
        {shutdown, kSelectorNotify, {"OnAppShutdownNotice", "OnNotify"}, kHostNoErr},
        {other, kSelectorNotify, {"OnNotify"}, kHostNoErr},
        {started, "AI Other", {"OnAppStartedNotice"}, kHostNoErr},
        {other, "AI Other", {}, kUnhandled},
    };
    for (const Case& c : cases) {
        plugin()->calls.clear();
        const int pushes = host.contextPushes;
        EXPECT_EQ(Notify(c.handle, c.selector), c.result);
        EXPECT_EQ(plugin()->calls, c.calls);
        EXPECT_EQ(host.contextPushes, pushes + 1);
        EXPECT_EQ(host.contextDepth, 0) << "the context is popped";
    }
}

TEST_F(NotifierDispatch, AFailedNoticeEndsTheNotificationAfterThePop) {
    plugin()->appNoticeAnswer = HOST_FOURCC('N', 'O', 'P', 'E');
    EXPECT_EQ(Notify(plugin()->AppStartedNotifier()), HOST_FOURCC('N', 'O', 'P', 'E'));
    EXPECT_EQ(plugin()->calls, std::vector<std::string>{"OnAppStartedNotice"});
    EXPECT_EQ(host.contextDepth, 0);
}

TEST_F(NotifierDispatch, AfterAReloadANullHandleNamesNoNotifier) {
    plugin()->RenewAfterReload();
    EXPECT_EQ(Notify(nullptr), kHostNoErr);
    EXPECT_EQ(plugin()->calls, std::vector<std::string>{"OnNotify"});
}

// The entry: object lifetime, unload/reload and the answers the host gets.
int gLiveEntryPlugins = 0;

class EntryPlugin : public Plugin {
public:
    explicit EntryPlugin(HostPluginRef ref) : Plugin(ref) { ++gLiveEntryPlugins; }
    ~EntryPlugin() override { --gLiveEntryPlugins; }
    HostErr OnMenuGo(HostMenuMessage*) override {
        ++menuGos;
        return menuAnswer;
    }
    int menuGos = 0;
    HostErr menuAnswer = kHostNoErr;
};

Plugin* MakeEntryPlugin(HostPluginRef ref) noexcept {
    return new (std::nothrow) EntryPlugin(ref);
}
Plugin* MakeNothing(HostPluginRef) noexcept {
    return nullptr;
}

class Entry : public ::testing::Test {
protected:
    void TearDown() override {
        session.Send(kCallerInterface, kSelectorShutdown);
        EXPECT_EQ(gLiveEntryPlugins, 0);
        EXPECT_EQ(host.OutstandingSuites(), 0);
        EXPECT_EQ(host.unmatchedReleases, 0);
        EXPECT_EQ(sSuiteRefCount, 0);
    }
    EntryPlugin* plugin() { return static_cast<EntryPlugin*>(session.plugin()); }

    FakeHost host;
    HostSession session{host, MakeEntryPlugin};
};

TEST_F(Entry, MessagesBeforeStartupAnswerZero) {
    EXPECT_EQ(session.Menu(kSelectorGo, nullptr), kHostNoErr);
    EXPECT_EQ(session.Send(kCallerInterface, kSelectorShutdown), kHostNoErr);
    EXPECT_EQ(session.Send(kCallerAccess, kSelectorReload), kHostNoErr);
    EXPECT_EQ(gLiveEntryPlugins, 0);
    EXPECT_EQ(host.acquireCalls, 0);
}

TEST_F(Entry, StartupHoldsSuitesAndModuleAndShutdownEndsBoth) {
    ASSERT_EQ(session.Send(kCallerInterface, kSelectorStartup), kHostNoErr);
    ASSERT_NE(plugin(), nullptr);
    EXPECT_EQ(host.OutstandingSuites(), 140);
    EXPECT_EQ(host.pluginName, "Plugin");
    EXPECT_EQ(plugin()->HoldCount(), 1);
    EXPECT_EQ(host.accessHolds, 1);

    // A second start-up keeps the running object.
    Plugin* first = plugin();
    EXPECT_EQ(session.Send(kCallerInterface, kSelectorStartup), kHostNoErr);
    EXPECT_EQ(plugin(), first);
    EXPECT_EQ(gLiveEntryPlugins, 1);

    EXPECT_EQ(session.Send(kCallerInterface, kSelectorShutdown), kHostNoErr);
    EXPECT_EQ(session.globals, nullptr);
    EXPECT_EQ(gLiveEntryPlugins, 0);
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

TEST_F(Entry, FailedAcquisitionDeletesTheObjectAndAnswersTheCode) {
    host.failAcquireAt = 50;
    host.acquireFailure = HOST_FOURCC('G', 'O', 'N', 'E');
    EXPECT_EQ(session.Send(kCallerInterface, kSelectorStartup), HOST_FOURCC('G', 'O', 'N', 'E'));
    EXPECT_EQ(session.globals, nullptr);
    EXPECT_EQ(gLiveEntryPlugins, 0);
    EXPECT_EQ(host.releaseOrder.size(), 49u);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.accessHolds, 0);
}

TEST_F(Entry, FailureAfterTheSuitesReleasesThemWithTheObject) {
    host.plugins.SetPluginName = [](HostPluginRef, const char*) -> HostErr {
        return HOST_FOURCC('N', 'A', 'M', 'E');
    };
    EXPECT_EQ(session.Send(kCallerInterface, kSelectorStartup), HOST_FOURCC('N', 'A', 'M', 'E'));
    EXPECT_EQ(gLiveEntryPlugins, 0);
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

TEST_F(Entry, ObjectThatCannotBeMadeIsOutOfMemory) {
    session.makePlugin = MakeNothing;
    EXPECT_EQ(session.Send(kCallerInterface, kSelectorStartup), kHostErrMemory);
    EXPECT_EQ(session.globals, nullptr);
    EXPECT_EQ(host.acquireCalls, 0);
}

TEST_F(Entry, UnloadStopsDispatchUntilReload) {
    ASSERT_EQ(session.Send(kCallerInterface, kSelectorStartup), kHostNoErr);
    EXPECT_EQ(session.Send(kCallerAccess, kSelectorUnload), kHostNoErr);
    EXPECT_FALSE(plugin()->HoldsSuites());
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(sMenu, nullptr);

    EXPECT_EQ(session.Menu(kSelectorGo, nullptr), kHostNoErr);
    EXPECT_EQ(plugin()->menuGos, 0) << "nothing is dispatched while unloaded";

    EXPECT_EQ(session.Send(kCallerAccess, kSelectorReload), kHostNoErr);
    EXPECT_TRUE(plugin()->HoldsSuites());
    EXPECT_EQ(host.OutstandingSuites(), 140);
    EXPECT_EQ(plugin()->AppStartedNotifier(), nullptr) << "renewed for the reloaded code";
    EXPECT_EQ(session.Menu(kSelectorGo, nullptr), kHostNoErr);
    EXPECT_EQ(plugin()->menuGos, 1);
}

TEST_F(Entry, ReloadWhoseAcquisitionFailsAnswersTheCode) {
    ASSERT_EQ(session.Send(kCallerInterface, kSelectorStartup), kHostNoErr);
    session.Send(kCallerAccess, kSelectorUnload);
    host.failAcquireAt = host.acquireCalls + 3;
    EXPECT_EQ(session.Send(kCallerAccess, kSelectorReload), kHostErrSuiteNotFound);
    EXPECT_FALSE(plugin()->HoldsSuites());
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

TEST_F(Entry, AnswersTheHostSees) {
    ASSERT_EQ(session.Send(kCallerInterface, kSelectorStartup), kHostNoErr);
    struct Case {
        HostErr menuAnswer;
        HostErr entryAnswer;
        HostErr lastReported;
    };
    const Case cases[] = {
        {kUnhandled, kHostNoErr, kHostNoErr},               // '!MSG' becomes 0
        {kHostErrCancelled, kHostErrCancelled, kHostNoErr}, // silent, unchanged
        {kHostErrCant, kHostErrCant, kHostErrCant},         // reported and returned
    };
    for (const Case& c : cases) {
        plugin()->menuAnswer = c.menuAnswer;
        EXPECT_EQ(session.Menu(kSelectorGo, nullptr), c.entryAnswer);
        EXPECT_EQ(plugin()->LastReportedCode(), c.lastReported);
    }
    EXPECT_EQ(session.Send("AI Gadget", "AI Go"), kHostNoErr) << "unknown callers answer 0";
}

TEST_F(Entry, RecordsThatAreNotMessagesAreRefused) {
    EXPECT_EQ(DispatchEntry(kCallerInterface, kSelectorStartup, nullptr, MakeEntryPlugin),
              kHostErrBadParameter);
    HostMessageData wrong = host.Message();
    wrong.check = 0;
    EXPECT_EQ(DispatchEntry(kCallerInterface, kSelectorStartup, &wrong, MakeEntryPlugin),
              kHostErrBadParameter);
    EXPECT_EQ(gLiveEntryPlugins, 0);
}

} // namespace
