// Module loading and the registry of loaded modules with their resources.
#include "ElfSection.h"
#include "Guard.h"
#include "HandleTable.h"
#include "ResourceBlob.h"
#include "platform/ws.h"

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <mutex>
#include <optional>

namespace ws {
namespace {

struct Module {
    std::string path;
    std::string fileName;
    void* code = nullptr; // dlopen handle; null for a module opened as data
    int references = 1;
    std::vector<std::uint8_t> blob;
    std::vector<res::EntryView> resources; // views into blob
};

struct Registry {
    std::mutex mutex;
    HandleTable<Module> modules;
};

Registry& registry() {
    static Registry r;
    return r;
}

std::uintptr_t raw(WsModule m) {
    return reinterpret_cast<std::uintptr_t>(m);
}
WsModule toHandle(std::uintptr_t h) {
    return reinterpret_cast<WsModule>(h);
}

std::string absolutePath(const char* path) {
    std::error_code ec;
    auto p = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    return ec ? std::string(path) : p.string();
}

// Fills the module's resources from its file; false when the file is not a sound ELF64
// module or its resource section is damaged. A module without the section has none.
bool readResources(Module& module) {
    elf::SectionResult section = elf::readSection(module.path, ".ws_resources");
    if (section.status == elf::SectionStatus::NotFound) return true;
    if (section.status != elf::SectionStatus::Found) return false;
    module.blob = std::move(section.data);
    auto entries = res::parseBlob(module.blob);
    if (!entries) return false;
    module.resources = std::move(*entries);
    return true;
}

std::unique_ptr<Module> makeModule(const char* path) {
    auto module = std::make_unique<Module>();
    module->path = absolutePath(path);
    module->fileName = std::filesystem::path(module->path).filename().string();
    return module;
}

WsModule loadLibrary(const char* path) {
    if (!path || !*path) return nullptr;
    auto module = makeModule(path);
    Registry& r = registry();
    {
        std::lock_guard lock(r.mutex);
        std::uintptr_t found = 0;
        r.modules.forEach([&](std::uintptr_t h, const Module& m) {
            if (!found && m.code && m.path == module->path) found = h;
        });
        if (found) {
            ++r.modules.get(found)->references;
            return toHandle(found);
        }
    }
    if (!readResources(*module)) return nullptr;
    module->code = dlopen(module->path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module->code) return nullptr;
    std::lock_guard lock(r.mutex);
    return toHandle(r.modules.add(std::move(module)));
}

WsModule loadLibraryAsData(const char* path) {
    if (!path || !*path) return nullptr;
    auto module = makeModule(path);
    if (!readResources(*module)) return nullptr;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return toHandle(r.modules.add(std::move(module)));
}

int freeLibrary(WsModule handle) {
    Registry& r = registry();
    std::unique_ptr<Module> gone;
    {
        std::lock_guard lock(r.mutex);
        Module* m = r.modules.get(raw(handle));
        if (!m) return 0;
        if (--m->references > 0) return 1;
        gone = r.modules.remove(raw(handle));
    }
    if (gone->code) dlclose(gone->code);
    return 1;
}

} // namespace
} // namespace ws

using namespace ws;

extern "C" {

WS_API WsModule WsLoadLibrary(const char* path) {
    return guarded<WsModule>(nullptr, [&] { return loadLibrary(path); });
}

WS_API WsModule WsLoadLibraryAsData(const char* path) {
    return guarded<WsModule>(nullptr, [&] { return loadLibraryAsData(path); });
}

WS_API int WsFreeLibrary(WsModule module) {
    return guarded(0, [&] { return freeLibrary(module); });
}

WS_API void* WsGetProcAddress(WsModule module, const char* name) {
    if (!name) return nullptr;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    Module* m = r.modules.get(raw(module));
    return m && m->code ? dlsym(m->code, name) : nullptr;
}

WS_API WsModule WsGetModuleHandle(const char* fileName) {
    if (!fileName || !*fileName) return nullptr;
    const bool fullPath = std::strchr(fileName, '/') != nullptr;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::uintptr_t found = 0;
    r.modules.forEach([&](std::uintptr_t h, const Module& m) {
        if (!found && m.code && (fullPath ? m.path : m.fileName) == fileName) found = h;
    });
    return toHandle(found);
}

WS_API size_t WsGetModuleFileName(WsModule module, char* buffer, size_t size) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const Module* m = r.modules.get(raw(module));
    if (!m) return 0;
    if (!buffer && size == 0) return m->path.size();
    if (!buffer || size <= m->path.size()) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, m->path.c_str(), m->path.size() + 1);
    return m->path.size();
}

WS_API int WsFindResource(WsModule module, uint32_t type, int32_t id, const void** data,
                          size_t* size) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const Module* m = r.modules.get(raw(module));
    if (!m) return 0;
    const res::EntryView* best = nullptr;
    for (const res::EntryView& e : m->resources) {
        if (e.type != type || e.id != id) continue;
        if (!best || (e.language == res::kDefaultLanguage && best->language != e.language))
            best = &e;
    }
    if (!best) return 0;
    if (data) *data = best->data.data();
    if (size) *size = best->data.size();
    return 1;
}

} // extern "C"
