// The temporary file a replacing write fills before it takes the target's place. It is
// named ".NAME.PID.NNN.tmp" beside the target, so one that a killed process left behind can
// be told apart from one another process is still writing, and is removed by the next
// replacing write of the same target. While one is open, SIGTERM and SIGHUP remove it
// before the process ends as the signal's previous disposition says.
#pragma once

#include <filesystem>
#include <string>

class CPendingFile {
public:
    CPendingFile() = default;
    /** Removes the file unless it was released. */
    ~CPendingFile();
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;

    /** Creates the file beside target for writing (mode 0666 less the umask); the open
     *  descriptor, or -1 with errno set. Stale files of dead processes go first. */
    int Create(const std::filesystem::path& target);
    const std::string& Name() const noexcept { return name_; }
    /** The file was renamed into place: it is no longer removed. */
    void Release() noexcept;
    /** Removes the file now. */
    void Remove() noexcept;

private:
    std::string name_;
    int slot_ = -1;
};
