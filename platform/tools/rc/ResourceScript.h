#pragma once

#include "ResourceBlob.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace ws::rc {

/** A fault in the script; the message names the entry. */
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CompiledScript {
    std::vector<res::Resource> resources;
    std::vector<std::filesystem::path> inputs; // the files the script named
};

/** Compiles a resource script; "file" entries are read relative to baseDir. */
CompiledScript compileScript(const std::string& scriptText, const std::filesystem::path& baseDir);

} // namespace ws::rc
