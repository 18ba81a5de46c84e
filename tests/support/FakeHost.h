// A small stand-in for the host: the basic suite and the suites the frame calls, recording
// what the module asks of them. One FakeHost is current at a time.
#pragma once

#include "frame/PluginEntry.h"
#include "hostapi/HostMessages.h"
#include "hostapi/suites/AccessSuite.h"
#include "hostapi/suites/ContextSuite.h"
#include "hostapi/suites/FilePathSuite.h"
#include "hostapi/suites/MenuSuite.h"
#include "hostapi/suites/NotifierSuite.h"
#include "hostapi/suites/PluginsSuite.h"
#include "hostapi/suites/UnicodeStringSuite.h"
#include "hostapi/suites/UserSuite.h"

#include <array>
#include <map>
#include <string>
#include <vector>

struct FakeHost {
    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    /** A message record for the fake plug-in reference. */
    HostMessageData Message(void* globals = nullptr) const;

    // Basic suite.
    HostBasicSuite basic{};
    /** 1-based number of the AcquireSuite call that fails with acquireFailure; 0: none. */
    int failAcquireAt = 0;
    HostErr acquireFailure = kHostErrSuiteNotFound;
    int acquireCalls = 0;
    /** Outstanding acquisitions per suite name. */
    std::map<std::string, int> held;
    std::vector<std::string> acquireOrder;
    std::vector<std::string> releaseOrder;
    int unmatchedReleases = 0;
    int OutstandingSuites() const;

    // Suites handed out by name; any other name gets a dummy table.
    HostAccessSuite access{};
    HostPluginsSuite plugins{};
    HostNotifierSuite notifier{};
    HostContextSuite context{};
    HostUserSuite user{};
    HostFilePathSuite filePath{};
    HostUnicodeStringSuite unicode{};
    HostMenuSuite menu{};

    HostPluginRef self = reinterpret_cast<HostPluginRef>(0x5E1F);
    std::string pluginName;
    std::string pluginFile = "/nowhere/cartovel.so";
    int accessHolds = 0;
    int contextDepth = 0;
    int contextPushes = 0;
    HostErr mainWindowFailure = kHostNoErr;
    int fileSpecRequests = 0;

    struct Notifier {
        std::string name, type;
        HostNotifierHandle handle;
    };
    std::vector<Notifier> notifiers;
    HostNotifierHandle NotifierOfName(const std::string& name) const;

    std::vector<std::string> alerts;

    /** Live host strings made through the Unicode string suite or handed out by it. */
    int liveStrings = 0;

    // Menus.
    std::vector<std::string> groups = {"Tool Palettes", "Object Utilities", "About"};
    struct MenuItem {
        std::string keyboardName, group, text;
        int32_t options;
        HostMenuItemHandle handle;
    };
    std::vector<MenuItem> items;
    struct SubMenu {
        std::string group;
        int32_t options;
        HostMenuItemHandle parent;
    };
    std::vector<SubMenu> subMenus;
    std::map<HostMenuItemHandle, std::array<int32_t, 7>> enabling;
    std::map<HostMenuItemHandle, bool> checks;
    /** AddMenuItem fails with this code for the item of this text. */
    std::string failItemText;
    HostErr itemFailure = kHostNoErr;
    HostMenuItemHandle ItemOfText(const std::string& text) const;

    intptr_t nextHandle = 0x1000;
    template <class Handle> Handle NewHandle() { return reinterpret_cast<Handle>(++nextHandle); }

    static FakeHost* current;
};

/** Sends messages through the module's entry the way the host does, keeping the globals
 *  slot between calls. */
struct HostSession {
    FakeHost& host;
    PluginFactory makePlugin;
    void* globals = nullptr;

    HostErr Send(const char* caller, const char* selector);
    HostErr Menu(const char* selector, HostMenuItemHandle item);
    HostErr Notify(HostNotifierHandle notifier, const char* type,
                   const char* selector = kSelectorNotify);
    Plugin* plugin() const { return static_cast<Plugin*>(globals); }
};
