// libFuzzer: the preference store reading a file, then writing a change merged into it.
#include "host/prefs/PreferenceStore.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("cartovel-fuzz-prefs-" + std::to_string(::getpid()));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path file = folder / "preferences.json";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    host::PreferenceStore store(file, [](const std::string&) {});
    store.put("Mirvak-Cartovel1.6", "NL_Step", std::int32_t{2});
    host::PreferenceStore again(file, [](const std::string&) {});
    return 0;
}
