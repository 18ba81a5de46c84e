#include "TerminalInput.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace cartovel {

TerminalInput::TerminalInput(int fd, std::function<bool()> interrupted)
    : fd_(fd), interrupted_(std::move(interrupted)) {}

TerminalInput::int_type TerminalInput::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    // SIGINT stays blocked except inside ppoll, which unblocks it atomically: a Ctrl-C that
    // lands between the check of the flag and the wait still ends the wait.
    sigset_t interrupt{};
    sigset_t previous{};
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    ::pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
    ssize_t n = -1;
    while (!interrupted_()) {
        pollfd ready{fd_, POLLIN, 0};
        if (::ppoll(&ready, 1, nullptr, &previous) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        n = ::read(fd_, buffer_.data(), buffer_.size());
        break;
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (n <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
    return traits_type::to_int_type(*gptr());
}

} // namespace cartovel
