// Window classes: the built-in control classes and the classes the host registers.
#include "Guard.h"
#include "Window.h"
#include "platform/UserAgent.h"

#include <vector>

namespace ws {
namespace {

struct ClassEntry {
    std::string name;
    WsWindowProc proc;
    bool builtIn;
    // What a person sees a window of the class as; a button's style refines it.
    ControlKind kind = ControlKind::Other;
};

std::vector<ClassEntry>& classes() {
    static std::vector<ClassEntry> list = {
        {"BUTTON", buttonProc, true, ControlKind::PushButton},
        {"EDIT", editProc, true, ControlKind::Edit},
        {"STATIC", staticProc, true, ControlKind::Static},
        {"COMBOBOX", comboBoxProc, true, ControlKind::ComboBox},
        {"LISTBOX", listBoxProc, true, ControlKind::ListBox},
        {"TREEVIEW", treeViewProc, true, ControlKind::TreeView},
        {"FRAME", WsDefWindowProc, true},
        {"DIALOG", dialogWindowProc, true},
    };
    return list;
}

ClassEntry* findClass(std::string_view name) {
    for (ClassEntry& c : classes())
        if (equalsIgnoringCase(c.name, name)) return &c;
    return nullptr;
}

} // namespace

ControlKind controlKindOf(const Window& w) {
    ControlKind kind = ControlKind::Other;
    // Windows hold their class's own spelling, so the names compare exactly.
    for (const ClassEntry& c : classes())
        if (c.builtIn && c.name == w.className) {
            kind = c.kind;
            break;
        }
    if (kind != ControlKind::PushButton) return kind;
    switch (w.style & WS_BS_TYPEMASK) {
    case WS_BS_DEFPUSHBUTTON:
        return ControlKind::DefaultButton;
    case WS_BS_AUTOCHECKBOX:
        return ControlKind::CheckBox;
    case WS_BS_AUTORADIOBUTTON:
        return ControlKind::RadioButton;
    case WS_BS_GROUPBOX:
        return ControlKind::GroupBox;
    default:
        return ControlKind::PushButton;
    }
}

bool classProcedure(const std::string& className, WsWindowProc& proc, std::string& canonicalName) {
    const ClassEntry* c = findClass(className);
    if (!c) return false;
    proc = c->proc;
    canonicalName = c->name;
    return true;
}

} // namespace ws

using namespace ws;

extern "C" {

WS_API int WsRegisterClass(const WsWindowClass* windowClass) {
    if (!windowClass || !windowClass->name || !*windowClass->name || !windowClass->proc) return 0;
    if (findClass(windowClass->name)) return 0;
    return guarded(0, [&] {
        classes().push_back({windowClass->name, windowClass->proc, false});
        return 1;
    });
}

WS_API int WsUnregisterClass(const char* name) {
    if (!name) return 0;
    auto& list = classes();
    for (auto it = list.begin(); it != list.end(); ++it)
        if (!it->builtIn && equalsIgnoringCase(it->name, name)) {
            list.erase(it);
            return 1;
        }
    return 0;
}

} // extern "C"
