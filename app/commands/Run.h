// cartovel run COMMAND INPUT.svg... (-o OUTPUT.svg | --out-dir DIR): the options, parsed and
// checked, and the function that carries them out.
#pragma once

#include "Cli.h"

#include <filesystem>
#include <string>
#include <vector>

namespace cartovel {

struct RunOptions {
    std::string command;
    std::vector<std::string> inputs;
    std::string output;
    std::string outDir;
    bool outputGiven = false;
    bool outDirGiven = false;
    /// An output may replace its input (alone: each input is its own output).
    bool inPlace = false;
    /// Start from the commands' built-in settings and store none.
    bool defaults = false;
    std::string layer;
    std::vector<std::string> select;
    std::string prefs;
    InteractionOptions interaction;
};

/// One document of a run and where its result goes.
struct RunJob {
    std::string input;
    std::filesystem::path output; // "-": standard output
    [[nodiscard]] bool toStandardOutput() const { return output == "-"; }
};

/// The documents and their outputs, checked before any is opened: throws UsageError for an
/// output that cannot work (no or two kinds of output, an empty path, a folder, a device,
/// FIFO or socket, a folder that is missing or not writable, two results for one file, a
/// result over its input without --in-place); returns false with problem set when an input
/// cannot be read (exit status 1).
bool planJobs(const RunOptions& options, std::vector<RunJob>& jobs, std::string& problem);

/// Opens each input, runs the command's menu item on it the way a user would, saves the
/// output; returns the exit status.
int runDocumentCommand(CliContext& context, const RunOptions& options);

} // namespace cartovel
