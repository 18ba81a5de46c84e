#include "commands/Common.h"

#include "DialogFields.h"

#include "host/loader/ModuleLocation.h"

namespace cartovel {
namespace {

std::string fieldList(std::span<const std::int32_t> dialogs) {
    std::string list;
    for (const std::int32_t id : dialogs)
        if (const DialogFieldTable* table = dialogFields(id))
            for (const DialogField& field : table->fields)
                list += (list.empty() ? "" : ", ") + std::string(field.name);
    return list;
}

} // namespace

SessionOptions sessionOptions(const CliContext& context, const InteractionOptions& interaction,
                              std::span<const std::int32_t> dialogs) {
    SessionOptions options;
    options.pluginPath = host::locateModule(context.pluginOption);
    for (const std::string& text : interaction.answers)
        if (auto answer = host::parseAnswer(text)) options.answers.push_back(*answer);
    for (const std::string& setting : interaction.fields) {
        const auto equals = setting.find('=');
        if (equals == std::string::npos || equals == 0)
            throw UsageError("--set \"" + setting + "\" is not FIELD=VALUE");
        std::string name = setting.substr(0, equals);
        std::string value = setting.substr(equals + 1);
        const DialogField* field = findField(dialogs, name);
        if (field == nullptr) {
            const std::string fields = fieldList(dialogs);
            throw UsageError(
                "--set: no dialog of " + context.commandName + " has a field \"" + name + "\"" +
                (fields.empty() ? " (it has no dialog fields)" : " (its fields: " + fields + ")"));
        }
        if (const auto problem = checkFieldValue(*field, value))
            throw UsageError("--set: " + *problem);
        options.fields.push_back({std::move(name), std::move(value)});
    }
    options.interactive = context.terminal;
    options.in = &context.in;
    options.out = &context.out;
    options.err = &context.err;
    return options;
}

} // namespace cartovel
