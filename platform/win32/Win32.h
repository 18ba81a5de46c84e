// The window-system API on Win32 itself: a window, module, drawing object or tree item is
// the system's own handle. The API's header comes first: two of its message names are
// style macros of the system's headers, which must not reach its declarations.
#pragma once

#include "platform/ws.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace ws::win32 {

inline HWND hwnd(WsWindow window) {
    return reinterpret_cast<HWND>(window);
}
inline WsWindow wsWindow(HWND window) {
    return reinterpret_cast<WsWindow>(window);
}

/** UTF-8 to UTF-16; invalid sequences become U+FFFD. */
std::wstring widen(std::string_view text);
/** UTF-16 to UTF-8; unpaired surrogates become U+FFFD. */
std::string narrow(std::wstring_view text);
/** Copies the longest whole-character prefix of text with at most maxChars characters that
 *  fits with a NUL into size bytes; returns the bytes copied without the NUL. */
std::size_t copyText(std::string_view text, char* buffer, std::size_t size,
                     std::size_t maxChars = static_cast<std::size_t>(-1));
/** The window's whole text. */
std::wstring windowText(HWND window);

} // namespace ws::win32
