// The facts a resource script gives the code that uses its resources: the names of the
// resources and of the dialog controls the code refers to, the command line's names of
// the dialog fields, and the module's menu commands. The build makes two files of them,
// so that each fact is written once, in the script:
//   - a C++ header for the module: its resource and control ids as named constants in
//     the namespace each resource names, and its menu items (namespace menu);
//   - the command line's tables: its dialog fields and its commands.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <string>

namespace ws::rc {

/** The dialog template the window system reads: the dialog object without the keys
 *  that only name things for the code. */
nlohmann::json dialogTemplateOf(const nlohmann::json& dialog);

/** The module's header of names. Throws ScriptError for a name given twice, a field that
 *  does not fit its control, or a command that names a missing dialog. */
std::string moduleHeader(const std::string& scriptText);

/** The command line's field and command tables, as C++ that defines allDialogFields() and
 *  commandTable() (app/FieldNames.h, app/commands/CommandTable.h). Throws as above. */
std::string commandLineTables(const std::string& scriptText);

} // namespace ws::rc
