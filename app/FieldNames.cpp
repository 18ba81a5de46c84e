#include "FieldNames.h"

#include <charconv>

namespace cartovel {

const DialogFieldTable* dialogFields(std::int32_t templateId) {
    for (const DialogFieldTable& table : allDialogFields())
        if (table.templateId == templateId) return &table;
    return nullptr;
}

const DialogField* findField(std::span<const std::int32_t> dialogs, std::string_view name) {
    for (const std::int32_t id : dialogs)
        if (const DialogFieldTable* table = dialogFields(id))
            for (const DialogField& field : table->fields)
                if (field.name == name) return &field;
    return nullptr;
}

std::optional<bool> parseSwitch(std::string_view value) {
    for (std::string_view on : {"on", "yes", "true", "1"})
        if (value == on) return true;
    for (std::string_view off : {"off", "no", "false", "0"})
        if (value == off) return false;
    return std::nullopt;
}

std::optional<std::int32_t> choiceControl(std::string_view choices, std::string_view value) {
    while (!choices.empty()) {
        const auto comma = choices.find(',');
        const std::string_view pair = choices.substr(0, comma);
        const auto colon = pair.find(':');
        if (colon != std::string_view::npos && pair.substr(0, colon) == value) {
            std::int32_t id = 0;
            const std::string_view digits = pair.substr(colon + 1);
            std::from_chars(digits.data(), digits.data() + digits.size(), id);
            return id;
        }
        if (comma == std::string_view::npos) break;
        choices.remove_prefix(comma + 1);
    }
    return std::nullopt;
}

namespace {

std::string choiceNames(std::string_view choices) {
    std::string names;
    while (!choices.empty()) {
        const auto comma = choices.find(',');
        const std::string_view pair = choices.substr(0, comma);
        names += (names.empty() ? "" : "|") + std::string(pair.substr(0, pair.find(':')));
        choices = comma == std::string_view::npos ? std::string_view{} : choices.substr(comma + 1);
    }
    return names;
}

} // namespace

std::string fieldValues(const DialogField& field) {
    switch (field.kind) {
    case DialogField::Kind::Text:
        return "TEXT";
    case DialogField::Kind::Path:
        return "PATH";
    case DialogField::Kind::Check:
        return "on|off";
    case DialogField::Kind::Choice:
        return choiceNames(field.choices);
    case DialogField::Kind::Pick: {
        const std::string aliases = choiceNames(field.choices);
        return "ENTRY|INDEX" + (aliases.empty() ? "" : "|" + aliases);
    }
    }
    return {};
}

std::optional<std::string> checkFieldValue(const DialogField& field, std::string_view value) {
    const std::string where = "the field \"" + std::string(field.name) + "\"";
    if (field.kind == DialogField::Kind::Check && !parseSwitch(value))
        return where + " takes on or off, not \"" + std::string(value) + "\"";
    if (field.kind == DialogField::Kind::Choice && !choiceControl(field.choices, value))
        return where + " takes one of " + fieldValues(field) + ", not \"" + std::string(value) +
               "\"";
    if (field.kind == DialogField::Kind::Path && value.empty()) return where + " needs a file name";
    return std::nullopt;
}

} // namespace cartovel
