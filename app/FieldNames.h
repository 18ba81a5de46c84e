// Dialog fields by their documented English names, so that `--set FIELD=VALUE` can be typed
// into the module's dialogs. Each dialog that takes --set fields has a table, keyed by its
// template id; the tables are made from the resource script, which names the fields.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cartovel {

struct DialogField {
    enum class Kind {
        Text,   // typed into an edit field, then the field is left (so it is validated)
        Check,  // a check box: "on"/"off" (also yes/no, true/false, 1/0)
        Choice, // a radio button of a group: the value names the button (see choices)
        Pick,   // a combo or list box entry, by its text, index or alias (see choices)
        Path,   // a file name field: typed as an absolute path, relative to the current folder
    };
    std::string_view name;
    Kind kind;
    std::int32_t controlId;
    /// Choice: "value:controlId" pairs separated by commas, e.g. "scale:1075,ratio:1076".
    /// Pick: "alias:index" pairs that may stand for an entry.
    std::string_view choices = {};
    /// Why the dialog may disable the field, for the error a value for it then gets.
    std::string_view whenDisabled = {};
};

struct DialogFieldTable {
    std::int32_t templateId;
    std::string_view dialogName;
    std::span<const DialogField> fields;
};

/// The table of a dialog; null when the dialog takes no fields.
const DialogFieldTable* dialogFields(std::int32_t templateId);
/// Every table, for --help texts and error messages (CliTables.cpp, made by the build).
std::span<const DialogFieldTable> allDialogFields();

/// The field of that name in one of the dialogs (template ids); null when none has it.
const DialogField* findField(std::span<const std::int32_t> dialogs, std::string_view name);

/// "on"/"off" (also yes/no, true/false, 1/0); nullopt for anything else.
std::optional<bool> parseSwitch(std::string_view value);
/// The control id that the value names in choices ("value:id,..."); nullopt when none.
std::optional<std::int32_t> choiceControl(std::string_view choices, std::string_view value);
/// What the field takes, for help: "TEXT", "PATH", "on|off", "km|m", "ENTRY|INDEX|...".
std::string fieldValues(const DialogField& field);
/// Why the value cannot go into the field, for what can be told before the dialog opens
/// (check boxes and radio groups); nullopt when it may.
std::optional<std::string> checkFieldValue(const DialogField& field, std::string_view value);

} // namespace cartovel
