// Files of a test: a fresh folder that goes with everything in it, and whole files read and
// written in one call.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace cartotest {

/// A fresh folder under the temporary folder, removed with everything in it (even what was
/// made read-only) when the object goes. Test programs run side by side: no other one can
/// pick the same name.
class TempFolder {
public:
    explicit TempFolder(std::string_view prefix = "cartovel-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
/// Replaces the file with these bytes.
void writeFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace cartotest
