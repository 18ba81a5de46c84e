#include "commands/Run.h"

#include "commands/CommandTable.h"
#include "commands/Common.h"

namespace cartovel {

void addRunCommand(CLI::App& cli, CliContext& context) {
    auto options = std::make_shared<RunOptions>();
    std::string commands;
    for (const CommandEntry& entry : commandTable())
        commands += "\n  " + std::string(entry.name) + ": " + std::string(entry.summary);
    CLI::App* command =
        cli.add_subcommand("run", "Run a command on a document and save the result");
    command->footer("Commands:" + commands);
    std::vector<std::string> names;
    for (const CommandEntry& entry : commandTable())
        names.emplace_back(entry.name);
    command->add_option("COMMAND", options->command, "The command to run")
        ->required()
        ->check(CLI::IsMember(names));
    command->add_option("INPUT", options->input, "The document (SVG)")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("-o,--output", options->output, "Where to save the result (SVG)")
        ->required();
    command->add_option("--layer", options->layer, "The current layer, by name");
    command->add_option("--select", options->select, "The selection, by SVG id")->delimiter(',');
    command->add_option("--prefs", options->prefs,
                        "The preference store (default: in the user's configuration folder)");
    addInteractionOptions(*command, options->interaction);
    command->callback([&context, options] {
        context.action = [&context, options] { return runDocumentCommand(context, *options); };
    });
}

// Documents are not wired to the host yet: the options are checked and the module is
// started, so that a broken installation shows here already.
int runDocumentCommand(CliContext& context, const RunOptions& options) {
    Session session(sessionOptions(context, options.interaction));
    if (const HostErr result = session.start()) return session.finish(result);
    session.fail(kHostErrNotImplemented, "this build cannot open documents yet");
    return session.finish(kHostErrNotImplemented);
}

} // namespace cartovel
