#include "commands/CommandTable.h"

#include <string>

namespace cartovel {

const CommandEntry* findCommand(std::string_view name) {
    for (const CommandEntry& entry : commandTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

const CommandQuestion* findQuestion(const CommandEntry& entry, std::string_view name) {
    for (const CommandQuestion& question : entry.questions)
        if (question.name == name) return &question;
    return nullptr;
}

std::string commandNames() {
    std::string names;
    for (const CommandEntry& entry : commandTable())
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return names;
}

} // namespace cartovel
