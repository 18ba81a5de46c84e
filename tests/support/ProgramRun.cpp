#include "support/ProgramRun.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cartotest {

namespace {

int exitStatus(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace

ProgramRun runProgram(const std::filesystem::path& program, const std::string& arguments,
                      const RunOptions& options) {
    std::string command;
    if (!options.folder.empty()) command = "cd '" + options.folder.string() + "' && ";
    command += options.environment + " " + program.string() + " " + arguments + " </dev/null " +
               (options.stderrTo.empty() ? "2>&1" : "2>'" + options.stderrTo.string() + "'");
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ProgramRun run;
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
        run.out.append(buffer.data(), n);
    run.status = exitStatus(pclose(pipe.release()));
    return run;
}

TerminalRun::TerminalRun(const std::filesystem::path& folder, const std::filesystem::path& program,
                         const std::vector<std::string>& arguments) {
    // The child's argument list is made before the fork: it only calls exec after it.
    std::vector<char*> argv;
    const std::string path = program.string();
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    child_ = forkpty(&terminal_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
        if (::chdir(folder.c_str()) == 0) ::execv(argv[0], argv.data());
        _exit(127);
    }
}

TerminalRun::~TerminalRun() {
    if (started()) finish(true);
}

bool TerminalRun::type(std::string_view keys) {
    return started() &&
           ::write(terminal_, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
}

bool TerminalRun::readUntil(std::optional<std::string_view> text) {
    if (!started()) return false;
    std::array<char, 256> buffer{};
    while (!text || screen_.find(*text) == std::string::npos) {
        pollfd ready{terminal_, POLLIN, 0};
        if (::poll(&ready, 1, 20'000) <= 0) return false;
        const ssize_t n = ::read(terminal_, buffer.data(), buffer.size());
        if (n <= 0) return !text;
        screen_.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return true;
}

int TerminalRun::finish(bool kill) {
    if (!started()) return -1;
    if (kill) ::kill(child_, SIGKILL);
    int raw = 0;
    const pid_t ended = ::waitpid(child_, &raw, 0);
    ::close(terminal_);
    child_ = -1;
    terminal_ = -1;
    return ended > 0 ? exitStatus(raw) : -1;
}

} // namespace cartotest
