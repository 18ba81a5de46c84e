// The command line of `cartovel`: global options, one subcommand per job, exit statuses.
//
//   cartovel menus                 the menu tree the module built
//   cartovel about                 the module's about box
//   cartovel run COMMAND IN -o OUT run a menu command on a document
//   cartovel info FILE             layer tree and art counts
//   cartovel help COMMAND          a command's fields and questions
//
// Each subcommand lives in commands/ and registers itself with addXxxCommand; its action runs
// after the whole line has been parsed.
#pragma once

#include "host/core/Application.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace cartovel {

/// What every subcommand can reach: the streams and the global options.
struct CliContext {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    /// Questions and dialogs may be put to the person at the terminal.
    bool terminal = false;
    std::string pluginOption;
    /// --precision: path operations treat outlines closer than this (points) as one.
    double precision = host::kDefaultPrecision;
    /// The command a --set belongs to, for messages ("cartovel about", "map-scaling").
    std::string commandName;
    /// Set by the subcommand that was chosen; returns the exit status.
    std::function<int()> action;
};

/// A command line that cannot be carried out as written (exit status 64).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Options shared by the commands that work on a document and may ask the user.
struct InteractionOptions {
    std::vector<std::string> answers;
    std::vector<std::string> fields;
    bool skipDisabled = false; // --set fields whose controls are disabled are left alone
};
void addInteractionOptions(CLI::App& command, InteractionOptions& options);

void addMenusCommand(CLI::App& cli, CliContext& context);
void addAboutCommand(CLI::App& cli, CliContext& context);
void addRunCommand(CLI::App& cli, CliContext& context);
void addInfoCommand(CLI::App& cli, CliContext& context);
void addHelpCommand(CLI::App& cli, CliContext& context);

/// Parses the arguments and runs the chosen subcommand; returns the exit status.
int runCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool terminal);

} // namespace cartovel
