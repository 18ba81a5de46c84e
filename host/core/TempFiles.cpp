#include "host/core/TempFiles.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {
namespace {

// The files being written now, where a signal handler can reach them without allocating.
constexpr std::size_t kSlots = 16;
constexpr std::size_t kPathMax = 4096;
struct Slot {
    volatile sig_atomic_t used = 0;
    char path[kPathMax] = {};
};
std::array<Slot, kSlots> gSlots;
std::mutex gSlotsMutex;

extern "C" void removeAndReraise(int signal) {
    for (Slot& slot : gSlots)
        if (slot.used) ::unlink(slot.path);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void installHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int signal : {SIGTERM, SIGHUP}) {
            struct sigaction current {};
            // A program that handles these itself keeps its handler.
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = removeAndReraise;
            sigemptyset(&action.sa_mask);
            ::sigaction(signal, &action, nullptr);
        }
    });
}

void remember(const std::string& path) {
    if (path.size() >= kPathMax) return;
    std::lock_guard lock(gSlotsMutex);
    for (Slot& slot : gSlots) {
        if (slot.used) continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.used = 1;
        return;
    }
}

/// ".NAME." then the digits of a process id, a dot and six characters.
bool isStaleTemporaryOf(const std::string& prefix, const std::string& name) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    const std::size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string::npos || rest.size() - dot - 1 != 6) return false;
    long pid = 0;
    for (std::size_t i = 0; i < dot; ++i) {
        if (rest[i] < '0' || rest[i] > '9' || pid > 99999999) return false;
        pid = pid * 10 + (rest[i] - '0');
    }
    if (pid <= 0 || pid == ::getpid()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isStaleTemporaryOf(prefix, name) && it->is_regular_file(typeError))
            std::filesystem::remove(it->path(), typeError);
    }
}

} // namespace

int createTemporaryBeside(const std::filesystem::path& target, std::string& path) {
    installHandlers();
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string prefix = "." + target.filename().string() + ".";
    removeStaleTemporaries(folder, prefix);
    std::string pattern = (folder / (prefix + std::to_string(::getpid()) + ".XXXXXX")).string();
    // A SIGTERM between creating the file and remembering it would leave it behind.
    sigset_t ending{};
    sigset_t previous{};
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGHUP);
    ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) remember(pattern);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (fd < 0) return -1;
    path = pattern;
    return fd;
}

void forgetTemporary(const std::string& path) {
    std::lock_guard lock(gSlotsMutex);
    for (Slot& slot : gSlots) {
        if (slot.used && path == slot.path) {
            slot.used = 0;
            return;
        }
    }
}

} // namespace host
