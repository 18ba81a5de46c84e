// One plug-in module as the host sees it: its file, its property list, its code and entry,
// the globals slot the host keeps for it between messages, and its life-cycle state.
#pragma once

#include "host/loader/PropertyList.h"
#include "hostapi/HostMessages.h"

#include <memory>
#include <optional>
#include <string>

struct WsModuleOpaque;

namespace host {

enum class ModuleState {
    Loaded,   // code loaded, not started (or start-up not sent yet)
    Started,  // start-up succeeded
    Unloaded, // "Unload" sent and code freed; the globals slot is kept for "Reload"
    Failed,   // start-up failed; nothing more is sent
    ShutDown, // "Shutdown" sent
};

class Module {
public:
    /// Reads the property list of the module file before any of its code runs, then loads
    /// the code and finds the entry the list names. Throws HostError (kHostErrBadModule)
    /// with a message that names the file and what is wrong.
    static std::unique_ptr<Module> load(const std::string& path);
    /// A module whose entry is a function of this program (tests, built-in modules). Its
    /// code is never freed; path is what "SP Plug-ins Suite" reports as its file.
    static std::unique_ptr<Module> inProcess(std::string path, HostPluginMainProc entry);

    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    ~Module();

    [[nodiscard]] HostPluginRef ref() const {
        return reinterpret_cast<HostPluginRef>(const_cast<Module*>(this));
    }
    [[nodiscard]] const std::string& path() const { return path_; }
    /// The name the module gave the host ("SP Plug-ins Suite"), else its property list's
    /// name, else its file name.
    [[nodiscard]] std::string name() const;
    void setName(std::string name) { name_ = std::move(name); }
    /// Null for an in-process module.
    [[nodiscard]] const PropertyList* properties() const {
        return properties_ ? &*properties_ : nullptr;
    }

    [[nodiscard]] ModuleState state() const { return state_; }
    void setState(ModuleState state) { state_ = state; }
    [[nodiscard]] void* globals() const { return globals_; }
    void setGlobals(void* globals) { globals_ = globals; }

    /// Holds taken through "SP Access Suite" and not released: a held module is not unloaded.
    [[nodiscard]] int holds() const { return holds_; }
    void hold() { ++holds_; }
    void releaseHold() {
        if (holds_ > 0) --holds_;
    }

    [[nodiscard]] bool codeLoaded() const { return entry_ != nullptr; }
    /// Frees the code (after "Unload"); an in-process module keeps its entry.
    void freeCode();
    /// Loads the code again (before "Reload"). Throws HostError like load.
    void loadCode();

    /// Calls the entry as it is: no state checks, no header filled in.
    HostErr call(const char* caller, const char* selector, void* message) const;

private:
    Module(std::string path, std::optional<PropertyList> properties, WsModuleOpaque* code,
           HostPluginMainProc entry);

    std::string path_;
    std::string name_;
    std::optional<PropertyList> properties_;
    WsModuleOpaque* code_ = nullptr;
    HostPluginMainProc entry_ = nullptr;
    bool inProcess_ = false;
    ModuleState state_ = ModuleState::Loaded;
    void* globals_ = nullptr;
    int holds_ = 0;
};

} // namespace host
