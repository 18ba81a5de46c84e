// What the suite implementations reach of the host: its services (faults, memory, strings
// and paths, menus, notifiers, panels, user interaction), the modules by reference, and the
// open document. The application implements it; suites and services include this header
// and not the application's, so they never see how modules are loaded or messages sent.
//
// Suites are tables of C function pointers, so they find their context through
// SuiteContext::current(): the application that sends the current message, else the most
// recently constructed one still alive.
#pragma once

#include "host/core/Blocks.h"
#include "host/core/ContextStack.h"
#include "host/core/Faults.h"
#include "host/core/MainWindow.h"
#include "host/core/MenuEnabling.h"
#include "host/core/Menus.h"
#include "host/core/Notifiers.h"
#include "host/core/Panels.h"
#include "host/core/Strings.h"
#include "host/core/SuiteRegistry.h"
#include "host/core/UserInteraction.h"
#include "hostapi/HostMessages.h"

#include <cstdint>
#include <filesystem>

namespace host {

class Module;
class PreferenceStore;

class SuiteContext {
public:
    /// The context the suites work on; null when there is none.
    static SuiteContext* current();

    // ---- services ----

    virtual Faults& faults() = 0;
    virtual SuiteRegistry& suites() = 0;
    virtual Blocks& blocks() = 0;
    virtual Strings& strings() = 0;
    virtual FilePaths& filePaths() = 0;
    virtual Menus& menus() = 0;
    virtual Notifiers& notifiers() = 0;
    virtual ContextStack& contexts() = 0;
    virtual MainWindow& mainWindow() = 0;
    virtual UserInteraction& user() = 0;
    virtual Panels& panels() = 0;
    virtual PreferenceStore& preferences() = 0;
    /// The basic suite handed to modules in every message.
    [[nodiscard]] virtual const HostBasicSuite* basicSuite() const = 0;
    /// A folder of "AI Folders Suite" by its kind (kHostFolder...), empty when the host has
    /// none; null for an unknown kind.
    [[nodiscard]] virtual const std::filesystem::path* folder(std::int32_t kind) const = 0;
    /// The precision of path operations (points).
    [[nodiscard]] virtual double precision() const = 0;

    // ---- modules ----

    /// Null for a reference that names no module of this context.
    [[nodiscard]] virtual Module* moduleFromRef(HostPluginRef ref) const = 0;
    virtual HostErr acquireAccess(Module& module, HostAccessRef* access) = 0;
    virtual HostErr releaseAccess(HostAccessRef access) = 0;
    /// True while the host is sending a message to a module.
    [[nodiscard]] virtual bool inMessage() const = 0;

    // ---- the open documents ----

    /// The current document's state; null: no document open. Not owned.
    [[nodiscard]] virtual const DocumentState* documentState() const = 0;
    virtual void setDocumentState(const DocumentState* document) = 0;
    virtual void openDocument(const DocumentState* document) = 0;
    virtual void closeDocument(const DocumentState* document) = 0;
    virtual bool switchDocument(const DocumentState* document) = 0;
    /// The document changed outside a message; the modules hear of it at idle time.
    virtual void documentChangedOutsideMessage() = 0;

    virtual ~SuiteContext() = default;

protected:
    SuiteContext() = default;
    SuiteContext(const SuiteContext&) = default;
    SuiteContext& operator=(const SuiteContext&) = default;
};

} // namespace host
