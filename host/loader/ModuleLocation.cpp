#include "host/loader/ModuleLocation.h"

#include <cstdlib>
#include <filesystem>

namespace host {
namespace {

std::filesystem::path executableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

} // namespace

std::string locateModule(const std::string& pluginOption) {
    if (!pluginOption.empty()) return pluginOption;
    if (const char* env = std::getenv("CARTOVEL_PLUGIN"); env != nullptr && *env != 0) return env;
    const std::filesystem::path exe = executableFolder();
    const std::filesystem::path built = (exe / ".." / "plugins" / "cartovel.so").lexically_normal();
    const std::filesystem::path installed =
        (exe / ".." / "lib" / "cartovel" / "plugins" / "cartovel.so").lexically_normal();
    std::error_code ec;
    if (!std::filesystem::exists(built, ec) && std::filesystem::exists(installed, ec))
        return installed.string();
    return built.string();
}

} // namespace host
