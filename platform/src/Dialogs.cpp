// Modal dialogs built from the "DLG " templates in a module's resources.
#include "Agents.h"
#include "DialogTemplate.h"
#include "Guard.h"
#include "Window.h"
#include "platform/UserAgent.h"

namespace ws {

struct ModalRun {
    bool ended = false;
    intptr_t result = 0;
};

namespace {

DialogData* dialogData(WsWindow dialog) {
    Window* w = findWindow(dialog);
    return w ? w->dialog.get() : nullptr;
}

bool canTakeFocus(const Window& w) {
    const ControlKind kind = controlKindOf(w);
    return w.visible && w.enabled && kind != ControlKind::Static && kind != ControlKind::GroupBox;
}

WsWindow firstFocusable(WsWindow dialog) {
    const Window* d = findWindow(dialog);
    if (!d) return nullptr;
    for (WsWindow child : d->children)
        if (const Window* c = findWindow(child); c && canTakeFocus(*c)) return child;
    return nullptr;
}

WsWindow buildDialog(const DialogTemplate& t, WsWindow owner, WsModule module,
                     std::int32_t templateId, WsDialogProc proc, ModalRun& run) {
    const WsWindow dialog = createWindowSilently("DIALOG", t.caption, WS_STYLE_HIDDEN,
                                                 {0, 0, t.width, t.height}, nullptr, 0);
    if (!dialog) return nullptr;
    Window* d = findWindow(dialog);
    d->owner = owner;
    d->dialog = std::make_unique<DialogData>(DialogData{proc, module, templateId, &run});
    for (const ControlTemplate& c : t.controls) {
        const WsWindow control = createWindowSilently(
            c.className, c.text, c.style, {c.x, c.y, c.x + c.width, c.y + c.height}, dialog, c.id);
        Window* w = findWindow(control);
        if (!w) continue;
        w->check = c.checked ? WS_BST_CHECKED : WS_BST_UNCHECKED;
        w->radioGroup = c.radioGroup;
        for (const std::string& item : c.items)
            w->items.push_back({item, 0});
    }
    return dialog;
}

// The agent had its turn and the dialog is still open: cancel it the way a user closing
// the window would, and end it outright if the procedure refuses.
void cancelUnanswered(WsWindow dialog, ModalRun& run) {
    std::string caption = findWindow(dialog) ? findWindow(dialog)->text : std::string();
    const DialogData* data = dialogData(dialog);
    reportToUser("dialog " + std::to_string(data ? data->templateId : 0) + " \"" + caption +
                 "\" was left unanswered and has been cancelled");
    WsSendMessage(dialog, WS_COMMAND, WS_MAKEWPARAM(WS_IDCANCEL, WS_BN_CLICKED),
                  reinterpret_cast<WsLParam>(WsGetDlgItem(dialog, WS_IDCANCEL)));
    if (!run.ended) {
        run.ended = true;
        run.result = WS_IDCANCEL;
    }
}

intptr_t runModal(WsModule module, std::int32_t templateId, WsWindow owner, WsDialogProc proc,
                  WsLParam param) {
    const void* data = nullptr;
    std::size_t size = 0;
    if (!WsFindResource(module, WS_RT_DIALOG, templateId, &data, &size)) return -1;
    const auto t =
        parseDialogTemplate(std::string_view(static_cast<const char*>(data), size), nullptr);
    if (!t || (owner && !findWindow(owner))) return -1;

    ModalRun run;
    const WsWindow previousFocus = WsGetFocus();
    const WsWindow dialog = buildDialog(*t, owner, module, templateId, proc, run);
    if (!dialog) return -1;
    // Like a desktop system, the owner takes no input while its modal dialog is up.
    const bool disabledOwner = owner && WsIsWindowEnabled(owner);
    if (disabledOwner) WsEnableWindow(owner, 0);

    const WsWindow first = firstFocusable(dialog);
    if (WsSendMessage(dialog, WS_INITDIALOG, reinterpret_cast<WsWParam>(first), param) && first)
        WsSetFocus(first);
    if (!run.ended && findWindow(dialog)) {
        WsShowWindow(dialog, 1);
        runUserAgent(dialog);
        if (!run.ended && findWindow(dialog)) cancelUnanswered(dialog, run);
    }

    if (DialogData* d = dialogData(dialog)) d->run = nullptr;
    WsDestroyWindow(dialog);
    if (disabledOwner) WsEnableWindow(owner, 1);
    if (previousFocus && findWindow(previousFocus)) WsSetFocus(previousFocus);
    return run.ended ? run.result : -1;
}

} // namespace

bool dialogIsOpen(WsWindow dialog) {
    const DialogData* d = dialogData(dialog);
    return d && d->run && !d->run->ended;
}

std::int32_t dialogTemplateId(WsWindow dialog) {
    const DialogData* d = dialogData(dialog);
    return d ? d->templateId : 0;
}

// The default dialog handling behind the module's dialog procedure.
WsLResult dialogWindowProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    const DialogData* d = dialogData(window);
    const WsDialogProc proc = d ? d->proc : nullptr;
    const intptr_t handled = proc ? proc(window, message, wParam, lParam) : 0;
    if (message == WS_INITDIALOG) return proc ? handled : 1;
    if (handled) return handled;
    switch (message) {
    case WS_COMMAND:
        if (WS_HIWORD(wParam) == WS_BN_CLICKED &&
            (WS_LOWORD(wParam) == WS_IDOK || WS_LOWORD(wParam) == WS_IDCANCEL))
            WsEndDialog(window, WS_LOWORD(wParam));
        return 0;
    case WS_CLOSE:
        WsSendMessage(window, WS_COMMAND, WS_MAKEWPARAM(WS_IDCANCEL, WS_BN_CLICKED), 0);
        return 0;
    default:
        return WsDefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace ws

using namespace ws;

extern "C" {

WS_API intptr_t WsDialogBoxParam(WsModule module, int32_t templateId, WsWindow owner,
                                 WsDialogProc proc, WsLParam param) {
    return guarded<intptr_t>(-1, [&] { return runModal(module, templateId, owner, proc, param); });
}

WS_API int WsEndDialog(WsWindow dialog, intptr_t result) {
    const DialogData* d = dialogData(dialog);
    if (!d || !d->run) return 0;
    d->run->ended = true;
    d->run->result = result;
    return 1;
}

WS_API WsWindow WsGetDlgItem(WsWindow dialog, int32_t id) {
    const Window* d = findWindow(dialog);
    if (!d) return nullptr;
    for (WsWindow child : d->children)
        if (const Window* c = findWindow(child); c && c->id == id) return child;
    return nullptr;
}

WS_API int WsSetDlgItemText(WsWindow dialog, int32_t id, const char* text) {
    return WsSetWindowText(WsGetDlgItem(dialog, id), text);
}

WS_API int WsGetDlgItemText(WsWindow dialog, int32_t id, char* buffer, size_t bufferSize,
                            int maxChars) {
    return WsGetWindowText(WsGetDlgItem(dialog, id), buffer, bufferSize, maxChars);
}

WS_API WsLResult WsSendDlgItemMessage(WsWindow dialog, int32_t id, uint32_t message,
                                      WsWParam wParam, WsLParam lParam) {
    return WsSendMessage(WsGetDlgItem(dialog, id), message, wParam, lParam);
}

WS_API int WsCheckDlgButton(WsWindow dialog, int32_t id, int check) {
    const WsWindow button = WsGetDlgItem(dialog, id);
    if (!button) return 0;
    WsSendMessage(button, WS_BM_SETCHECK, check ? WS_BST_CHECKED : WS_BST_UNCHECKED, 0);
    return 1;
}

WS_API int WsIsDlgButtonChecked(WsWindow dialog, int32_t id) {
    return WsSendDlgItemMessage(dialog, id, WS_BM_GETCHECK, 0, 0) == WS_BST_CHECKED
               ? WS_BST_CHECKED
               : WS_BST_UNCHECKED;
}

} // extern "C"
