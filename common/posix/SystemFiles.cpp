#include "common/SystemFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace systemfiles {

// What the file is decides before a byte is read: a FIFO would block for ever, a device
// such as /dev/zero would never end.
std::FILE* OpenRegularForReading(const std::filesystem::path& path, std::uint64_t maxSize,
                                 std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return nullptr;
    }
    const auto refuse = [&](std::string why) -> std::FILE* {
        ::close(fd);
        reason = std::move(why);
        return nullptr;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) return refuse(std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return refuse("not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > maxSize)
        return refuse("larger than " + std::to_string(maxSize >> 20) + " MB");
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return refuse(std::strerror(errno));
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) return refuse(std::strerror(errno));
    return stream;
}

std::FILE* OpenStream(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool MayWrite(const std::filesystem::path& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

void CopyPermissions(std::FILE* stream, const std::filesystem::path& like) {
    struct stat existing {};
    if (::stat(like.c_str(), &existing) == 0) ::fchmod(::fileno(stream), existing.st_mode & 07777);
}

bool SyncToDisk(std::FILE* stream) {
    return std::fflush(stream) == 0 && std::ferror(stream) == 0 && ::fsync(::fileno(stream)) == 0;
}

bool ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace systemfiles
