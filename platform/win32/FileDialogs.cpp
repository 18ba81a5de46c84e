// The system's open and save dialogs, explorer style, with the caller's hook and child
// template; the hook sees the API's record and notifications.
#include "Messages.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace ws::win32;

namespace {

// Like the system's own, the reason for the last failure is kept per thread.
thread_local uint32_t lastError = WS_CDERR_NONE;

constexpr const wchar_t* kCall = L"cartovel.ws.fileDialog";
// Enough for any path the system makes.
constexpr std::size_t kMaxPathChars = 65536;

bool copyPath(const std::wstring& path, WsOpenFileName& ofn) {
    const std::string text = narrow(path);
    if (text.size() + 1 > ofn.fileSize) return false;
    std::memcpy(ofn.file, text.c_str(), text.size() + 1);
    return true;
}

UINT_PTR CALLBACK hookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* system = reinterpret_cast<OPENFILENAMEW*>(lParam);
        auto* ofn = reinterpret_cast<WsOpenFileName*>(system->lCustData);
        SetPropW(dialog, kCall, ofn);
        const StandIn standIn(ofn, lParam);
        return static_cast<UINT_PTR>(
            ofn->hook(wsWindow(dialog), message, wParam, reinterpret_cast<WsLParam>(ofn)));
    }
    auto* ofn = reinterpret_cast<WsOpenFileName*>(GetPropW(dialog, kCall));
    if (ofn == nullptr) return 0;
    if (message == WM_NCDESTROY) RemovePropW(dialog, kCall);
    if (message == WM_NOTIFY && lParam != 0) {
        const auto* system = reinterpret_cast<const OFNOTIFYW*>(lParam);
        const bool fileOk = system->hdr.code == CDN_FILEOK;
        if (fileOk && system->lpOFN != nullptr && system->lpOFN->lpstrFile != nullptr)
            copyPath(system->lpOFN->lpstrFile, *ofn);
        WsOfNotify notify{wsWindow(system->hdr.hwndFrom), 0, system->hdr.code, ofn};
        const StandIn standIn(&notify, lParam);
        const intptr_t result =
            ofn->hook(wsWindow(dialog), message, wParam, reinterpret_cast<WsLParam>(&notify));
        if (!fileOk) return static_cast<UINT_PTR>(result);
        // Non-zero keeps the dialog open; the system reads that from the message result.
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result != 0 ? 1 : 0);
        return result != 0 ? 1 : 0;
    }
    const IncomingMessage incoming(message, wParam, lParam);
    return static_cast<UINT_PTR>(ofn->hook(wsWindow(dialog), message, wParam, incoming.lParam()));
}

// "Text\0*.txt\0\0" in UTF-16, with its double NUL.
std::wstring filterText(const char* filter) {
    std::wstring out;
    if (filter == nullptr) return out;
    for (const char* p = filter; *p != '\0';) {
        const std::string_view description(p);
        p += description.size() + 1;
        const std::string_view pattern(p);
        p += pattern.size() + 1;
        out += widen(description) + L'\0' + widen(pattern) + L'\0';
        if (pattern.empty()) break;
    }
    return out + L'\0';
}

int run(WsOpenFileName* ofn, bool save) {
    lastError = WS_CDERR_NONE;
    if (ofn == nullptr || ofn->file == nullptr || ofn->fileSize == 0 ||
        ((ofn->flags & WS_OFN_ENABLEHOOK) && ofn->hook == nullptr) ||
        ((ofn->flags & WS_OFN_ENABLETEMPLATE) &&
         (ofn->module == nullptr || ofn->templateId < 1 || ofn->templateId > 0xFFFF))) {
        lastError = WS_CDERR_BADPARAMETER;
        return 0;
    }
    const std::wstring filter = filterText(ofn->filter);
    const std::wstring initialDir = widen(ofn->initialDir != nullptr ? ofn->initialDir : "");
    const std::wstring title = widen(ofn->title != nullptr ? ofn->title : "");
    const std::wstring defaultExt = widen(ofn->defaultExt != nullptr ? ofn->defaultExt : "");
    // A path of n UTF-16 units needs at least n bytes of UTF-8: no more can fit the caller's.
    std::vector<wchar_t> file(std::min(ofn->fileSize, kMaxPathChars), L'\0');
    const std::wstring proposed = widen({ofn->file, strnlen(ofn->file, ofn->fileSize)});
    proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));

    OPENFILENAMEW system{};
    system.lStructSize = sizeof system;
    system.hwndOwner = hwnd(ofn->owner);
    system.hInstance = reinterpret_cast<HINSTANCE>(ofn->module);
    system.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    system.nFilterIndex = ofn->filterIndex;
    system.lpstrFile = file.data();
    system.nMaxFile = static_cast<DWORD>(file.size());
    system.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    system.lpstrTitle = title.empty() ? nullptr : title.c_str();
    system.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    // The API's flags are the system's; the working folder stays where it was.
    system.Flags = ofn->flags | OFN_NOCHANGEDIR;
    system.lCustData = reinterpret_cast<LPARAM>(ofn);
    if (ofn->flags & WS_OFN_ENABLEHOOK) system.lpfnHook = &hookProc;
    if (ofn->flags & WS_OFN_ENABLETEMPLATE)
        system.lpTemplateName = MAKEINTRESOURCEW(ofn->templateId);

    if (!(save ? GetSaveFileNameW(&system) : GetOpenFileNameW(&system))) {
        lastError = CommDlgExtendedError();
        return 0;
    }
    const std::wstring chosen(file.data());
    if (!copyPath(chosen, *ofn)) {
        lastError = WS_FNERR_BUFFERTOOSMALL;
        return 0;
    }
    ofn->fileOffset = narrow(std::wstring_view(chosen).substr(
                                 0, std::min<std::size_t>(system.nFileOffset, chosen.size())))
                          .size();
    ofn->filterIndex = system.nFilterIndex;
    return 1;
}

} // namespace

extern "C" {

int WsGetOpenFileName(WsOpenFileName* ofn) {
    return run(ofn, false);
}

int WsGetSaveFileName(WsOpenFileName* ofn) {
    return run(ofn, true);
}

uint32_t WsCommDlgExtendedError(void) {
    return lastError;
}

} // extern "C"
