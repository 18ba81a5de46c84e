#include "host/loader/Module.h"

#include "host/core/Errors.h"
#include "platform/ws.h"

#include <filesystem>
#include <vector>

namespace host {
namespace {

struct FreeLibrary {
    void operator()(WsModule module) const { WsFreeLibrary(module); }
};
using ModuleHandle = std::unique_ptr<WsModuleOpaque, FreeLibrary>;

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw HostError(kHostErrBadModule, path + ": " + what);
}

PropertyList readPropertyList(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) fail(path, "no such module file");
    const ModuleHandle data(WsLoadLibraryAsData(path.c_str()));
    if (!data) fail(path, "cannot be opened as a module file");
    const void* bytes = nullptr;
    std::size_t size = 0;
    if (WsFindResource(data.get(), kPiplResourceType, kPiplResourceId, &bytes, &size) == 0 ||
        bytes == nullptr)
        fail(path, "has no plug-in property list (resource 'PIPL' " +
                       std::to_string(kPiplResourceId) + ")");
    return parsePropertyList({static_cast<const std::byte*>(bytes), size}, path);
}

std::pair<ModuleHandle, HostPluginMainProc> loadEntry(const std::string& path,
                                                      const std::string& entryName) {
    ModuleHandle code(WsLoadLibrary(path.c_str()));
    if (!code) fail(path, "the module's code cannot be loaded");
    void* entry = WsGetProcAddress(code.get(), entryName.c_str());
    if (entry == nullptr) fail(path, "has no entry \"" + entryName + "\"");
    return {std::move(code), reinterpret_cast<HostPluginMainProc>(entry)};
}

} // namespace

Module::Module(std::string path, std::optional<PropertyList> properties, WsModuleOpaque* code,
               HostPluginMainProc entry)
    : path_(std::move(path)), properties_(std::move(properties)), code_(code), entry_(entry) {}

Module::~Module() {
    freeCode();
}

std::unique_ptr<Module> Module::load(const std::string& file) {
    // The module asks for its own file later; an absolute path keeps that answer valid
    // whatever the working folder becomes.
    std::error_code ec;
    std::string path = std::filesystem::absolute(file, ec).lexically_normal().string();
    if (ec) path = file;
    PropertyList properties = readPropertyList(path);
    auto [code, entry] = loadEntry(path, properties.entryName);
    std::unique_ptr<Module> module(new Module(path, std::move(properties), code.get(), entry));
    code.release();
    return module;
}

std::unique_ptr<Module> Module::inProcess(std::string path, HostPluginMainProc entry) {
    std::unique_ptr<Module> module(new Module(std::move(path), std::nullopt, nullptr, entry));
    module->inProcess_ = true;
    return module;
}

std::string Module::name() const {
    if (!name_.empty()) return name_;
    if (properties_ && !properties_->pluginName.empty()) return properties_->pluginName;
    return std::filesystem::path(path_).filename().string();
}

void Module::freeCode() {
    if (inProcess_) return;
    entry_ = nullptr;
    if (code_ != nullptr) WsFreeLibrary(code_);
    code_ = nullptr;
}

void Module::loadCode() {
    if (codeLoaded()) return;
    auto [code, entry] = loadEntry(path_, properties_->entryName);
    code_ = code.release();
    entry_ = entry;
}

HostErr Module::call(const char* caller, const char* selector, void* message) const {
    if (entry_ == nullptr) return kHostErrRefused;
    return entry_(caller, selector, message);
}

} // namespace host
