// Removing pending files when the process is told to end, and process ids.
#include "common/SystemFiles.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace systemfiles {
namespace {

// A signal handler can only reach what is global and must not allocate: the pending
// files' names live in fixed slots, and each handled signal's previous disposition beside.
constexpr std::size_t kSlots = 8;
constexpr std::size_t kNameMax = 4096;
struct Slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> armed{false}; // the name is complete: a handler may remove it
    char name[kNameMax] = {};
};
std::array<Slot, kSlots> gSlots;

constexpr std::array<int, 2> kSignals = {SIGTERM, SIGHUP};
std::array<struct sigaction, kSignals.size()> gPrevious{};
std::atomic<int> gInstalled{0};

extern "C" void RemovePendingAndChain(int signal) {
    for (Slot& slot : gSlots)
        if (slot.armed.load()) ::unlink(slot.name);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (kSignals[i] != signal) continue;
        const struct sigaction& previous = gPrevious[i];
        if (previous.sa_handler == SIG_IGN) return;
        if (previous.sa_handler != SIG_DFL && !(previous.sa_flags & SA_SIGINFO)) {
            previous.sa_handler(signal);
            return;
        }
        ::sigaction(signal, &previous, nullptr);
        ::raise(signal);
    }
}

void InstallHandlers() {
    if (gInstalled.fetch_add(1) != 0) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction action {};
        action.sa_handler = RemovePendingAndChain;
        sigemptyset(&action.sa_mask);
        ::sigaction(kSignals[i], &action, &gPrevious[i]);
    }
}

// The host's own handlers come back once no file is pending.
void RestoreHandlers() {
    if (gInstalled.fetch_sub(1) != 1) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &gPrevious[i], nullptr);
}

} // namespace

int ArmRemovalAtTermination(const std::filesystem::path& path) {
    const std::string& name = path.native();
    if (name.size() >= kNameMax) return -1;
    for (std::size_t i = 0; i < gSlots.size(); ++i) {
        bool expected = false;
        Slot& slot = gSlots[i];
        if (!slot.claimed.compare_exchange_strong(expected, true)) continue;
        std::memcpy(slot.name, name.c_str(), name.size() + 1);
        slot.armed = true;
        InstallHandlers();
        return static_cast<int>(i);
    }
    return -1;
}

void DisarmRemoval(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= gSlots.size()) return;
    Slot& slot = gSlots[static_cast<std::size_t>(index)];
    slot.armed = false;
    slot.claimed = false;
    RestoreHandlers();
}

std::FILE* CreateExclusive(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());
        errno = error;
    }
    return stream;
}

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessIsGone(long id) {
    return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

} // namespace systemfiles
