// cartovel menus: the host's menu tree after the module's start-up, with the enabling and
// check marks of a host without a document.
#include "commands/Common.h"

#include "host/core/Menus.h"

#include <ostream>

namespace cartovel {

void addMenusCommand(CLI::App& cli, CliContext& context) {
    CLI::App* command = cli.add_subcommand("menus", "Print the menu tree the module builds");
    command->callback([&context] {
        context.action = [&context] {
            SessionOptions options = sessionOptions(context, {});
            options.interactive = false;
            Session session(std::move(options));
            if (const HostErr result = session.start()) return session.finish(result);
            session.app().updateMenus();
            context.out << host::formatMenuTree(session.app().menus());
            return session.finish(kHostNoErr);
        };
    });
}

} // namespace cartovel
