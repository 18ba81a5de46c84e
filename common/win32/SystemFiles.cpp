#include "common/SystemFiles.h"

#include <cerrno>
#include <cstring>
#include <io.h>
#include <windows.h>

namespace systemfiles {
namespace {

// errno for the last Windows error, for messages made with strerror.
int ErrnoOfLastError() {
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return EACCES;
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

// A file opened by CreateFile is known for what it is before a byte is read: a pipe or a
// device would block or never end.
std::FILE* OpenRegularForReading(const std::filesystem::path& path, std::uint64_t maxSize,
                                 std::string& reason) {
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = std::strerror(ErrnoOfLastError());
        return nullptr;
    }
    const auto refuse = [&](std::string why) -> std::FILE* {
        ::CloseHandle(handle);
        reason = std::move(why);
        return nullptr;
    };
    if (::GetFileType(handle) != FILE_TYPE_DISK) return refuse("not a regular file");
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size)) return refuse(std::strerror(ErrnoOfLastError()));
    if (static_cast<std::uint64_t>(size.QuadPart) > maxSize)
        return refuse("larger than " + std::to_string(maxSize >> 20) + " MB");
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (fd < 0) return refuse(std::strerror(errno));
    std::FILE* stream = ::_fdopen(fd, "rb");
    if (stream == nullptr) {
        reason = std::strerror(errno);
        ::_close(fd);
    }
    return stream;
}

std::FILE* OpenStream(const std::filesystem::path& path, const char* mode) {
    std::wstring wide;
    for (const char* c = mode; *c != 0; ++c)
        wide += static_cast<wchar_t>(*c);
    return ::_wfopen(path.c_str(), wide.c_str());
}

bool MayWrite(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        errno = ErrnoOfLastError();
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        errno = EACCES;
        return false;
    }
    return true;
}

void CopyPermissions(std::FILE*, const std::filesystem::path&) {
    // A replacing file takes its folder's access rules; there is no mode to carry over.
}

bool SyncToDisk(std::FILE* stream) {
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) return false;
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    if (!::FlushFileBuffers(handle)) {
        errno = ErrnoOfLastError();
        return false;
    }
    return true;
}

bool ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = ErrnoOfLastError();
    return false;
}

} // namespace systemfiles
