#include "Cli.h"

#include "Session.h"

#include <ostream>

#ifndef CARTOVEL_VERSION
#error "CARTOVEL_VERSION must be defined by the build"
#endif

namespace cartovel {

void addInteractionOptions(CLI::App& command, InteractionOptions& options) {
    command
        .add_option("--answer", options.answers,
                    "Answer to the command's next question: ok, cancel, yes or no (repeatable, "
                    "in the order the questions are asked)")
        ->check(CLI::IsMember({"ok", "cancel", "yes", "no"}, CLI::ignore_case));
    command.add_option("--set", options.fields,
                       "A dialog field as FIELD=VALUE, typed into the dialog (repeatable)");
}

int runCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool terminal) {
    CliContext context{in, out, err, terminal, {}, {}};
    CLI::App cli("Map-making tools for vector drawings, run on SVG documents.", "cartovel");
    cli.set_version_flag("--version", "cartovel " CARTOVEL_VERSION);
    cli.require_subcommand(1);
    cli.add_option("--plugin", context.pluginOption,
                   "The module file (default: $CARTOVEL_PLUGIN, else "
                   "<program folder>/../plugins/cartovel.so)");
    addRunCommand(cli, context);
    addInfoCommand(cli, context);
    addMenusCommand(cli, context);
    addAboutCommand(cli, context);

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
    }
}

} // namespace cartovel
