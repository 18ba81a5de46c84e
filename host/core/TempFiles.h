// Temporary files that become other files by a rename (atomic saves). Each is named
// ".NAME.PID.XXXXXX" beside its target, so that one a killed run left behind can be told
// apart from one a running program is still writing, and removed by the next save of the
// same file. A run ended by SIGTERM or SIGHUP removes its own on the way out; SIGKILL
// leaves it for that next save.
#pragma once

#include <filesystem>
#include <string>

namespace host {

/// Creates and opens (write only, mode 0600) a new temporary file beside target; -1 with
/// errno set on failure. path receives its name. Temporary files of target left by runs
/// that no longer exist are removed first.
int createTemporaryBeside(const std::filesystem::path& target, std::string& path);

/// The file at path was renamed or removed: a signal no longer needs to remove it.
void forgetTemporary(const std::string& path);

} // namespace host
