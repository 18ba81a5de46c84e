// Dialog fields by their documented English names, so that `--set FIELD=VALUE` can be typed
// into the module's dialogs. Each dialog that takes --set fields has a table here, keyed by
// its template id.
#pragma once

#include <cstdint>
#include <span>
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
};

struct DialogFieldTable {
    std::int32_t templateId;
    std::string_view dialogName;
    std::span<const DialogField> fields;
};

/// The table of a dialog; null when the dialog takes no fields.
const DialogFieldTable* dialogFields(std::int32_t templateId);
/// Every table, for --help texts and error messages.
std::span<const DialogFieldTable> allDialogFields();

} // namespace cartovel
