// Replacing a file all at once: the data goes to a temporary file in the target's folder,
// which is renamed over the target only when it is complete and on disk. On any failure
// the target is untouched and the temporary file is gone.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace host {

/// Asked once the new file is complete, right before it replaces the target, with the
/// interrupt and termination signals held back until the replacement is made: false keeps
/// the target as it was (a run interrupted while it saved).
using CommitCheck = std::function<bool()>;

/// False with a message naming the file and the reason.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view data,
                         std::string& error, const CommitCheck& mayCommit = {});

} // namespace host
