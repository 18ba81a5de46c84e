// Modules and their resources: the system's loader. The API's resource types are the
// system's standard types where there is one, and custom types of the same name otherwise.
#include "Win32.h"

#include <vector>

using namespace ws::win32;

namespace {

HMODULE hmodule(WsModule module) {
    return reinterpret_cast<HMODULE>(module);
}

std::wstring modulePath(HMODULE module) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return {buffer.data(), n};
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

extern "C" {

WsModule WsLoadLibrary(const char* path) {
    if (path == nullptr) return nullptr;
    return reinterpret_cast<WsModule>(LoadLibraryW(widen(path).c_str()));
}

WsModule WsLoadLibraryAsData(const char* path) {
    if (path == nullptr) return nullptr;
    return reinterpret_cast<WsModule>(LoadLibraryExW(
        widen(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

int WsFreeLibrary(WsModule module) {
    return module != nullptr && FreeLibrary(hmodule(module)) ? 1 : 0;
}

void* WsGetProcAddress(WsModule module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(hmodule(module), name));
}

WsModule WsGetModuleHandle(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') return nullptr;
    return reinterpret_cast<WsModule>(GetModuleHandleW(widen(fileName).c_str()));
}

size_t WsGetModuleFileName(WsModule module, char* buffer, size_t size) {
    if (module == nullptr) return 0;
    const std::string path = narrow(modulePath(hmodule(module)));
    if (path.empty()) return 0;
    if (buffer == nullptr && size == 0) return path.size();
    if (buffer == nullptr) return 0;
    if (path.size() + 1 > size) {
        if (size > 0) buffer[0] = '\0';
        return 0;
    }
    path.copy(buffer, path.size());
    buffer[path.size()] = '\0';
    return path.size();
}

int WsFindResource(WsModule module, uint32_t type, int32_t id, const void** data, size_t* size) {
    if (module == nullptr || id < 1 || id > 0xFFFF) return 0;
    std::wstring name;
    const wchar_t* systemType = nullptr;
    if (type == WS_RT_DIALOG) {
        systemType = RT_DIALOG;
    } else if (type == WS_RT_ICON) {
        systemType = RT_GROUP_ICON;
    } else if (type == WS_RT_BITMAP) {
        systemType = RT_BITMAP;
    } else {
        for (int shift = 24; shift >= 0; shift -= 8)
            if (const auto c = static_cast<wchar_t>((type >> shift) & 0xFF); c != L' ') name += c;
        systemType = name.c_str();
    }
    HRSRC found = FindResourceW(hmodule(module), MAKEINTRESOURCEW(id), systemType);
    if (found == nullptr) return 0;
    HGLOBAL loaded = LoadResource(hmodule(module), found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return 0;
    if (data != nullptr) *data = bytes;
    if (size != nullptr) *size = SizeofResource(hmodule(module), found);
    return 1;
}

} // extern "C"
