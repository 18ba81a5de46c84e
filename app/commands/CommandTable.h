// The module's commands as `cartovel run` names them, with the menu item each one chooses.
#pragma once

#include <span>
#include <string_view>

namespace cartovel {

struct CommandEntry {
    std::string_view name;     // what the user types after `cartovel run`
    std::string_view menuText; // the module's menu item
    std::string_view summary;  // for --help
};

std::span<const CommandEntry> commandTable();
/// Null for an unknown name.
const CommandEntry* findCommand(std::string_view name);

} // namespace cartovel
