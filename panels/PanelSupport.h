// Small pieces the two panels share: the application context around work started from a
// panel's window, and giving the keyboard focus back to the host's main window.
#pragma once

#include "hostapi/HostTypes.h"

/** Pushes the plug-in's application context for a scope; the pop happens on every way
 *  out. A failed push is remembered and skips the pop. */
class AppContextScope {
public:
    explicit AppContextScope(HostPluginRef pluginRef) noexcept;
    ~AppContextScope();
    AppContextScope(const AppContextScope&) = delete;
    AppContextScope& operator=(const AppContextScope&) = delete;

    HostErr Result() const noexcept { return result_; }

private:
    HostAppContext context_ = nullptr;
    HostErr result_ = kHostNoErr;
};

/** The keyboard focus goes back to the host's main window, so shortcuts reach the host. */
void FocusMainWindow() noexcept;

/** Whether the host's interface is dark; false when it does not say. */
bool IsDarkInterface() noexcept;
/** The interface scale s: the product of the host's two interface scale factors; 1 when
 *  it does not say. */
double InterfaceScale() noexcept;

/** The message every failed piece of panel work shows. */
inline constexpr const char* kPanelErrorMessage = "エラーにより操作を完了できませんでした";
