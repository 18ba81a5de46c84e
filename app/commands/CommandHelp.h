// Help for one command: its dialogs' fields with the values they take and the values the
// dialogs open with, and the questions it may ask. `cartovel help COMMAND` and
// `cartovel run COMMAND --help` print it.
#pragma once

#include "Cli.h"

#include <string>

namespace cartovel {

struct CommandEntry;

/// The footer of `cartovel run --help`: the commands and how to get help on one.
std::string commandListHelp();

/// Prints the help of the command; its dialogs are opened on an empty document with the
/// preference store prefs (empty: the user's) to read the values they start with, and
/// cancelled. Returns the exit status.
int printCommandHelp(CliContext& context, const CommandEntry& entry, const std::string& prefs);

/// `cartovel run COMMAND --help` (CLI11 would show the help of `run`): handled before the
/// line is parsed. Returns the exit status, or -1 when the line is not such a request.
int runHelpRequest(int argc, const char* const* argv, CliContext& context);

void addHelpCommand(CLI::App& cli, CliContext& context);

} // namespace cartovel
