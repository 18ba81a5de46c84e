#include "support/TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace cartotest {

TempFolder::TempFolder(std::string_view prefix) {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            (std::string(prefix) + "-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // A test may have taken the rights away to make writes fail.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace cartotest
