#include "Cli.h"

#include "Session.h"
#include "commands/CommandHelp.h"
#include "commands/Inx.h"

#include "host/loader/ModuleLocation.h"

#include <ostream>

#ifndef CARTOVEL_VERSION
#error "CARTOVEL_VERSION must be defined by the build"
#endif

namespace cartovel {
namespace {

constexpr const char* kExitStatusHelp =
    "Exit status:\n"
    "  0   the command did its work\n"
    "  1   an error: a host failure, an input that cannot be read, a save that failed, a\n"
    "      question with no answer, or an alert that ended the command after it was given\n"
    "      what it asked for (\"ファイルを開けません\", a layer list that does not fit)\n"
    "  2   the user cancelled (a Cancel answer, a cancelled dialog, Ctrl-C)\n"
    "  3   the command refused and changed nothing: an alert before it asked anything (a\n"
    "      hidden or locked current layer, nothing suitable selected) or a disabled menu item\n"
    "  64  a usage error: an unknown subcommand, command, field or question; a value a\n"
    "      field or its dialog does not take; an output that cannot work (a missing or\n"
    "      read-only folder, not a plain file, the input itself without --in-place); a\n"
    "      --layer, --select or panel layer that finds nothing usable\n"
    "A run that ends with anything but 0 writes no output file and leaves an existing one\n"
    "as it was.";

} // namespace

void addInteractionOptions(CLI::App& command, InteractionOptions& options) {
    command
        .add_option("--answer", options.answers,
                    "Answer to a question: NAME=ANSWER answers the question of that name "
                    "whenever it is asked; a plain ANSWER (ok, cancel, yes or no) the next "
                    "question not answered by name (repeatable)")
        ->allow_extra_args(false);
    command
        .add_option("--set", options.fields,
                    "A dialog field as FIELD=VALUE, typed into the dialog (repeatable)")
        ->allow_extra_args(false);
    command.add_flag("--skip-disabled", options.skipDisabled,
                     "Leave a --set field alone where the dialog has disabled it (for callers "
                     "that pass every field, such as the Inkscape extensions)");
}

int runCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool terminal) {
    CliContext context{in, out, err, terminal, {}, host::kDefaultPrecision, {}, {}};
    CLI::App cli("Map-making tools for vector drawings, run on SVG documents.", "cartovel");
    cli.set_version_flag("--version", "cartovel " CARTOVEL_VERSION);
    cli.require_subcommand(1);
    cli.add_option("--plugin", context.pluginOption,
                   "The module file (default: " + host::moduleSearchHelp() + ")");
    cli.add_option("--precision", context.precision,
                   "Path operations treat points and edges closer than this many points as "
                   "one, so that neighbours drawn a hairline apart touch (default 0.03; 0: "
                   "exact)")
        ->check(CLI::Range(0.0, 10.0));
    addRunCommand(cli, context);
    addInfoCommand(cli, context);
    addMenusCommand(cli, context);
    addAboutCommand(cli, context);
    addHelpCommand(cli, context);
    addInxCommand(cli, context);
    cli.footer(kExitStatusHelp);

    if (argc >= 2 && !std::string_view(argv[1]).starts_with('-')) {
        std::string names;
        bool known = false;
        for (const CLI::App* sub : cli.get_subcommands([](CLI::App*) { return true; })) {
            names += (names.empty() ? "" : ", ") + sub->get_name();
            known = known || sub->get_name() == argv[1];
        }
        if (!known) {
            err << "cartovel: unknown subcommand \"" << argv[1] << "\" (subcommands: " << names
                << ")\nRun 'cartovel --help' for usage.\n";
            return kExitUsage;
        }
    }
    try {
        if (const int status = runHelpRequest(argc, argv, context); status >= 0) return status;
    } catch (const UsageError& e) {
        err << "cartovel: " << e.what() << '\n';
        return kExitUsage;
    }
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help (of the program or of a subcommand) and --version end with status 0.
        if (e.get_exit_code() == 0) return cli.exit(e, out, err);
        err << "cartovel: " << e.what() << "\nRun 'cartovel --help' for usage.\n";
        return kExitUsage;
    }
    if (!context.action) return kExitUsage;
    try {
        return context.action();
    } catch (const CLI::ParseError& e) {
        err << "cartovel: " << e.what() << '\n';
        return kExitUsage;
    } catch (const UsageError& e) {
        err << "cartovel: " << e.what() << '\n';
        return kExitUsage;
    }
}

} // namespace cartovel
