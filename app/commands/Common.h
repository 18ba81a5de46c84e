// Pieces shared by the subcommands.
#pragma once

#include "Cli.h"
#include "Session.h"
#include "commands/CommandTable.h"

#include "host/document/Document.h"

#include <cstdint>
#include <memory>
#include <span>

namespace cartovel {

/// Session options from the global options and a command's --answer/--set. Throws
/// UsageError for a --set that is not FIELD=VALUE, names no field of the given dialogs
/// (template ids) or has a value the field cannot take, and for an --answer NAME=ANSWER
/// that names none of the questions or does not fit it; one message for the first bad one.
SessionOptions sessionOptions(const CliContext& context, const InteractionOptions& interaction,
                              std::span<const std::int32_t> dialogs = {},
                              std::span<const CommandQuestion> questions = {});

/// A document with one small drawn square on its layer: enough for every command to open
/// its dialog (a command may refuse an empty document before asking anything).
std::unique_ptr<host::Document> dialogProbeDocument();

} // namespace cartovel
