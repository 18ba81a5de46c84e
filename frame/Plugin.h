// The plug-in base class: one virtual operation per kind of host message, the start-up,
// shut-down, unload and reload sequences, and the error report. The module's own class
// derives from it and overrides a handful of operations.
#pragma once

#include "hostapi/HostMessages.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class SuiteHolder;

class Plugin {
public:
    /** Seconds since the epoch; the report's repeat rule reads it. */
    using Clock = int64_t (*)();

    explicit Plugin(HostPluginRef pluginRef) noexcept;
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Virtual operations, in slot order.
    virtual ~Plugin();
    /** Records a reportable code; silent codes and repeats within the report interval are
     *  ignored. Shows nothing: the code itself goes back to the host. */
    virtual void ReportError(HostErr code, const char* caller, const char* selector, void* message);
    /** Holds (true) or releases (false) the module; while held the host keeps it loaded. */
    virtual HostErr HoldModule(bool hold);
    virtual HostErr OnStartup(HostMessageData* message);
    virtual HostErr OnAppStartedNotice();
    virtual HostErr OnAppShutdownNotice();
    virtual HostErr OnShutdown(HostMessageData* message);
    virtual HostErr OnUnload(HostMessageData* message);
    virtual HostErr OnReload(HostMessageData* message);
    virtual HostErr OnAcquireProperty(HostMessageData* message);
    virtual HostErr OnReleaseProperty(HostMessageData* message);
    /** Copies the name into buffer (NUL-terminated, at most length bytes); returns the
     *  name's full length. */
    virtual size_t GetName(char* buffer, size_t length);
    /** Non-zero when memory was released. */
    virtual HostErr OnPurge();
    /** Every message after start-up: dispatches to the operations below. */
    virtual HostErr OnMessage(const char* caller, const char* selector, void* message);
    virtual HostErr SetGlobalInstance(Plugin* plugin);
    virtual HostErr StartupHook();
    virtual HostErr OnReady();
    virtual HostErr BeforeUnload();
    virtual HostErr RefreshSuites();
    virtual HostErr OnNotify(HostNotifierMessage* message);
    virtual HostErr OnDoAction(HostMessageData* message);
    virtual HostErr OnMenuGo(HostMenuMessage* message);
    virtual HostErr OnMenuUpdate(HostMenuMessage* message);
    virtual HostErr OnFilterGetParameters(HostMessageData* message);
    virtual HostErr OnFilterGo(HostMessageData* message);
    virtual HostErr OnPluginGroupNotifyEdits(HostMessageData* message);
    virtual HostErr OnPluginGroupUpdate(HostMessageData* message);
    virtual HostErr OnFileFormatGetParameters(HostMessageData* message);
    virtual HostErr OnFileFormatGo(HostMessageData* message);
    virtual HostErr OnFileFormatCheck(HostMessageData* message);
    virtual HostErr OnFileFormatUpdate(HostMessageData* message);
    virtual HostErr OnFileFormatDoAction(HostMessageData* message);
    virtual HostErr OnToolEditOptions(HostMessageData* message);
    virtual HostErr OnToolTrackCursor(HostMessageData* message);
    virtual HostErr OnToolMouseDown(HostMessageData* message);
    virtual HostErr OnToolMouseDrag(HostMessageData* message);
    virtual HostErr OnToolMouseUp(HostMessageData* message);
    virtual HostErr OnToolSelect(HostMessageData* message);
    virtual HostErr OnToolDeselect(HostMessageData* message);
    virtual HostErr OnToolReselect(HostMessageData* message);
    virtual HostErr OnToolDecreaseDiameter(HostMessageData* message);
    virtual HostErr OnToolIncreaseDiameter(HostMessageData* message);
    virtual HostErr OnLiveEffectEditParameters(HostMessageData* message);
    virtual HostErr OnLiveEffectGoLive(HostMessageData* message);
    virtual HostErr OnLiveEffectInterpolateParameters(HostMessageData* message);
    virtual HostErr OnLiveEffectInputType(HostMessageData* message);
    virtual HostErr OnLiveEffectConvertColorSpace(HostMessageData* message);
    virtual HostErr OnLiveEffectScaleParameters(HostMessageData* message);
    virtual HostErr OnLiveEffectAdjustColors(HostMessageData* message);
    virtual HostErr OnLiveEffectHandleMerge(HostMessageData* message);
    virtual HostErr OnTimerGo(HostMessageData* message);
    virtual HostErr OnClipboardGo(HostMessageData* message);
    virtual HostErr OnClipboardCanCopy(HostMessageData* message);
    virtual HostErr OnClipboardClone(HostMessageData* message);
    virtual HostErr OnClipboardDispose(HostMessageData* message);
    virtual HostErr OnWriteWorkspace(HostMessageData* message);
    virtual HostErr OnRestoreWorkspace(HostMessageData* message);
    virtual HostErr OnDefaultWorkspace(HostMessageData* message);

    HostPluginRef PluginRef() const noexcept { return pluginRef_; }
    const char* Name() const noexcept { return name_; }
    /** False before start-up, after an unload and after shut-down. */
    bool HoldsSuites() const noexcept { return suiteHolder_ != nullptr; }
    int32_t HoldCount() const noexcept { return holdCount_; }
    HostNotifierHandle AppStartedNotifier() const noexcept { return appStartedNotifier_; }
    HostNotifierHandle AppShutdownNotifier() const noexcept { return appShutdownNotifier_; }

    /** After the host reloaded the module: the notifier handles of the earlier run no
     *  longer name this object's registrations. The module holds itself while it runs, so
     *  its code (and this object's class) stays where it was. */
    void RenewAfterReload() noexcept;

    HostErr LastReportedCode() const noexcept { return lastReportedCode_; }
    int64_t LastReportTime() const noexcept { return lastReportTime_; }
    void SetReportClock(Clock clock) noexcept;

protected:
    /** Bounded copy into the name field. */
    void SetName(const char* name) noexcept;
    /** Creates the suite holder (start-up and reload); on an acquisition error the holder
     *  is destroyed again, which releases what it acquired. */
    HostErr AcquireSuites();
    void ReleaseSuites() noexcept;

private:
    HostErr DispatchNotifier(const char* selector, HostNotifierMessage* message);
    HostErr RegisterBaseNotifiers();

    HostPluginRef pluginRef_;
    char name_[256];
    std::unique_ptr<SuiteHolder> suiteHolder_;
    int32_t holdCount_ = 0;
    HostAccessRef access_ = nullptr;
    HostErr lastReportedCode_ = kHostNoErr;
    int32_t reportInterval_ = 5;
    int32_t repeatSuppression_ = 1;
    int64_t lastReportTime_ = 0;
    HostNotifierHandle appStartedNotifier_ = nullptr;
    HostNotifierHandle appShutdownNotifier_ = nullptr;
    Clock clock_;
};

/** Exact string equality; a missing string equals nothing. */
bool SameToken(const char* a, const char* b) noexcept;
