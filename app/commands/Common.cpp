#include "commands/Common.h"

#include "FieldNames.h"

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

std::string questionList(std::span<const CommandQuestion> questions) {
    std::string list;
    for (const CommandQuestion& question : questions)
        list += (list.empty() ? "" : ", ") + std::string(question.name);
    return list;
}

void addAnswer(SessionOptions& options, const std::string& text, const std::string& command,
               std::span<const CommandQuestion> questions) {
    const auto equals = text.find('=');
    const auto answer =
        host::parseAnswer(equals == std::string::npos ? text : text.substr(equals + 1));
    if (!answer) throw UsageError("--answer \"" + text + "\": the answer is ok, cancel, yes or no");
    if (equals == std::string::npos) {
        options.answers.push_back(*answer);
        return;
    }
    const std::string name = text.substr(0, equals);
    const CommandQuestion* question = nullptr;
    for (const CommandQuestion& candidate : questions)
        if (candidate.name == name) question = &candidate;
    if (question == nullptr)
        throw UsageError("--answer: " + command + " asks no question \"" + name + "\"" +
                         (questions.empty() ? " (it asks none)"
                                            : " (its questions: " + questionList(questions) + ")"));
    if (!host::answerFits(question->kind, *answer))
        throw UsageError(
            "--answer: the question \"" + name + "\" is answered " +
            (question->kind == host::QuestionKind::OkCancel ? "ok or cancel" : "yes or no"));
    options.namedAnswers.push_back({std::string(question->text), *answer});
}

} // namespace

SessionOptions sessionOptions(const CliContext& context, const InteractionOptions& interaction,
                              std::span<const std::int32_t> dialogs,
                              std::span<const CommandQuestion> questions) {
    SessionOptions options;
    options.pluginPath = host::locateModule(context.pluginOption);
    options.precision = context.precision;
    for (const std::string& text : interaction.answers)
        addAnswer(options, text, context.commandName, questions);
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
        options.fields.push_back(
            {std::move(name), std::move(value), false, interaction.skipDisabled});
    }
    options.interactive = context.terminal;
    options.in = &context.in;
    options.out = &context.out;
    options.err = &context.err;
    return options;
}

std::unique_ptr<host::Document> dialogProbeDocument() {
    std::unique_ptr<host::Document> doc = host::Document::createDefault();
    host::Art* square = nullptr;
    if (doc->newArt(host::ArtType::Path, host::PaintOrder::InsideOnTop,
                    doc->currentLayer()->group(), &square) == kHostNoErr) {
        host::PathData& path = *square->path();
        path.segments = {{{0, 0}, {0, 0}, {0, 0}, 1},
                         {{10, 0}, {10, 0}, {10, 0}, 1},
                         {{10, 10}, {10, 10}, {10, 10}, 1}};
        path.closed = true;
    }
    return doc;
}

} // namespace cartovel
