#include "FakeHost.h"

#include <cstring>

FakeHost* FakeHost::current = nullptr;

namespace {

FakeHost& F() {
    return *FakeHost::current;
}

const void* DummyTable() {
    static const int table = 0;
    return &table;
}

std::string* Str(HostUString s) {
    return reinterpret_cast<std::string*>(s);
}

HostUString NewString(std::string text) {
    ++F().liveStrings;
    return reinterpret_cast<HostUString>(new std::string(std::move(text)));
}

HostErr Acquire(const char* name, int32_t, const void** suite) {
    FakeHost& f = F();
    *suite = nullptr;
    if (++f.acquireCalls == f.failAcquireAt) return f.acquireFailure;
    const std::string n = name;
    ++f.held[n];
    f.acquireOrder.push_back(n);
    if (n == kHostAccessSuite)
        *suite = &f.access;
    else if (n == kHostPluginsSuite)
        *suite = &f.plugins;
    else if (n == kHostNotifierSuite)
        *suite = &f.notifier;
    else if (n == kHostContextSuite)
        *suite = &f.context;
    else if (n == kHostUserSuite)
        *suite = &f.user;
    else if (n == kHostFilePathSuite)
        *suite = &f.filePath;
    else if (n == kHostUnicodeStringSuite)
        *suite = &f.unicode;
    else if (n == kHostMenuSuite)
        *suite = &f.menu;
    else
        *suite = DummyTable();
    return kHostNoErr;
}

HostErr Release(const char* name, int32_t) {
    FakeHost& f = F();
    const std::string n = name;
    if (f.held[n] <= 0) {
        ++f.unmatchedReleases;
        return kHostErrSuiteNotFound;
    }
    --f.held[n];
    f.releaseOrder.push_back(n);
    return kHostNoErr;
}

void InstallSuites(FakeHost& f) {
    f.basic.AcquireSuite = Acquire;
    f.basic.ReleaseSuite = Release;

    f.access.AcquirePlugin = [](HostPluginRef, HostAccessRef* access) -> HostErr {
        ++F().accessHolds;
        *access = F().NewHandle<HostAccessRef>();
        return kHostNoErr;
    };
    f.access.ReleasePlugin = [](HostAccessRef) -> HostErr {
        --F().accessHolds;
        return kHostNoErr;
    };

    f.plugins.SetPluginName = [](HostPluginRef, const char* name) -> HostErr {
        F().pluginName = name;
        return kHostNoErr;
    };
    f.plugins.GetPluginFileSpecification = [](HostPluginRef,
                                              HostPlatformFileSpec* spec) -> HostErr {
        ++F().fileSpecRequests;
        std::strncpy(spec->path, F().pluginFile.c_str(), sizeof spec->path - 1);
        return kHostNoErr;
    };

    f.notifier.AddNotifier = [](HostPluginRef, const char* name, const char* type,
                                HostNotifierHandle* handle) -> HostErr {
        *handle = F().NewHandle<HostNotifierHandle>();
        F().notifiers.push_back({name, type, *handle});
        return kHostNoErr;
    };

    f.context.PushAppContext = [](HostPluginRef, HostAppContext* context) -> HostErr {
        ++F().contextDepth;
        ++F().contextPushes;
        *context = F().NewHandle<HostAppContext>();
        return kHostNoErr;
    };
    f.context.PopAppContext = [](HostAppContext) -> HostErr {
        --F().contextDepth;
        return kHostNoErr;
    };
    f.context.GetPlatformAppWindow = [](HostPlatformWindow* window) -> HostErr {
        *window = nullptr;
        return F().mainWindowFailure;
    };

    f.user.MessageAlert = [](HostUString text) -> HostErr {
        F().alerts.push_back(*Str(text));
        return kHostNoErr;
    };

    f.filePath.NewFilePath = [](HostFilePath* path) -> HostErr {
        *path = reinterpret_cast<HostFilePath>(new std::string);
        return kHostNoErr;
    };
    f.filePath.DisposeFilePath = [](HostFilePath path) -> HostErr {
        delete reinterpret_cast<std::string*>(path);
        return kHostNoErr;
    };
    f.filePath.SetFromPlatformFileSpec = [](HostFilePath path,
                                            const HostPlatformFileSpec* spec) -> HostErr {
        *reinterpret_cast<std::string*>(path) = spec->path;
        return kHostNoErr;
    };
    f.filePath.GetFileName = [](HostFilePath path, HostBool, HostUString* name) -> HostErr {
        const std::string& full = *reinterpret_cast<std::string*>(path);
        *name = NewString(full.substr(full.find_last_of('/') + 1));
        return kHostNoErr;
    };

    f.unicode.New = [](const char* utf8, size_t length, HostUString* string) -> HostErr {
        *string = NewString(std::string(utf8, length));
        return kHostNoErr;
    };
    f.unicode.Dispose = [](HostUString string) -> HostErr {
        --F().liveStrings;
        delete Str(string);
        return kHostNoErr;
    };
    f.unicode.GetUTF8 = [](HostUString string, const char** utf8, size_t* length) -> HostErr {
        *utf8 = Str(string)->data();
        *length = Str(string)->size();
        return kHostNoErr;
    };

    f.menu.CountMenuGroups = [](int32_t* count) -> HostErr {
        *count = static_cast<int32_t>(F().groups.size());
        return kHostNoErr;
    };
    f.menu.GetNthMenuGroup = [](int32_t n, HostMenuGroup* group) -> HostErr {
        *group = reinterpret_cast<HostMenuGroup>(static_cast<intptr_t>(n) + 1);
        return kHostNoErr;
    };
    f.menu.GetMenuGroupName = [](HostMenuGroup group, const char** name) -> HostErr {
        *name = F().groups.at(reinterpret_cast<intptr_t>(group) - 1).c_str();
        return kHostNoErr;
    };
    f.menu.AddMenuItem = [](HostPluginRef, const char* keyboardName, const char* group,
                            HostUString text, int32_t options,
                            HostMenuItemHandle* item) -> HostErr {
        FakeHost& h = F();
        if (!h.failItemText.empty() && *Str(text) == h.failItemText) return h.itemFailure;
        const HostMenuItemHandle handle = h.NewHandle<HostMenuItemHandle>();
        if (item != nullptr) *item = handle;
        h.items.push_back(
            {keyboardName != nullptr ? keyboardName : "", group, *Str(text), options, handle});
        return kHostNoErr;
    };
    f.menu.AddMenuGroupAsSubMenu = [](const char* group, int32_t options, HostMenuItemHandle parent,
                                      HostMenuGroup* made) -> HostErr {
        F().groups.push_back(group);
        F().subMenus.push_back({group, options, parent});
        *made = reinterpret_cast<HostMenuGroup>(static_cast<intptr_t>(F().groups.size()));
        return kHostNoErr;
    };
    f.menu.UpdateMenuItemAutomatically = [](HostMenuItemHandle item, int32_t action, int32_t a,
                                            int32_t b, int32_t c, int32_t d, int32_t e,
                                            int32_t g) -> HostErr {
        F().enabling[item] = {action, a, b, c, d, e, g};
        return kHostNoErr;
    };
    f.menu.CheckItem = [](HostMenuItemHandle item, HostBool checked) -> HostErr {
        F().checks[item] = checked != 0;
        return kHostNoErr;
    };
}

} // namespace

