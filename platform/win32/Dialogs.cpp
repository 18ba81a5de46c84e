// Modal dialogs from the module's DIALOG resources, run by the system's dialog manager,
// with the API's procedure behind a procedure of the system.
#include "Messages.h"

using namespace ws::win32;

namespace {

struct DialogCall {
    WsDialogProc proc;
    WsLParam param;
};

constexpr const wchar_t* kCall = L"cartovel.ws.dialog";

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* call = reinterpret_cast<DialogCall*>(lParam);
        SetPropW(dialog, kCall, call);
        return call->proc(wsWindow(dialog), message, wParam, call->param);
    }
    auto* call = reinterpret_cast<DialogCall*>(GetPropW(dialog, kCall));
    if (call == nullptr) return FALSE;
    if (message == WM_NCDESTROY) RemovePropW(dialog, kCall);
    const IncomingMessage incoming(message, wParam, lParam);
    const INT_PTR handled = call->proc(wsWindow(dialog), message, wParam, incoming.lParam());
    // The API's dialogs end on OK and Cancel that their procedure leaves alone.
    if (handled == 0 && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return handled;
}

} // namespace

extern "C" {

intptr_t WsDialogBoxParam(WsModule module, int32_t templateId, WsWindow owner, WsDialogProc proc,
                          WsLParam param) {
    if (proc == nullptr || templateId < 1 || templateId > 0xFFFF) return -1;
    DialogCall call{proc, param};
    return DialogBoxParamW(reinterpret_cast<HINSTANCE>(module), MAKEINTRESOURCEW(templateId),
                           hwnd(owner), &dialogProc, reinterpret_cast<LPARAM>(&call));
}

int WsEndDialog(WsWindow dialog, intptr_t result) {
    return EndDialog(hwnd(dialog), result) ? 1 : 0;
}

WsWindow WsGetDlgItem(WsWindow dialog, int32_t id) {
    return wsWindow(GetDlgItem(hwnd(dialog), id));
}

int WsSetDlgItemText(WsWindow dialog, int32_t id, const char* text) {
    return WsSetWindowText(WsGetDlgItem(dialog, id), text);
}

int WsGetDlgItemText(WsWindow dialog, int32_t id, char* buffer, size_t bufferSize, int maxChars) {
    if (buffer != nullptr && bufferSize > 0) buffer[0] = '\0';
    return WsGetWindowText(WsGetDlgItem(dialog, id), buffer, bufferSize, maxChars);
}

int WsCheckDlgButton(WsWindow dialog, int32_t id, int check) {
    return CheckDlgButton(hwnd(dialog), id, check ? BST_CHECKED : BST_UNCHECKED) ? 1 : 0;
}

int WsIsDlgButtonChecked(WsWindow dialog, int32_t id) {
    return IsDlgButtonChecked(hwnd(dialog), id) == BST_CHECKED ? WS_BST_CHECKED : WS_BST_UNCHECKED;
}

WsLResult WsSendDlgItemMessage(WsWindow dialog, int32_t id, uint32_t message, WsWParam wParam,
                               WsLParam lParam) {
    return WsSendMessage(WsGetDlgItem(dialog, id), message, wParam, lParam);
}

} // extern "C"
