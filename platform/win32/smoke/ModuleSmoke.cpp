// Loads the module's DLL through the window system's Win32 back-end, as the host will,
// finds its entry and one resource of each kind, and runs one of its dialogs through the
// system's dialog manager (texts both ways, a radio group, the default end on OK) and the
// open dialog with the module's child template and a hook, and makes a panel's controls. Prints OK,
// or what failed. Needs a display.
//
//   cartovel-dll-smoke.exe PATH\cartovel.dll
#include "Smoke.h"

// After the API's header: two of its message names are style macros here.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

int fail(const char* what) {
    std::fprintf(stderr, "cartovel-dll-smoke: %s\n", what);
    return 1;
}

bool holds(const void* data, std::size_t size, std::string_view text) {
    return std::string_view(static_cast<const char*>(data), size).find(text) !=
           std::string_view::npos;
}

struct DialogRun {
    const char* fault = "the dialog procedure never ran";
};

bool click(WsWindow dialog, int32_t id) {
    WsSendDlgItemMessage(dialog, id, WS_BM_CLICK, 0, 0);
    return WsIsDlgButtonChecked(dialog, id) == WS_BST_CHECKED;
}

const char* checkDialog(WsWindow dialog) {
    char text[64] = {};
    if (!WsGetDlgItemText(dialog, 1125, text, sizeof text, 64) ||
        std::string_view(text) != "非表示のレイヤーは除外")
        return "a control's text is not the template's";
    const char* item = "シフトJIS";
    if (WsSendDlgItemMessage(dialog, 1120, WS_CB_ADDSTRING, 0, reinterpret_cast<WsLParam>(item)) !=
            0 ||
        WsSendDlgItemMessage(dialog, 1120, WS_CB_GETLBTEXTLEN, 0, 0) !=
            static_cast<WsLResult>(std::strlen(item)))
        return "a list item's text does not go in";
    WsSendDlgItemMessage(dialog, 1120, WS_CB_GETLBTEXT, 0, reinterpret_cast<WsLParam>(text));
    if (std::string_view(text) != item) return "a list item's text does not come back";
    // Two radio groups whose buttons interleave in the template: a position, then an
    // operation and another operation.
    if (!click(dialog, 1123) || !click(dialog, 1115) || !click(dialog, 1111) ||
        WsIsDlgButtonChecked(dialog, 1115) || !WsIsDlgButtonChecked(dialog, 1123))
        return "the radio buttons do not form their groups";
    return nullptr;
}

intptr_t dialogProc(WsWindow dialog, uint32_t message, WsWParam, WsLParam lParam) {
    if (message != WS_INITDIALOG) return 0;
    reinterpret_cast<DialogRun*>(lParam)->fault = checkDialog(dialog);
    // Left to the default, OK ends the dialog.
    WsSendDlgItemMessage(dialog, WS_IDOK, WS_BM_CLICK, 0, 0);
    return 1;
}

// The open dialog with the module's child template 127 and a hook like the module's: it
// fills the template's list, and OK is chosen at once on the proposed (existing) file.
struct FileDialogRun {
    WsOpenFileName* ofn = nullptr;
    const char* fault = "the hook never ran";
    bool sawFileOk = false;
};

intptr_t fileHook(WsWindow dialog, uint32_t message, WsWParam, WsLParam lParam) {
    if (message == WS_INITDIALOG) {
        auto* ofn = reinterpret_cast<WsOpenFileName*>(lParam);
        auto* run = reinterpret_cast<FileDialogRun*>(ofn->customData);
        run->fault = nullptr;
        if (WsSendDlgItemMessage(dialog, 1131, WS_CB_ADDSTRING, 0,
                                 reinterpret_cast<WsLParam>("UTF-8")) != 0)
            run->fault = "the hook's dialog lacks the template's list";
        WsSendDlgItemMessage(dialog, 1131, WS_CB_SETCURSEL, 0, 0);
        PostMessageW(GetParent(reinterpret_cast<HWND>(dialog)), WM_COMMAND, IDOK, 0);
        return 0;
    }
    if (message == WS_NOTIFY) {
        const auto* notify = reinterpret_cast<const WsOfNotify*>(lParam);
        if (notify->code != WS_CDN_FILEOK) return 0;
        auto* run = reinterpret_cast<FileDialogRun*>(notify->ofn->customData);
        run->sawFileOk = true;
        if (notify->ofn != run->ofn || WsSendDlgItemMessage(dialog, 1131, WS_CB_GETCURSEL, 0, 0))
            run->fault = "the file notification does not carry the record and list";
    }
    return 0;
}

