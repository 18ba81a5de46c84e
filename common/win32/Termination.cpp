// Process ids, and pending files at the end of a process: Windows ends a console program
// without a signal it could handle, so a file left then goes with the next write beside
// the same target.
#include "common/SystemFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace systemfiles {

int ArmRemovalAtTermination(const std::filesystem::path&) {
    return -1;
}

void DisarmRemoval(int) {}

std::FILE* CreateExclusive(const std::filesystem::path& path) {
    const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                            _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* stream = ::_fdopen(fd, "wb");
    if (stream == nullptr) {
        const int error = errno;
        ::_close(fd);
        ::_wremove(path.c_str());
        errno = error;
    }
    return stream;
}

long CurrentProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

bool ProcessIsGone(long id) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

} // namespace systemfiles
