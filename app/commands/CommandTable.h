// The module's commands as `cartovel run` names them, with the menu item each one chooses,
// the dialogs it shows (for --set and its help) and the questions it may ask (for --answer).
#pragma once

#include "host/core/Responder.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace cartovel {

struct CommandQuestion {
    host::QuestionKind kind;
    std::string_view text; // as the module asks it; NAME stands for a name it fills in
};

struct CommandEntry {
    std::string_view name;     // what the user types after `cartovel run`
    std::string_view menuText; // the module's menu item
    std::string_view summary;  // for --help
    /// Template ids of the dialogs the command shows, in the order it shows them.
    std::span<const std::int32_t> dialogs = {};
    std::span<const CommandQuestion> questions = {};
};

std::span<const CommandEntry> commandTable();
/// Null for an unknown name.
const CommandEntry* findCommand(std::string_view name);
/// "polygon-colouring, map-scaling, ..." for messages.
std::string commandNames();

} // namespace cartovel