FakeHost::FakeHost() {
    current = this;
    InstallSuites(*this);
}

FakeHost::~FakeHost() {
    current = nullptr;
}

HostMessageData FakeHost::Message(void* globals) const {
    return HostMessageData{kHostMessageCheck, self, globals, &basic};
}

int FakeHost::OutstandingSuites() const {
    int total = 0;
    for (const auto& [name, count] : held)
        total += count;
    return total;
}

HostNotifierHandle FakeHost::NotifierOfName(const std::string& name) const {
    for (const Notifier& n : notifiers)
        if (n.name == name) return n.handle;
    return nullptr;
}

HostMenuItemHandle FakeHost::ItemOfText(const std::string& text) const {
    for (const MenuItem& item : items)
        if (item.text == text) return item.handle;
    return nullptr;
}

HostErr HostSession::Send(const char* caller, const char* selector) {
    HostMessageData message = host.Message(globals);
    const HostErr err = DispatchEntry(caller, selector, &message, makePlugin);
    globals = message.globals;
    return err;
}

HostErr HostSession::Menu(const char* selector, HostMenuItemHandle item) {
    HostMenuMessage message{host.Message(globals), item};
    const HostErr err = DispatchEntry(kCallerMenu, selector, &message, makePlugin);
    globals = message.d.globals;
    return err;
}

HostErr HostSession::Notify(HostNotifierHandle notifier, const char* type, const char* selector) {
    HostNotifierMessage message{host.Message(globals), notifier, type, nullptr};
    const HostErr err = DispatchEntry(kCallerNotifier, selector, &message, makePlugin);
    globals = message.d.globals;
    return err;
}
