// Pieces shared by the subcommands.
#pragma once

#include "Cli.h"
#include "Session.h"

namespace cartovel {

/// Session options from the global options and a command's --answer/--set. Throws
/// CLI::ValidationError (a usage error) for a --set that is not FIELD=VALUE or names no
/// known dialog field.
SessionOptions sessionOptions(const CliContext& context, const InteractionOptions& interaction);

} // namespace cartovel
