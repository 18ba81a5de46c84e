#include "hostapi/suites/FoldersSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

#include <filesystem>

namespace host {
namespace {

HostErr FindFolder(int32_t kind, HostBool create, HostFilePath folder) {
    HOST_OP(kHostFoldersSuite, "FindFolder");
    return guarded([&]() -> HostErr {
        HostFilePathOpaque* out = suites::context().filePaths().find(folder);
        if (out == nullptr) return kHostErrBadHandle;
        const std::filesystem::path* known = suites::context().folder(kind);
        if (known == nullptr) return kHostErrBadParameter;
        const std::filesystem::path& location = *known;
        if (location.empty()) return kHostErrNotFound;
        if (create != 0) {
            std::error_code ec;
            std::filesystem::create_directories(location, ec);
            if (ec) return kHostErrFile;
        }
        out->path = location.string();
        return kHostNoErr;
    });
}

constexpr HostFoldersSuite kTable = {FindFolder};

} // namespace

void installFoldersSuite(SuiteRegistry& registry) {
    registry.provide(kHostFoldersSuite, kHostFoldersSuiteVersion, &kTable);
}

} // namespace host
