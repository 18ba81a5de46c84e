// cartovel info FILE.svg: the document's layer tree and art counts.
#include "commands/Common.h"

namespace cartovel {

int printDocumentInfo(CliContext& context, const std::string& file);

void addInfoCommand(CLI::App& cli, CliContext& context) {
    auto file = std::make_shared<std::string>();
    CLI::App* command = cli.add_subcommand("info", "Print a document's layer tree and art counts");
    command->add_option("FILE", *file, "The document (SVG)")->required()->check(CLI::ExistingFile);
    command->callback([&context, file] {
        context.action = [&context, file] { return printDocumentInfo(context, *file); };
    });
}

// Documents are not wired to the host yet.
int printDocumentInfo(CliContext& context, const std::string& file) {
    context.err << "cartovel: "
                << "NIMP: this build cannot open documents yet (" << file << ")\n";
    return kExitError;
}

} // namespace cartovel
