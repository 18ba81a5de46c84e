// Shared fixtures of the window-system tests: the test module and a dialog procedure in
// the manner of the module's own (fields filled on open, a refused value restored when
// its field loses the focus, everything read back on OK).
#pragma once

#include "ResourceScript.h"
#include "platform/UserAgent.h"
#include "platform/ws.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace wstest {

inline constexpr intptr_t kStop = 0x53544F50; // the host's cancel code

/// Checks that read refuses the resource script with an error that says message.
template <class Read> void ExpectScriptRefused(Read read, const char* script, const char* message) {
    try {
        read(script);
        ADD_FAILURE() << "accepted: " << script;
    } catch (const ws::rc::ScriptError& e) {
        EXPECT_NE(std::string(e.what()).find(message), std::string::npos)
            << e.what() << "\nfor: " << script;
    }
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/** A file under a fresh temporary folder, removed with the object. */
class TempFile {
public:
    explicit TempFile(const std::vector<std::uint8_t>& bytes, const std::string& name = "f.so") {
        std::string pattern = (std::filesystem::temp_directory_path() / "wstest-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        path_ = (std::filesystem::path(dir_) / name).string();
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string dir_;
    std::string path_;
};

/** The test module opened for its resources, for the whole test program. */
inline WsModule resources() {
    static WsModule module = WsLoadLibraryAsData(WS_TEST_MODULE);
    return module;
}

struct ScaleSettings {
    int scale = 25000;
    int mode = 0; // 0: 1075 ticked, 1: 1076
    bool keepRatio = false;
    int paper = 0;
    intptr_t nestedResult = -100;
};

inline std::string itemText(WsWindow dialog, int32_t id) {
    char buffer[64];
    WsGetDlgItemText(dialog, id, buffer, sizeof buffer, 48);
    return buffer;
}

inline intptr_t aboutProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam) {
    if (message != WS_COMMAND) return 0;
    if (WS_LOWORD(wParam) == 1063) return WsShellOpen("https://example.org/cartovel");
    if (WS_LOWORD(wParam) == WS_IDOK) return WsEndDialog(dialog, 0);
    return 0;
}

inline intptr_t scaleProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    auto* s = static_cast<ScaleSettings*>(WsGetProp(dialog, "settings"));
    if (message == WS_INITDIALOG) {
        s = reinterpret_cast<ScaleSettings*>(lParam);
        WsSetProp(dialog, "settings", s);
        WsSetDlgItemText(dialog, 1074, std::to_string(s->scale).c_str());
        WsCheckDlgButton(dialog, s->mode == 0 ? 1075 : 1076, 1);
        WsCheckDlgButton(dialog, 1070, s->keepRatio);
        WsSendDlgItemMessage(dialog, 1083, WS_CB_SETCURSEL, static_cast<WsWParam>(s->paper), 0);
        return 1;
    }
    if (message != WS_COMMAND || !s) return 0;
    const int id = WS_LOWORD(wParam);
    const int code = WS_HIWORD(wParam);
    if (id == 1074 && code == WS_EN_KILLFOCUS) {
        if (std::atoi(itemText(dialog, 1074).c_str()) <= 1)
            WsSetDlgItemText(dialog, 1074, std::to_string(s->scale).c_str());
        return 1;
    }
    if (id == 1063 && code == WS_BN_CLICKED) {
        s->nestedResult = WsDialogBoxParam(resources(), 107, dialog, aboutProc, 0);
        return 1;
    }
    if (id == WS_IDOK) {
        s->scale = std::atoi(itemText(dialog, 1074).c_str());
        s->mode = WsIsDlgButtonChecked(dialog, 1075) ? 0 : 1;
        s->keepRatio = WsIsDlgButtonChecked(dialog, 1070);
        s->paper = static_cast<int>(WsSendDlgItemMessage(dialog, 1083, WS_CB_GETCURSEL, 0, 0));
        return WsEndDialog(dialog, 0);
    }
    if (id == WS_IDCANCEL) return WsEndDialog(dialog, kStop);
    return 0;
}

inline intptr_t runScale(ScaleSettings& settings, WsWindow owner = nullptr) {
    return WsDialogBoxParam(resources(), 115, owner, scaleProc,
                            reinterpret_cast<WsLParam>(&settings));
}

} // namespace wstest