const char* checkFileDialog(WsModule module, const char* path) {
    std::string file(4096, '\0');
    file.replace(0, std::strlen(path), path);
    FileDialogRun run;
    WsOpenFileName ofn{};
    run.ofn = &ofn;
    ofn.module = module;
    ofn.templateId = 127;
    ofn.filter = "Programs (*.exe)\0*.exe\0\0";
    ofn.filterIndex = 1;
    ofn.file = file.data();
    ofn.fileSize = file.size();
    ofn.flags = WS_OFN_HIDEREADONLY | WS_OFN_PATHMUSTEXIST | WS_OFN_FILEMUSTEXIST |
                WS_OFN_EXPLORER | WS_OFN_ENABLETEMPLATE | WS_OFN_ENABLEHOOK;
    ofn.customData = reinterpret_cast<WsLParam>(&run);
    ofn.hook = fileHook;
    const int ok = WsGetOpenFileName(&ofn);
    if (run.fault != nullptr) return run.fault;
    if (!ok) return "the open dialog failed or was cancelled";
    if (!run.sawFileOk) return "the hook did not see the file chosen";
    if (lstrcmpiA(file.c_str(), path) != 0) return "the chosen path is not the proposed one";
    if (std::strcmp(file.c_str() + ofn.fileOffset, "cartovel-dll-smoke.exe") != 0)
        return "the file name's offset is wrong";
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return fail("give the DLL's path");
    WsModule module = WsLoadLibrary(argv[1]);
    if (module == nullptr) return fail("the DLL does not load");
    if (WsGetProcAddress(module, "PluginMain") == nullptr) return fail("no PluginMain");
    const char* name = std::strrchr(argv[1], '\\');
    if (const char* slash = std::strrchr(argv[1], '/'); slash > name) name = slash;
    if (WsGetModuleHandle(name != nullptr ? name + 1 : argv[1]) != module)
        return fail("the loaded module is not found by its file name");

    const void* data = nullptr;
    std::size_t size = 0;
    if (!WsFindResource(module, WS_RT_PIPL, 16000, &data, &size) ||
        !holds(data, size, "PluginMain"))
        return fail("no property list 16000 naming PluginMain");
    if (!WsFindResource(module, WS_RT_DIALOG, 107, &data, &size)) return fail("no dialog 107");
    WsIcon icon = WsLoadIcon(module, 108);
    if (icon == nullptr) return fail("icon 108 does not load");
    WsDestroyIcon(icon);
    WsBitmap bitmap = WsLoadBitmap(module, 116);
    if (bitmap == nullptr) return fail("bitmap 116 does not load");
    WsDeleteObject(bitmap);
    DialogRun run;
    const intptr_t result =
        WsDialogBoxParam(module, 126, nullptr, dialogProc, reinterpret_cast<WsLParam>(&run));
    if (run.fault != nullptr) return fail(run.fault);
    if (result != WS_IDOK) return fail("the dialog did not end with OK");
    if (const char* fault = checkPanelControls(module)) return fail(fault);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (const char* fault = checkFileDialog(module, self)) return fail(fault);
    if (!WsFreeLibrary(module)) return fail("the DLL does not unload");
    std::puts("OK");
    return 0;
}
