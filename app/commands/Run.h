// cartovel run COMMAND INPUT.svg -o OUTPUT.svg: the options, parsed and checked, and the
// function that carries them out.
#pragma once

#include "Cli.h"

#include <string>
#include <vector>

namespace cartovel {

struct RunOptions {
    std::string command;
    std::string input;
    std::string output;
    std::string layer;
    std::vector<std::string> select;
    std::string prefs;
    InteractionOptions interaction;
};

/// Opens the input, runs the command's menu item on it the way a user would, saves the
/// output; returns the exit status.
int runDocumentCommand(CliContext& context, const RunOptions& options);

} // namespace cartovel
