// Window classes: the built-in control classes and the classes the host registers.
#include "Guard.h"
#include "Window.h"

#include <vector>

namespace ws {
namespace {

struct ClassEntry {
    std::string name;
    WsWindowProc proc;
    bool builtIn;
};

std::vector<ClassEntry>& classes() {
    static std::vector<ClassEntry> list = {
        {"BUTTON", buttonProc, true},     {"EDIT", editProc, true},
        {"STATIC", staticProc, true},     {"COMBOBOX", comboBoxProc, true},
        {"LISTBOX", listBoxProc, true},   {"TREEVIEW", treeViewProc, true},
        {"FRAME", WsDefWindowProc, true}, {"DIALOG", dialogWindowProc, true},
    };
    return list;
}

ClassEntry* findClass(std::string_view name) {
    for (ClassEntry& c : classes())
        if (equalsIgnoringCase(c.name, name)) return &c;
    return nullptr;
}

} // namespace

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
