// Runs a program as a child process the way a user does: from a shell line with standard
// input not a terminal, or on a pseudo-terminal typed at.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace cartotest {

/// How a run ended and what it printed.
struct ProgramRun {
    /// The exit status; -1 when the program could not start or did not exit (a signal).
    int status = -1;
    /// Standard output, and standard error with it unless it went to a file.
    std::string out;
};

struct RunOptions {
    /// The folder the program runs in; the test's own when empty.
    std::filesystem::path folder;
    /// "NAME=VALUE ..." put before the program on the shell line.
    std::string environment;
    /// The file standard error goes to; with standard output when empty.
    std::filesystem::path stderrTo;
};

/// Runs `program arguments` through the shell (so arguments are quoted as on a shell line)
/// with standard input from /dev/null, and waits for it.
ProgramRun runProgram(const std::filesystem::path& program, const std::string& arguments,
                      const RunOptions& options = {});

/// A program run on a pseudo-terminal, its standard input, output and error; it is killed
/// if it is still running when the object goes.
class TerminalRun {
public:
    TerminalRun(const std::filesystem::path& folder, const std::filesystem::path& program,
                const std::vector<std::string>& arguments);
    ~TerminalRun();
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    bool started() const { return child_ > 0; }
    /// Types the keys at the terminal; the terminal hands lines over one at a time as the
    /// program reads them.
    bool type(std::string_view keys);
    /// Reads what the program prints until text shows (or, with no text, until the program
    /// closes the terminal); false after 20 s of silence.
    bool readUntil(std::optional<std::string_view> text);
    /// All the program printed so far.
    const std::string& screen() const { return screen_; }
    /// Waits for the program to end, killed first when kill is set; its exit status, or -1
    /// when it did not exit.
    int finish(bool kill = false);

private:
    pid_t child_ = -1;
    int terminal_ = -1;
    std::string screen_;
};

} // namespace cartotest
