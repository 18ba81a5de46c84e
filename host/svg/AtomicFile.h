// Replacing a file all at once: the data goes to a temporary file in the target's folder,
// which is renamed over the target only when it is complete and on disk. On any failure
// the target is untouched and the temporary file is gone.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace host {

/// False with a message naming the file and the reason.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view data,
                         std::string& error);

} // namespace host
