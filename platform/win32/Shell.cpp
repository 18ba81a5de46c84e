// The shell's "open" verb.
#include "Win32.h"

extern "C" int WsShellOpen(const char* target) {
    if (target == nullptr || *target == '\0') return 0;
    const std::wstring wide = ws::win32::widen(target);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Above 32 is success.
    return result > 32 ? 1 : 0;
}
