#include "frame/Plugin.h"

#include "frame/AppContextScope.h"
#include "frame/ErrorReport.h"
#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>

namespace {

int64_t SystemSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

/** One row of the dispatch: caller and selector pick an operation. */
struct Route {
    const char* caller;
    const char* selector;
    HostErr (*call)(Plugin& plugin, void* message);
};

template <HostErr (Plugin::*Operation)(HostMessageData*)>
HostErr Call(Plugin& plugin, void* message) {
    return (plugin.*Operation)(static_cast<HostMessageData*>(message));
}

HostErr CallMenuGo(Plugin& plugin, void* message) {
    return plugin.OnMenuGo(static_cast<HostMenuMessage*>(message));
}

HostErr CallMenuUpdate(Plugin& plugin, void* message) {
    return plugin.OnMenuUpdate(static_cast<HostMenuMessage*>(message));
}

HostErr CallPurge(Plugin& plugin, void*) {
    return plugin.OnPurge() != kHostNoErr ? kHostErrPurgeFreed : kHostNoErr;
}

HostErr Answer0(Plugin&, void*) {
    return kHostNoErr;
}

// Notifications are handled apart (they push the application context).
constexpr Route kRoutes[] = {
    {kCallerAccess, kSelectorUnload, Call<&Plugin::OnUnload>},
    {kCallerAccess, kSelectorReload, Call<&Plugin::OnReload>},
    {kCallerInterface, kSelectorAbout, Answer0},
    {kCallerInterface, kSelectorStartup, Answer0},
    {kCallerCache, kSelectorPurge, CallPurge},
    {kCallerProperties, kSelectorAcquireProperty, Call<&Plugin::OnAcquireProperty>},
    {kCallerProperties, kSelectorReleaseProperty, Call<&Plugin::OnReleaseProperty>},
    {"Action Manager", "Do Action", Call<&Plugin::OnDoAction>},
    {kCallerMenu, kSelectorGo, CallMenuGo},
    {kCallerMenu, kSelectorUpdate, CallMenuUpdate},
    {"AI Filter", "AI Get Parameters", Call<&Plugin::OnFilterGetParameters>},
    {"AI Filter", "AI Go", Call<&Plugin::OnFilterGo>},
    {"AI Plugin Group", "AI Notify Edits", Call<&Plugin::OnPluginGroupNotifyEdits>},
    {"AI Plugin Group", "AI Update", Call<&Plugin::OnPluginGroupUpdate>},
    {"AI File Format", "AI Get Parameters", Call<&Plugin::OnFileFormatGetParameters>},
    {"AI File Format", "AI Go", Call<&Plugin::OnFileFormatGo>},
    {"AI File Format", "AI Check", Call<&Plugin::OnFileFormatCheck>},
    {"AI File Format", "AI Update AI140", Call<&Plugin::OnFileFormatUpdate>},
    {"AI File Format", "Do Action", Call<&Plugin::OnFileFormatDoAction>},
    {"AI Tool", "AI Edit Options", Call<&Plugin::OnToolEditOptions>},
    {"AI Tool", "AI Track Cursor", Call<&Plugin::OnToolTrackCursor>},
    {"AI Tool", "AI Mouse Down", Call<&Plugin::OnToolMouseDown>},
    {"AI Tool", "AI Mouse Drag", Call<&Plugin::OnToolMouseDrag>},
    {"AI Tool", "AI Mouse Up", Call<&Plugin::OnToolMouseUp>},
    {"AI Tool", "AI Select", Call<&Plugin::OnToolSelect>},
    {"AI Tool", "AI Deselect", Call<&Plugin::OnToolDeselect>},
    {"AI Tool", "AI Reselect", Call<&Plugin::OnToolReselect>},
    {"AI Tool", "AI Decrease Diameter", Call<&Plugin::OnToolDecreaseDiameter>},
    {"AI Tool", "AI Increase Diameter", Call<&Plugin::OnToolIncreaseDiameter>},
    {"AI Live Effect", "AI Live Effect Edit Parameters", Call<&Plugin::OnLiveEffectEditParameters>},
    {"AI Live Effect", "AI Live Effect Go Live", Call<&Plugin::OnLiveEffectGoLive>},
    {"AI Live Effect", "AI Live Effect Interpolate Parameters",
     Call<&Plugin::OnLiveEffectInterpolateParameters>},
    {"AI Live Effect", "AI Live Effect Input Type", Call<&Plugin::OnLiveEffectInputType>},
    {"AI Live Effect", "AI Live Effect Convert Color Space",
     Call<&Plugin::OnLiveEffectConvertColorSpace>},
    {"AI Live Effect", "AI Live Effect Scale Parameters",
     Call<&Plugin::OnLiveEffectScaleParameters>},
    {"AI Live Effect", "AI Live Effect Adjust Colors", Call<&Plugin::OnLiveEffectAdjustColors>},
    {"AI Live Effect", "AI Live Effect Handle Merge", Call<&Plugin::OnLiveEffectHandleMerge>},
    {"AI Timer", "AI Go", Call<&Plugin::OnTimerGo>},
    {"AI Clipboard", "AI Go", Call<&Plugin::OnClipboardGo>},
    {"AI Clipboard", "AI Can Copy", Call<&Plugin::OnClipboardCanCopy>},
    {"AI Clipboard", "AI Clone", Call<&Plugin::OnClipboardClone>},
    {"AI Clipboard", "AI Dispose", Call<&Plugin::OnClipboardDispose>},
    {"Workspace Manager", "Write Workspace", Call<&Plugin::OnWriteWorkspace>},
    {"Workspace Manager", "Restore Workspace", Call<&Plugin::OnRestoreWorkspace>},
    {"Workspace Manager", "Default Workspace", Call<&Plugin::OnDefaultWorkspace>},
};

} // namespace

