// The `cartovel` program of this build run as a user runs it, and the fixture of the tests
// that run it on files in a fresh folder of their own.
#pragma once

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace cartotest {

/// The `cartovel` executable.
std::filesystem::path cartovelProgram();

/// Runs `cartovel arguments` (see runProgram).
ProgramRun runCartovel(const std::string& arguments, const RunOptions& options = {});

/// One case of a table of runs: the arguments, and how the run must end.
struct RunCase {
    std::string arguments;
    int status;
    /// A part of what the run prints.
    std::string message;
};

/// Checks that the run ended as the case says; a failure names the case's arguments and
/// shows all the run printed.
void ExpectEndedAs(const ProgramRun& run, const RunCase& c);

/// A test that runs `cartovel` in a fresh folder, which keeps the module's preferences too.
class CartovelTest : public ::testing::Test {
protected:
    std::filesystem::path at(std::string_view name) const { return folder_ / name; }

    /// Runs `cartovel arguments` in the test's folder; environment is put before it
    /// ("NAME=VALUE ..."). Standard error goes with standard output unless stderrTo names
    /// a file for it.
    ProgramRun cartovel(const std::string& arguments, const std::string& environment = {},
                        const std::filesystem::path& stderrTo = {}) const {
        return runCartovel(arguments, {folder_.path(), environment, stderrTo});
    }

    /// `cartovel` on a pseudo-terminal in the test's folder.
    TerminalRun cartovelAtTerminal(const std::vector<std::string>& arguments) const {
        return TerminalRun(folder_.path(), cartovelProgram(), arguments);
    }

    const TempFolder folder_{"cartovel-cli"};
    /// The option that keeps the module's preferences in the test's folder.
    const std::string prefs_ = " --prefs " + at("prefs.json").string();
};

} // namespace cartotest
