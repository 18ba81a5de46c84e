#include "hostapi/suites/FilePathSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

#include <cstring>
#include <filesystem>

namespace host {
namespace {

HostFilePathOpaque* find(HostFilePath path) {
    return suites::context().filePaths().find(path);
}

/// Runs body with the path behind a handle, or answers kHostErrBadHandle.
template <class Body> HostErr withPath(HostFilePath path, Body&& body) noexcept {
    return suites::withFound([&] { return find(path); }, body);
}

HostErr NewFilePath(HostFilePath* path) {
    HOST_OP(kHostFilePathSuite, "NewFilePath");
    if (path == nullptr) return kHostErrBadParameter;
    *path = nullptr;
    return guarded([&]() -> HostErr {
        *path = suites::context().filePaths().make();
        return kHostNoErr;
    });
}

HostErr DisposeFilePath(HostFilePath path) {
    HOST_OP(kHostFilePathSuite, "DisposeFilePath");
    return suites::context().filePaths().dispose(path) ? kHostNoErr : kHostErrBadHandle;
}

HostErr SetFromPlatformFileSpec(HostFilePath path, const HostPlatformFileSpec* spec) {
    HOST_OP(kHostFilePathSuite, "SetFromPlatformFileSpec");
    return withPath(path, [&](HostFilePathOpaque* p) -> HostErr {
        if (spec == nullptr) return kHostErrBadParameter;
        const std::size_t length = strnlen(spec->path, sizeof spec->path);
        if (length == sizeof spec->path) return kHostErrBadParameter; // not NUL-terminated
        std::string text(spec->path, length);
        if (!isValidUtf8(text)) return kHostErrBadParameter;
        p->path = std::move(text);
        return kHostNoErr;
    });
}

HostErr GetPlatformFileSpec(HostFilePath path, HostPlatformFileSpec* spec) {
    HOST_OP(kHostFilePathSuite, "GetPlatformFileSpec");
    const HostFilePathOpaque* p = find(path);
    if (p == nullptr) return kHostErrBadHandle;
    if (spec == nullptr || p->path.size() >= sizeof spec->path) return kHostErrBadParameter;
    std::memcpy(spec->path, p->path.c_str(), p->path.size() + 1);
    return kHostNoErr;
}

HostErr GetFileName(HostFilePath path, HostBool withExtension, HostUString* name) {
    HOST_OP(kHostFilePathSuite, "GetFileName");
    if (name == nullptr) return kHostErrBadParameter;
    *name = nullptr;
    return withPath(path, [&](HostFilePathOpaque* p) -> HostErr {
        const std::filesystem::path file(p->path);
        const std::string result =
            withExtension != 0 ? file.filename().string() : file.stem().string();
        *name = suites::context().strings().make(result);
        return kHostNoErr;
    });
}

HostErr GetFullPath(HostFilePath path, HostUString* fullPath) {
    HOST_OP(kHostFilePathSuite, "GetFullPath");
    if (fullPath == nullptr) return kHostErrBadParameter;
    *fullPath = nullptr;
    return withPath(path, [&](HostFilePathOpaque* p) -> HostErr {
        *fullPath = suites::context().strings().make(p->path);
        return kHostNoErr;
    });
}

HostErr SetFromUString(HostFilePath path, HostUString fullPath) {
    HOST_OP(kHostFilePathSuite, "SetFromUString");
    return guarded([&]() -> HostErr {
        HostFilePathOpaque* p = find(path);
        const std::string* text = suites::text(fullPath);
        if (p == nullptr || text == nullptr) return kHostErrBadHandle;
        p->path = *text;
        return kHostNoErr;
    });
}

HostErr GetParent(HostFilePath path, HostFilePath parent) {
    HOST_OP(kHostFilePathSuite, "GetParent");
    return guarded([&]() -> HostErr {
        const HostFilePathOpaque* p = find(path);
        HostFilePathOpaque* out = find(parent);
        if (p == nullptr || out == nullptr) return kHostErrBadHandle;
        std::filesystem::path file(p->path);
        // "/a/b/" names the folder b: its parent is /a, not /a/b.
        if (!file.has_filename() && file.has_relative_path()) file = file.parent_path();
        out->path = file.parent_path().string();
        return kHostNoErr;
    });
}

HostBool IsEmpty(HostFilePath path) {
    HOST_OP_OR(kHostFilePathSuite, "IsEmpty", 1);
    const HostFilePathOpaque* p = find(path);
    return p == nullptr || p->path.empty() ? 1 : 0;
}

HostErr Exists(HostFilePath path, HostBool* exists, HostBool* isFolder) {
    HOST_OP(kHostFilePathSuite, "Exists");
    if (exists == nullptr) return kHostErrBadParameter;
    *exists = 0;
    if (isFolder != nullptr) *isFolder = 0;
    const HostFilePathOpaque* p = find(path);
    if (p == nullptr) return kHostErrBadHandle;
    if (p->path.empty()) return kHostNoErr;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(p->path, ec);
    *exists = std::filesystem::exists(status) ? 1 : 0;
    if (isFolder != nullptr) *isFolder = std::filesystem::is_directory(status) ? 1 : 0;
    return kHostNoErr;
}

constexpr HostFilePathSuite kTable = {
    NewFilePath, DisposeFilePath, SetFromPlatformFileSpec, GetPlatformFileSpec,
    GetFileName, GetFullPath,     SetFromUString,          GetParent,
    IsEmpty,     Exists};

} // namespace

void installFilePathSuite(SuiteRegistry& registry) {
    registry.provide(kHostFilePathSuite, kHostFilePathSuiteVersion, &kTable);
}

} // namespace host
