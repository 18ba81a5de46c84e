// The temporary file a replacing write fills before it takes the target's place. It is
// named ".NAME.PID.NNN.tmp" beside the target, so one that a killed process left behind can
// be told apart from one another process is still writing, and is removed by the next
// replacing write of the same target. While one is open, a process told to end (SIGTERM,
// SIGHUP) removes it first and then ends as the signal's previous disposition says.
#pragma once

#include <cstdio>
#include <filesystem>

class CPendingFile {
public:
    CPendingFile() = default;
    /** Removes the file unless it was released. */
    ~CPendingFile();
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;

    /** Creates the file beside target and opens it for writing; null with errno set on
     *  failure. Stale files of dead processes go first. The stream is the caller's. */
    std::FILE* Create(const std::filesystem::path& target);
    const std::filesystem::path& Name() const noexcept { return name_; }
    /** The file was renamed into place: it is no longer removed. */
    void Release() noexcept;
    /** Removes the file now. */
    void Remove() noexcept;

private:
    std::filesystem::path name_;
    int slot_ = -1;
};
