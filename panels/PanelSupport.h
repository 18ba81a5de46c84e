// Small pieces the two panels share: the application context around work started from a
// panel's window, and giving the keyboard focus back to the host's main window.
#pragma once

#include "frame/AppContextScope.h"
#include "hostapi/HostTypes.h"

/** The keyboard focus goes back to the host's main window, so shortcuts reach the host. */
void FocusMainWindow() noexcept;

/** Whether the host's interface is dark; false when it does not say. */
bool IsDarkInterface() noexcept;
/** The interface scale s: the product of the host's two interface scale factors; 1 when
 *  it does not say. */
double InterfaceScale() noexcept;

/** The message every failed piece of panel work shows. */
inline constexpr const char* kPanelErrorMessage = "エラーにより操作を完了できませんでした";
