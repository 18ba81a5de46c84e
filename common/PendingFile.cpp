#include "common/PendingFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <unistd.h>

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

int TakeSlot(const std::string& name) {
    if (name.size() >= kNameMax) return -1;
    for (std::size_t i = 0; i < gSlots.size(); ++i) {
        bool expected = false;
        Slot& slot = gSlots[i];
        if (!slot.claimed.compare_exchange_strong(expected, true)) continue;
        std::memcpy(slot.name, name.c_str(), name.size() + 1);
        slot.armed = true;
        return static_cast<int>(i);
    }
    return -1;
}

void FreeSlot(int index) {
    Slot& slot = gSlots[static_cast<std::size_t>(index)];
    slot.armed = false;
    slot.claimed = false;
}

// ".NAME." then a process id, a dot, digits and ".tmp", of a process that is gone.
bool IsStalePendingOf(const std::string& prefix, const std::string& name) {
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() <= prefix.size() + kSuffix.size() || name.compare(0, prefix.size(), prefix) ||
        !name.ends_with(kSuffix))
        return false;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
    const std::size_t dot = middle.find('.');
    if (dot == 0 || dot == std::string::npos || dot + 1 == middle.size() || dot > 9) return false;
    for (std::size_t i = 0; i < middle.size(); ++i)
        if (i != dot && (middle[i] < '0' || middle[i] > '9')) return false;
    const long pid = std::stol(middle.substr(0, dot));
    if (pid <= 0 || pid == ::getpid()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void RemoveStale(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (IsStalePendingOf(prefix, it->path().filename().string()) &&
            it->is_regular_file(typeError))
            std::filesystem::remove(it->path(), typeError);
    }
}

} // namespace

CPendingFile::~CPendingFile() {
    Remove();
}

int CPendingFile::Create(const std::filesystem::path& target) {
    Remove();
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string prefix = "." + target.filename().string() + ".";
    RemoveStale(folder, prefix);
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::string stem = prefix + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            (folder / (stem + std::to_string(random() % 1000000000) + ".tmp")).string();
        // Registered before it exists, so no signal can leave it behind.
        const int slot = TakeSlot(candidate);
        if (slot >= 0) InstallHandlers();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            name_ = candidate;
            slot_ = slot;
            return fd;
        }
        const int error = errno;
        if (slot >= 0) {
            FreeSlot(slot);
            RestoreHandlers();
        }
        errno = error;
        if (error != EEXIST) return -1;
    }
    return -1;
}

void CPendingFile::Release() noexcept {
    if (slot_ >= 0) {
        FreeSlot(slot_);
        RestoreHandlers();
    }
    slot_ = -1;
    name_.clear();
}

void CPendingFile::Remove() noexcept {
    if (!name_.empty()) ::unlink(name_.c_str());
    Release();
}
