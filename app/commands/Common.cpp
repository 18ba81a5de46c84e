#include "commands/Common.h"

#include "DialogFields.h"
#include "commands/PanelRun.h"

namespace cartovel {
namespace {

bool knownField(std::string_view name) {
    if (isPanelField(name)) return true;
    for (const DialogFieldTable& table : allDialogFields())
        for (const DialogField& field : table.fields)
            if (field.name == name) return true;
    return false;
}

std::string knownFieldList() {
    std::string list;
    for (const DialogFieldTable& table : allDialogFields())
        for (const DialogField& field : table.fields)
            list += (list.empty() ? "" : ", ") + std::string(field.name);
    return list.empty() ? "none" : list;
}

} // namespace

SessionOptions sessionOptions(const CliContext& context, const InteractionOptions& interaction) {
    SessionOptions options;
    options.pluginPath = locateModule(context.pluginOption);
    for (const std::string& text : interaction.answers)
        if (auto answer = host::parseAnswer(text)) options.answers.push_back(*answer);
    for (const std::string& setting : interaction.fields) {
        const auto equals = setting.find('=');
        if (equals == std::string::npos || equals == 0)
            throw CLI::ValidationError("--set", "\"" + setting + "\" is not FIELD=VALUE");
        std::string name = setting.substr(0, equals);
        if (!knownField(name))
            throw CLI::ValidationError("--set", "no dialog has a field \"" + name +
                                                    "\" (fields: " + knownFieldList() + ")");
        options.fields.push_back({std::move(name), setting.substr(equals + 1)});
    }
    options.interactive = context.terminal;
    options.in = &context.in;
    options.out = &context.out;
    options.err = &context.err;
    return options;
}

} // namespace cartovel
