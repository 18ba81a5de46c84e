// The open and save file dialogs. Headless: the caller's child template is run as a modal
// dialog whose procedure is the system's own; it adds the standard controls, checks the
// chosen name the way a desktop dialog does, and passes everything else to the hook.
#include "Agents.h"
#include "Guard.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace ws {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStateProp = "ws.FileDialog";
// Room the standard controls take above the child template's controls.
constexpr int kStandardHeight = 64;

uint32_t lastError = WS_CDERR_NONE;

struct FileDialogState {
    WsOpenFileName* ofn = nullptr;
    bool save = false;
    fs::path folder;
    std::vector<std::string> descriptions;
};

FileDialogState* stateOf(WsWindow dialog) {
    return static_cast<FileDialogState*>(WsGetProp(dialog, kStateProp));
}

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool pathExists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

fs::path startFolder(const char* initialDir) {
    if (initialDir && *initialDir && isFolder(initialDir)) return fs::path(initialDir);
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    return ec ? fs::path("/") : cwd;
}

/** The descriptions of the filter pairs; the patterns only matter to a person browsing. */
std::vector<std::string> filterDescriptions(const char* filter) {
    std::vector<std::string> out;
    if (!filter) return out;
    for (const char* p = filter; *p;) {
        const std::string description(p);
        p += description.size() + 1;
        if (!*p) break; // a description without a pattern ends the list
        p += std::strlen(p) + 1;
        out.push_back(description);
    }
    return out;
}

void addControl(WsWindow dialog, const char* className, const char* text, uint32_t style, int x,
                int y, int width, int height, int32_t id) {
    WsCreateWindow(className, text, style, x, y, width, height, dialog, id, nullptr);
}

void buildStandardControls(WsWindow dialog, FileDialogState& state) {
    // The template's controls go under the standard ones.
    std::vector<WsWindow> templateControls;
    for (WsWindow c = WsGetFirstChild(dialog); c; c = WsGetNextSibling(c))
        templateControls.push_back(c);
    for (WsWindow c : templateControls) {
        WsRect r{};
        WsGetWindowRect(c, &r);
        WsMoveWindow(c, r.left, r.top + kStandardHeight, r.right - r.left, r.bottom - r.top);
    }
    WsRect client{};
    WsGetClientRect(dialog, &client);
    const int width = client.right < 280 ? 280 : client.right;
    WsMoveWindow(dialog, 0, 0, width, client.bottom + kStandardHeight);

    const WsOpenFileName& ofn = *state.ofn;
    addControl(dialog, "STATIC", state.folder.string().c_str(), 0, 8, 4, width - 16, 10,
               WS_FD_FOLDER);
    addControl(dialog, "STATIC", "File name:", 0, 8, 20, 60, 10, -1);
    addControl(dialog, "EDIT", ofn.file ? ofn.file : "", WS_STYLE_TABSTOP, 70, 18, width - 78, 12,
               WS_FD_FILENAME);
    addControl(dialog, "STATIC", "Files of type:", 0, 8, 36, 60, 10, -1);
    addControl(dialog, "COMBOBOX", "", WS_CBS_DROPDOWNLIST | WS_STYLE_TABSTOP, 70, 34, width - 78,
               12, WS_FD_FILETYPE);
    for (const std::string& d : state.descriptions)
        WsSendDlgItemMessage(dialog, WS_FD_FILETYPE, WS_CB_ADDSTRING, 0,
                             reinterpret_cast<WsLParam>(d.c_str()));
    const uint32_t index = ofn.filterIndex == 0 ? 1 : ofn.filterIndex;
    WsSendDlgItemMessage(dialog, WS_FD_FILETYPE, WS_CB_SETCURSEL, index - 1, 0);
    addControl(dialog, "BUTTON", state.save ? "Save" : "Open",
               WS_BS_DEFPUSHBUTTON | WS_STYLE_TABSTOP, width - 120, 50, 54, 12, WS_IDOK);
    addControl(dialog, "BUTTON", "Cancel", WS_BS_PUSHBUTTON | WS_STYLE_TABSTOP, width - 62, 50, 54,
               12, WS_IDCANCEL);
}

intptr_t callHook(const WsOpenFileName& ofn, WsWindow dialog, uint32_t message, WsWParam wParam,
                  WsLParam lParam) {
    if (!(ofn.flags & WS_OFN_ENABLEHOOK) || !ofn.hook) return 0;
    return ofn.hook(dialog, message, wParam, lParam);
}

bool hasExtension(const fs::path& p) {
    return p.filename().string().find('.') != std::string::npos;
}

