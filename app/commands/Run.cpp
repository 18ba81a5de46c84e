#include "commands/Run.h"

#include "commands/CommandHelp.h"
#include "commands/CommandTable.h"
#include "commands/Common.h"
#include "commands/PanelRun.h"
#include "commands/Targets.h"

#include "host/docsuites/DocumentSession.h"
#include "host/svg/SvgFile.h"

#include <ostream>

namespace cartovel {

void addRunCommand(CLI::App& cli, CliContext& context) {
    auto options = std::make_shared<RunOptions>();
    CLI::App* command = cli.add_subcommand(
        "run", "Run a command on documents and save the results (COMMAND --help: its fields)");
    command->footer(commandListHelp());
    command->add_option("COMMAND", options->command, "The command to run")->required();
    // Checked after the command name, so that an unknown command is what the user hears of.
    command->add_option("INPUT", options->inputs, "The documents (SVG)")->required();
    command->add_option("-o,--output", options->output,
                        "Where to save the result (SVG; - writes it to standard output)");
    command->add_option("--out-dir", options->outDir,
                        "Save each result into this folder under its input's name (several "
                        "inputs)");
    command->add_option("--layer", options->layer,
                        "The current layer, by name or path (Parent/Child)");
    command->add_option("--select", options->select, "The selection, by SVG id")->delimiter(',');
    command->add_option("--prefs", options->prefs,
                        "The preference store (default: in the user's configuration folder)");
    command->add_flag("--in-place", options->inPlace,
                      "Allow a result to replace its input (alone: save each result over its "
                      "input)");
    command->add_flag("--defaults", options->defaults,
                      "Start from the commands' built-in settings, not the stored ones, and "
                      "store no settings (reproducible scripts)");
    addInteractionOptions(*command, options->interaction);
    // One value each, so that options may stand before or after the inputs.
    for (const char* name : {"--layer", "--select", "--prefs", "-o", "--out-dir"})
        command->get_option(name)->allow_extra_args(false);
    command->callback([&context, options, command] {
        options->outputGiven = command->count("-o") > 0;
        options->outDirGiven = command->count("--out-dir") > 0;
        context.action = [&context, options] { return runDocumentCommand(context, *options); };
    });
}

namespace {

// The panels have no menu command: the run acts on the panel's window instead.
bool isPanelCommand(std::string_view name) {
    return name == "move-to-layer" || name == "text-origin";
}

// Saves the result of a run that did its work. A refusal, a cancel, an error or a Ctrl-C
// leaves no output, not even an unchanged copy; a Ctrl-C while the file is written keeps
// the old file.
int saveAndFinish(CliContext& context, Session& session, const host::Document& doc,
                  const RunJob& job, HostErr result) {
    if (session.verdict(result).status != kExitOk) return session.finish(result);
    std::string message;
    HostErr err = kHostNoErr;
    if (job.toStandardOutput()) {
        std::string text;
        err = host::writeSvgText(doc, text, message);
        if (err == kHostNoErr) {
            context.out << text << std::flush;
            if (!context.out) {
                err = kHostErrFile;
                message = "cannot write the result to standard output";
            }
        }
    } else {
        err = host::saveSvgFile(doc, job.output, message,
                                [] { return !Session::interruptRequested(); });
    }
    if (err == kHostNoErr)
        session.markSaved();
    else if (err != kHostErrCancelled)
        session.fail(err, message);
    return session.finish(result);
}

int runJob(CliContext& context, const RunOptions& options, const CommandEntry& entry,
           SessionOptions sessionOpts, const RunJob& job) {
    Session session(std::move(sessionOpts));
    if (const HostErr result = session.start()) return session.finish(result);

    host::SvgLoadResult loaded = host::loadSvgFile(job.input);
    for (const std::string& warning : loaded.warnings)
        context.err << "cartovel: warning: " << warning << '\n';
    if (!loaded.document) {
        session.fail(loaded.error != kHostNoErr ? loaded.error : kHostErrFile, loaded.message);
        return session.finish(kHostErrFile);
    }
    host::DocumentSession document(session.app(), std::move(loaded.document));
    if (!applyTargets(session, document.document(), options.layer, options.select))
        return session.finish(kHostErrBadParameter);

    if (isPanelCommand(options.command)) {
        const int status =
            runPanelCommand(session, options.command, entry.menuText, options.interaction.fields,
                            context.terminal, context.in, context.err);
        if (status != kExitOk) return status;
        return saveAndFinish(context, session, document.document(), job, kHostNoErr);
    }
    host::MenuItem* item = session.findItem(entry.menuText);
    if (item == nullptr) {
        session.fail(kHostErrNotFound, "the module has no menu item \"" +
                                           std::string(entry.menuText) + "\" for " +
                                           options.command);
        return session.finish(kHostErrNotFound);
    }
    session.app().updateMenus();
    if (!item->enabled()) {
        // The host itself refuses: nothing the command needs is there.
        session.fail(kHostErrRefused,
                     "refused: " + options.command + " is not available for this document (\"" +
                         item->text + "\" is disabled; check --select)",
                     kExitRefused);
        return session.finish(kHostErrRefused);
    }
    const HostErr result = session.app().chooseMenuItem(item->handle());
    return saveAndFinish(context, session, document.document(), job, result);
}

std::string_view statusWord(int status) {
    switch (status) {
    case kExitOk:
        return "done";
    case kExitCancelled:
        return "cancelled";
    case kExitRefused:
        return "refused";
    case kExitUsage:
        return "usage error";
    default:
        return "error";
    }
}

// The status of a batch: the gravest of its files' (64, then 1, 2, 3, 0).
int gravest(int a, int b) {
    constexpr int kOrder[] = {kExitUsage, kExitError, kExitCancelled, kExitRefused};
    for (const int status : kOrder)
        if (a == status || b == status) return status;
    return kExitOk;
}

} // namespace

int runDocumentCommand(CliContext& context, const RunOptions& options) {
    const CommandEntry* entry = findCommand(options.command);
    if (entry == nullptr)
        throw UsageError("unknown command \"" + options.command +
                         "\" (commands: " + commandNames() + ")");
    // Everything that can be checked without the documents is checked before the first is
    // opened, so the preference store is never changed by a run that cannot save.
    context.commandName = options.command;
    // A panel command's own fields go to the panel; any other field is checked against its
    // dialogs (it has none), so it is refused like an unknown field.
    InteractionOptions dialogInteraction = options.interaction;
    if (isPanelCommand(options.command))
        std::erase_if(dialogInteraction.fields, [](const std::string& setting) {
            return isPanelField(setting.substr(0, setting.find('=')));
        });
    SessionOptions sessionOpts =
        sessionOptions(context, dialogInteraction, entry->dialogs, entry->questions);
    sessionOpts.preferencesFile = options.prefs;
    sessionOpts.builtInSettings = options.defaults;
    std::vector<RunJob> jobs;
    std::string problem;
    if (!planJobs(options, jobs, problem)) {
        context.err << "cartovel: FILE: " << problem << '\n';
        return kExitError;
    }

    const bool batch = options.outDirGiven;
    int status = kExitOk;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (batch && jobs.size() > 1) context.err << "cartovel: " << jobs[i].input << ":\n";
        const int fileStatus = runJob(context, options, *entry, sessionOpts, jobs[i]);
        status = gravest(status, fileStatus);
        if (batch) {
            context.out << jobs[i].input << ": " << statusWord(fileStatus);
            if (fileStatus == kExitOk) context.out << " -> " << jobs[i].output.string();
            context.out << '\n';
        }
        if (Session::interruptRequested()) {
            for (std::size_t k = i + 1; batch && k < jobs.size(); ++k)
                context.out << jobs[k].input << ": not run\n";
            return kExitCancelled;
        }
    }
    return status;
}

} // namespace cartovel
