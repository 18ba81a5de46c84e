// Inkscape effect descriptions (.inx) of the module's commands.
#pragma once

#include "Cli.h"
#include "commands/CommandTable.h"

#include <ostream>

namespace cartovel {

/// The description of one command: its dialog fields as parameters with the values the
/// dialog opens with, its questions with the answers a caller that cannot ask gives.
void writeInx(std::ostream& out, const CliContext& context, const CommandEntry& entry);

void addInxCommand(CLI::App& cli, CliContext& context);

} // namespace cartovel