/** Checks the typed name and, when it names a file that may be chosen, returns it. */
bool resolveChoice(WsWindow dialog, FileDialogState& state, fs::path& chosen) {
    std::string typed(static_cast<std::size_t>(
                          WsSendDlgItemMessage(dialog, WS_FD_FILENAME, WS_GETTEXTLENGTH, 0, 0)) +
                          1,
                      '\0');
    WsSendDlgItemMessage(dialog, WS_FD_FILENAME, WS_GETTEXT, typed.size(),
                         reinterpret_cast<WsLParam>(typed.data()));
    typed.resize(std::strlen(typed.c_str()));
    if (typed.empty()) return false;

    const WsOpenFileName& ofn = *state.ofn;
    fs::path p = fs::path(typed);
    if (p.is_relative()) p = state.folder / p;
    p = p.lexically_normal();
    if (isFolder(p)) {
        // As on a desktop: naming a folder opens it.
        state.folder = p;
        WsSetDlgItemText(dialog, WS_FD_FOLDER, p.string().c_str());
        WsSetDlgItemText(dialog, WS_FD_FILENAME, "");
        return false;
    }
    if (ofn.defaultExt && *ofn.defaultExt && !hasExtension(p)) {
        fs::path withExt = p;
        withExt += std::string(".") + ofn.defaultExt;
        if (state.save || !pathExists(p)) p = withExt;
    }
    if ((ofn.flags & WS_OFN_PATHMUSTEXIST) && !isFolder(p.parent_path())) {
        reportToUser("the folder " + p.parent_path().string() + " does not exist");
        return false;
    }
    if (!state.save && (ofn.flags & WS_OFN_FILEMUSTEXIST) && !pathExists(p)) {
        reportToUser("the file " + p.string() + " does not exist");
        return false;
    }
    if (isFolder(p)) {
        reportToUser(p.string() + " is a folder");
        return false;
    }
    chosen = p;
    return true;
}

void onOk(WsWindow dialog, FileDialogState& state) {
    fs::path chosen;
    if (!resolveChoice(dialog, state, chosen)) return;
    WsOpenFileName& ofn = *state.ofn;
    const std::string text = chosen.string();
    if (!ofn.file || text.size() + 1 > ofn.fileSize) {
        lastError = WS_FNERR_BUFFERTOOSMALL;
        WsEndDialog(dialog, 0);
        return;
    }
    std::memcpy(ofn.file, text.c_str(), text.size() + 1);
    ofn.fileOffset = text.size() - chosen.filename().string().size();
    const WsLResult type = WsSendDlgItemMessage(dialog, WS_FD_FILETYPE, WS_CB_GETCURSEL, 0, 0);
    if (type >= 0) ofn.filterIndex = static_cast<uint32_t>(type) + 1;
    WsOfNotify notify{dialog, 0, WS_CDN_FILEOK, &ofn};
    if (callHook(ofn, dialog, WS_NOTIFY, 0, reinterpret_cast<WsLParam>(&notify)) != 0) return;
    WsEndDialog(dialog, 1);
}

intptr_t fileDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    if (message == WS_INITDIALOG) {
        auto* state = reinterpret_cast<FileDialogState*>(lParam);
        const WsOpenFileName& ofn = *state->ofn;
        WsSetWindowText(dialog, ofn.title ? ofn.title : state->save ? "Save As" : "Open");
        buildStandardControls(dialog, *state);
        WsSetProp(dialog, kStateProp, state);
        callHook(ofn, dialog, WS_INITDIALOG, wParam, reinterpret_cast<WsLParam>(state->ofn));
        WsSetFocus(WsGetDlgItem(dialog, WS_FD_FILENAME));
        return 0;
    }
    FileDialogState* state = stateOf(dialog);
    if (!state) return 0;
    if (message == WS_COMMAND && WS_HIWORD(wParam) == WS_BN_CLICKED) {
        if (WS_LOWORD(wParam) == WS_IDOK) {
            onOk(dialog, *state);
            return 1;
        }
        if (WS_LOWORD(wParam) == WS_IDCANCEL) {
            WsEndDialog(dialog, 0);
            return 1;
        }
    }
    if (message == WS_DESTROY) WsRemoveProp(dialog, kStateProp);
    return callHook(*state->ofn, dialog, message, wParam, lParam);
}

int runFileDialog(WsOpenFileName* ofn, bool save) {
    lastError = WS_CDERR_NONE;
    if (!ofn || (ofn->file == nullptr && ofn->fileSize != 0)) {
        lastError = WS_CDERR_BADPARAMETER;
        return 0;
    }
    // Without a desktop to draw the standard dialog, the child template is the dialog.
    if (!(ofn->flags & WS_OFN_ENABLETEMPLATE) || !ofn->module) {
        lastError = WS_CDERR_NOTEMPLATE;
        return 0;
    }
    FileDialogState state;
    state.ofn = ofn;
    state.save = save;
    state.folder = startFolder(ofn->initialDir);
    state.descriptions = filterDescriptions(ofn->filter);
    const intptr_t result = WsDialogBoxParam(ofn->module, ofn->templateId, ofn->owner,
                                             fileDialogProc, reinterpret_cast<WsLParam>(&state));
    if (result == -1) {
        lastError = WS_CDERR_FINDRESFAILURE;
        return 0;
    }
    return result == 1 ? 1 : 0;
}

} // namespace
} // namespace ws

extern "C" {

WS_API int WsGetOpenFileName(WsOpenFileName* ofn) {
    return ws::guarded(0, [&] { return ws::runFileDialog(ofn, false); });
}

WS_API int WsGetSaveFileName(WsOpenFileName* ofn) {
    return ws::guarded(0, [&] { return ws::runFileDialog(ofn, true); });
}

WS_API uint32_t WsCommDlgExtendedError(void) {
    return ws::lastError;
}

} // extern "C"
