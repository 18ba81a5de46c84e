#include "host/svg/AtomicFile.h"

#include "host/core/TempFiles.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

std::string reason(const std::filesystem::path& p, const char* what) {
    return p.string() + ": " + what + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Holds back the signals that end or interrupt a run for as long as it lives, so that the
// decision to replace the target and the replacement happen together.
class SignalHold {
public:
    SignalHold() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~SignalHold() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

private:
    sigset_t previous_;
};

} // namespace

bool writeFileAtomically(const std::filesystem::path& requested, std::string_view data,
                         std::string& error, const CommitCheck& mayCommit) {
    std::error_code ec;
    // Through a symbolic link the file it names is replaced, not the link.
    std::filesystem::path target = requested;
    if (std::filesystem::is_symlink(requested, ec)) {
        target = std::filesystem::weakly_canonical(requested, ec);
        if (ec) target = requested;
    }
    if (std::filesystem::is_directory(target, ec)) {
        error = target.string() + ": is a folder";
        return false;
    }
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string tempName;
    const int fd = createTemporaryBeside(target, tempName);
    if (fd < 0) {
        error = reason(target, "cannot create a temporary file beside it");
        return false;
    }
    const std::filesystem::path temp = tempName;
    auto abandon = [&](const char* what) {
        error = reason(target, what);
        ::close(fd);
        ::unlink(temp.c_str());
        forgetTemporary(tempName);
        return false;
    };
    // The new file gets the old one's permissions, or the usual ones for a new file.
    struct stat st {};
    mode_t mode;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) return abandon("cannot set permissions");
    if (!writeAll(fd, data)) return abandon("cannot write");
    if (::fsync(fd) != 0) return abandon("cannot flush to disk");
    if (::close(fd) != 0) {
        error = reason(target, "cannot close");
        ::unlink(temp.c_str());
        forgetTemporary(tempName);
        return false;
    }
    {
        const SignalHold hold;
        if (mayCommit && !mayCommit()) {
            error = target.string() + ": not saved: the run was interrupted";
            ::unlink(temp.c_str());
            forgetTemporary(tempName);
            return false;
        }
        if (::rename(temp.c_str(), target.c_str()) != 0) {
            error = reason(target, "cannot replace");
            ::unlink(temp.c_str());
            forgetTemporary(tempName);
            return false;
        }
        forgetTemporary(tempName);
    }
    // Make the rename itself durable.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace host
