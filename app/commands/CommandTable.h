// The module's commands as `cartovel run` names them, with the menu item each one chooses,
// the dialogs it shows (for --set and its help) and the questions it may ask (for --answer).
// The table is made from the resource script, where the module's menu commands are listed.
#pragma once

#include "host/core/Responder.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace cartovel {

struct CommandQuestion {
    std::string_view name; // for --answer NAME=ANSWER
    host::QuestionKind kind;
    std::string_view text; // as the module asks it; NAME stands for a name it fills in
    std::string_view note; // when it is asked and what its answers do
    /// The answer a caller that cannot ask gives unless told otherwise (ok|cancel|yes|no).
    std::string_view preferred = "ok";
};

/// A field of a panel command: what the run does in the panel's window.
struct PanelField {
    std::string_view name;
    std::string_view values;
    std::string_view note;
    std::string_view label;  // as the panel shows it
    std::string_view labels; // a choice's values as the panel shows them, '|' between
};

struct CommandEntry {
    std::string_view name;     // what the user types after `cartovel run`
    std::string_view menuText; // the module's menu item
    std::string_view summary;  // for --help
    /// Template ids of the dialogs the command shows, in the order it shows them.
    std::span<const std::int32_t> dialogs = {};
    std::span<const CommandQuestion> questions = {};
    /// A panel's command: no menu item runs it, the run works the panel's window.
    bool panel = false;
    std::span<const PanelField> panelFields = {};
};

/// In menu order: the objects sub-menu, then the panels (CliTables.cpp, made by the build).
std::span<const CommandEntry> commandTable();
/// Null for an unknown name.
const CommandEntry* findCommand(std::string_view name);
/// The command's question of that name; null when it has none.
const CommandQuestion* findQuestion(const CommandEntry& entry, std::string_view name);
/// "fast-move, map-scaling, ..." for messages.
std::string commandNames();

} // namespace cartovel
