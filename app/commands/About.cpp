// cartovel about: chooses the module's About item; its dialog is shown and confirmed, or put
// to the person at the terminal.
#include "commands/Common.h"

namespace cartovel {

void addAboutCommand(CLI::App& cli, CliContext& context) {
    CLI::App* command = cli.add_subcommand("about", "Show the module's about box");
    auto interaction = std::make_shared<InteractionOptions>();
    addInteractionOptions(*command, *interaction);
    command->callback([&context, interaction] {
        context.action = [&context, interaction] {
            context.commandName = "about";
            SessionOptions options = sessionOptions(context, *interaction);
            options.echoDialogs = true;
            Session session(std::move(options));
            if (const HostErr result = session.start()) return session.finish(result);
            host::MenuItem* item = session.aboutItem();
            if (item == nullptr) {
                session.fail(kHostErrNotFound, "the module put no item into the About menu");
                return session.finish(kHostErrNotFound);
            }
            return session.finish(session.app().chooseMenuItem(item->handle()));
        };
    });
}

} // namespace cartovel
