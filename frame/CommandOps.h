// Operations every command and panel shares: the modal dialog run, and the host's alerts,
// questions and progress display. Texts are UTF-8; they reach the host as host Unicode
// strings.
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"

#include <cstdint>
#include <string_view>

namespace frame {

/** Runs the module's dialog template dialogId modally, owned by the host's main window.
 *  Returns the dialog's end code (0 confirmed, kHostErrCancelled cancelled), the host's code when
 *  the main window or the module's file cannot be had, and kHostErrNotFound when the
 *  module or its template cannot be found: a dialog that was never shown is never taken
 *  for a confirmed one. */
HostErr RunModalDialog(HostPluginRef pluginRef, int32_t dialogId, WsDialogProc procedure,
                       WsLParam parameter);

/** The owner and the module of the modal dialog run, for dialogs built on the module's
 *  templates by other means (the file dialogs): the host's code when the main window or
 *  the module's file cannot be had, kHostErrNotFound when the module is not loaded. */
HostErr FindDialogModule(HostPluginRef pluginRef, HostPlatformWindow& owner, WsModule& module);

/** Shows text with an OK button; returns when it is closed. */
void MessageAlert(std::string_view text);
/** Sets answer to 1 when the user confirms, anything else is a refusal. A failed alert is
 *  the host's error, never a refusal: answer is then 0. */
HostErr OKCancelAlert(std::string_view text, int32_t& answer);
/** The same for callers with nothing to end: a failed alert reads as a refusal. */
int32_t OKCancelAlert(std::string_view text);
/** Sets answer to 1 for Yes, anything else is No; a failed alert is the host's error. */
HostErr YesNoAlert(std::string_view text, int32_t& answer);
/** The same for callers with nothing to end: a failed alert reads as No. */
int32_t YesNoAlert(std::string_view text);
void SetProgressText(std::string_view text);
void SetProgressValue(int32_t current, int32_t maximum);
/** True when the user asked to stop; the caller then ends with kHostErrCancelled. */
bool CancelRequested();

} // namespace frame
