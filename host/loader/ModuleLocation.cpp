#include "host/loader/ModuleLocation.h"

#include <cstdlib>
#include <filesystem>

#ifndef CARTOVEL_INSTALLED_MODULE
#error "CARTOVEL_INSTALLED_MODULE must be defined by the build"
#endif

namespace host {
namespace {

constexpr const char* kBuiltModule = "../plugins/cartovel.so";

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
    const std::filesystem::path built = (exe / kBuiltModule).lexically_normal();
    const std::filesystem::path installed = (exe / CARTOVEL_INSTALLED_MODULE).lexically_normal();
    std::error_code ec;
    if (!std::filesystem::exists(built, ec) && std::filesystem::exists(installed, ec))
        return installed.string();
    return built.string();
}

std::string moduleSearchHelp() {
    return std::string("$CARTOVEL_PLUGIN, else <program folder>/") + kBuiltModule +
           ", else <program folder>/" + CARTOVEL_INSTALLED_MODULE;
}

} // namespace host
