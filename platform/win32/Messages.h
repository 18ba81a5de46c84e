// Messages between the API's form and the system's. The API carries UTF-8 texts and its own
// records (tree items, hit tests, notification headers); the system carries UTF-16 and its
// structures. Every other message has the same number and meaning in both.
#pragma once

#include "Win32.h"

#include <functional>

namespace ws::win32 {

/** Delivers a message in the system's form: SendMessageW, CallWindowProcW, DefWindowProcW. */
using SystemSender = std::function<LRESULT(UINT, WPARAM, LPARAM)>;

/** Sends a message given in the API's form to a window of the system. */
LRESULT sendInApiForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      const SystemSender& send);

/** While it lives, a record made for a procedure of the API stands for the system's
 *  message parameter it was made from, so that a procedure passing the message on to the
 *  system's procedures (WsCallWindowProc, WsDefWindowProc) passes the original. */
class StandIn {
public:
    StandIn(const void* record, LPARAM original) noexcept;
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    /** The original behind lParam when lParam is a live stand-in's record; else lParam. */
    static LPARAM originalOf(LPARAM lParam) noexcept;

private:
    const void* record_;
    LPARAM original_;
    StandIn* outer_;
};

/** A message from the system in the API's form for a procedure of the module: a
 *  notification's header becomes a WsNmHdr. Other messages arrive as the system sent them
 *  (texts in UTF-16 among them), which the module's procedures only pass on. */
class IncomingMessage {
public:
    IncomingMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    ~IncomingMessage();
    IncomingMessage(const IncomingMessage&) = delete;
    IncomingMessage& operator=(const IncomingMessage&) = delete;

    WsLParam lParam() const noexcept { return lParam_; }

    /** Whether a procedure passes on a message it got untranslated, which must reach the
     *  system's procedures as it came. */
    static bool isPassedOn(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    UINT message_;
    WPARAM wParam_;
    LPARAM systemLParam_;
    WsNmHdr header_{};
    WsLParam lParam_;
    StandIn standIn_;
    IncomingMessage* outer_;
};

} // namespace ws::win32
