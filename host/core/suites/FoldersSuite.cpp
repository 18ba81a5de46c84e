#include "hostapi/suites/FoldersSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

#include <filesystem>

namespace host {
namespace {

HostErr FindFolder(int32_t kind, HostBool create, HostFilePath folder) {
    HOST_OP(kHostFoldersSuite, "FindFolder");
    return guarded([&]() -> HostErr {
        HostFilePathOpaque* out = suites::app().filePaths().find(folder);
        if (out == nullptr) return kHostErrBadHandle;
        const ApplicationOptions& options = suites::app().options();
        std::filesystem::path location;
        switch (kind) {
        case kHostFolderPreferences:
            location = options.preferencesFolder;
            break;
        case kHostFolderUserDocuments:
            location = options.documentsFolder;
            break;
        case kHostFolderPlugins:
            location = options.pluginsFolder;
            break;
        default:
            return kHostErrBadParameter;
        }
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