bool SameToken(const char* a, const char* b) noexcept {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

Plugin::Plugin(HostPluginRef pluginRef) noexcept : pluginRef_(pluginRef), clock_(SystemSeconds) {
    SetName("Plugin");
}

Plugin::~Plugin() = default;

void Plugin::SetName(const char* name) noexcept {
    std::strncpy(name_, name != nullptr ? name : "", sizeof name_ - 1);
    name_[sizeof name_ - 1] = '\0';
}

void Plugin::SetReportClock(Clock clock) noexcept {
    clock_ = clock != nullptr ? clock : SystemSeconds;
}

void Plugin::ReportError(HostErr code, const char*, const char*, void*) {
    if (IsSilentErrorCode(code)) return;
    const int64_t now = clock_();
    if (repeatSuppression_ != 0 && code == lastReportedCode_ &&
        now - lastReportTime_ < reportInterval_)
        return;
    lastReportedCode_ = code;
    lastReportTime_ = now;
}

HostErr Plugin::HoldModule(bool hold) {
    if (hold) {
        if (++holdCount_ == 1) {
            if (sAccess == nullptr) {
                holdCount_ = 0;
                return kHostErrSuiteNotFound;
            }
            // Undo the count on failure so that the next hold tries again.
            if (const HostErr err = sAccess->AcquirePlugin(pluginRef_, &access_)) {
                holdCount_ = 0;
                access_ = nullptr;
                return err;
            }
        }
        return kHostNoErr;
    }
    if (--holdCount_ > 0) return kHostNoErr;
    holdCount_ = 0;
    HostErr err = kHostNoErr;
    if (access_ != nullptr && sAccess != nullptr) err = sAccess->ReleasePlugin(access_);
    access_ = nullptr;
    return err;
}

HostErr Plugin::AcquireSuites() {
    suiteHolder_.reset(new (std::nothrow) SuiteHolder());
    if (suiteHolder_ == nullptr) return kHostErrMemory;
    sSuiteRefCount = 1;
    if (const HostErr err = suiteHolder_->Error()) {
        suiteHolder_.reset();
        return err;
    }
    return kHostNoErr;
}

void Plugin::ReleaseSuites() noexcept {
    suiteHolder_.reset();
}

HostErr Plugin::RegisterBaseNotifiers() {
    char name[sizeof name_ + 64];
    std::snprintf(name, sizeof name, "%s App Started Notifier", name_);
    if (const HostErr err =
            sNotifier->AddNotifier(pluginRef_, name, kHostAppStartedNotifier, &appStartedNotifier_))
        return err;
    std::snprintf(name, sizeof name, "%s Application Shutdown Notifier", name_);
    return sNotifier->AddNotifier(pluginRef_, name, kHostAppShutdownNotifier,
                                  &appShutdownNotifier_);
}

HostErr Plugin::OnStartup(HostMessageData*) {
    if (const HostErr err = SetGlobalInstance(this)) return err;
    if (const HostErr err = AcquireSuites()) return err;
    if (const HostErr err = sPlugins->SetPluginName(pluginRef_, name_)) return err;
    if (const HostErr err = RegisterBaseNotifiers()) return err;
    if (const HostErr err = StartupHook()) return err;
    if (const HostErr err = OnReady()) return err;
    HoldModule(true);
    return kHostNoErr;
}

HostErr Plugin::OnAppStartedNotice() {
    return kHostNoErr;
}
HostErr Plugin::OnAppShutdownNotice() {
    return kHostNoErr;
}

HostErr Plugin::OnShutdown(HostMessageData*) {
    ReleaseSuites();
    SetGlobalInstance(nullptr);
    return kHostNoErr;
}

HostErr Plugin::OnUnload(HostMessageData*) {
    BeforeUnload();
    SetGlobalInstance(nullptr);
    ReleaseSuites();
    return kHostNoErr;
}

HostErr Plugin::OnReload(HostMessageData*) {
    SetGlobalInstance(this);
    if (suiteHolder_ == nullptr) {
        if (const HostErr err = AcquireSuites()) return err;
    }
    OnReady();
    return kHostNoErr;
}

void Plugin::RenewAfterReload() noexcept {
    appStartedNotifier_ = nullptr;
    appShutdownNotifier_ = nullptr;
}

HostErr Plugin::OnAcquireProperty(HostMessageData*) {
    return kHostErrUnhandledMessage;
}
HostErr Plugin::OnReleaseProperty(HostMessageData*) {
    return kHostErrUnhandledMessage;
}

size_t Plugin::GetName(char* buffer, size_t length) {
    const size_t nameLength = std::strlen(name_);
    if (buffer != nullptr && length > 0) {
        const size_t copied = std::min(nameLength, length - 1);
        std::memcpy(buffer, name_, copied);
        buffer[copied] = '\0';
    }
    return nameLength;
}

HostErr Plugin::OnPurge() {
    return kHostNoErr;
}

HostErr Plugin::OnMessage(const char* caller, const char* selector, void* message) {
    RefreshSuites();
    if (SameToken(caller, kCallerNotifier))
        return DispatchNotifier(selector, static_cast<HostNotifierMessage*>(message));
    for (const Route& route : kRoutes) {
        if (SameToken(caller, route.caller) && SameToken(selector, route.selector))
            return route.call(*this, message);
    }
    return kHostErrUnhandledMessage;
}

HostErr Plugin::DispatchNotifier(const char* selector, HostNotifierMessage* message) {
    // Without the suite (a plug-in object driven without a host) there is no context.
    AppContextScope context(pluginRef_, kHostNoErr);
    if (const HostErr err = context.Result()) return err;
    HostErr result = kHostErrUnhandledMessage;
    // Null handles (before registration, after a reload) name no notifier.
    const HostNotifierHandle notifier = message->notifier;
    if (notifier != nullptr && notifier == appStartedNotifier_)
        result = OnAppStartedNotice();
    else if (notifier != nullptr && notifier == appShutdownNotifier_)
        result = OnAppShutdownNotice();
    if (result != kHostNoErr && result != kHostErrUnhandledMessage) return result;
    if (SameToken(selector, kSelectorNotify)) result = OnNotify(message);
    return result;
}

HostErr Plugin::SetGlobalInstance(Plugin*) {
    return kHostNoErr;
}
HostErr Plugin::StartupHook() {
    return kHostNoErr;
}
HostErr Plugin::OnReady() {
    return kHostNoErr;
}
HostErr Plugin::BeforeUnload() {
    return kHostNoErr;
}

HostErr Plugin::RefreshSuites() {
    if (suiteHolder_ != nullptr) suiteHolder_->RefreshSuites();
    return kHostNoErr;
}

// The answers of a plug-in that does nothing with a message.
#define FRAME_ANSWER(Operation, Message, code)                                                     \
    HostErr Plugin::Operation(Message*) {                                                          \
        return code;                                                                               \
    }
#define FRAME_UNHANDLED(Operation)                                                                 \
    FRAME_ANSWER(Operation, HostMessageData, kHostErrUnhandledMessage)

FRAME_ANSWER(OnNotify, HostNotifierMessage, kHostNoErr)
FRAME_ANSWER(OnDoAction, HostMessageData, kHostNoErr)
FRAME_ANSWER(OnMenuGo, HostMenuMessage, kHostErrUnhandledMessage)
FRAME_ANSWER(OnMenuUpdate, HostMenuMessage, kHostErrUnhandledMessage)

FRAME_UNHANDLED(OnFilterGetParameters)
FRAME_UNHANDLED(OnFilterGo)
FRAME_UNHANDLED(OnPluginGroupNotifyEdits)
FRAME_UNHANDLED(OnPluginGroupUpdate)
FRAME_UNHANDLED(OnFileFormatGetParameters)
FRAME_UNHANDLED(OnFileFormatGo)
FRAME_UNHANDLED(OnFileFormatCheck)
FRAME_UNHANDLED(OnFileFormatUpdate)
FRAME_UNHANDLED(OnFileFormatDoAction)
FRAME_UNHANDLED(OnToolEditOptions)
FRAME_UNHANDLED(OnToolTrackCursor)
FRAME_UNHANDLED(OnToolMouseDown)
FRAME_UNHANDLED(OnToolMouseDrag)
FRAME_UNHANDLED(OnToolMouseUp)
FRAME_UNHANDLED(OnToolSelect)
FRAME_UNHANDLED(OnToolDeselect)
FRAME_UNHANDLED(OnLiveEffectEditParameters)
FRAME_UNHANDLED(OnLiveEffectGoLive)
FRAME_UNHANDLED(OnLiveEffectInterpolateParameters)
FRAME_UNHANDLED(OnLiveEffectInputType)
FRAME_UNHANDLED(OnLiveEffectConvertColorSpace)
FRAME_UNHANDLED(OnLiveEffectScaleParameters)
FRAME_UNHANDLED(OnLiveEffectAdjustColors)
FRAME_UNHANDLED(OnLiveEffectHandleMerge)
FRAME_UNHANDLED(OnTimerGo)
FRAME_UNHANDLED(OnClipboardGo)
FRAME_UNHANDLED(OnClipboardCanCopy)
FRAME_UNHANDLED(OnClipboardClone)
FRAME_UNHANDLED(OnClipboardDispose)
FRAME_UNHANDLED(OnWriteWorkspace)
FRAME_UNHANDLED(OnRestoreWorkspace)
FRAME_UNHANDLED(OnDefaultWorkspace)

// A module without tools has nothing to do for these; they count as done.
FRAME_ANSWER(OnToolReselect, HostMessageData, kHostNoErr)
FRAME_ANSWER(OnToolDecreaseDiameter, HostMessageData, kHostNoErr)
FRAME_ANSWER(OnToolIncreaseDiameter, HostMessageData, kHostNoErr)

#undef FRAME_UNHANDLED
#undef FRAME_ANSWER
