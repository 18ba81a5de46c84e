// The module's menu commands: each item of the objects sub-menu, as the resource script
// describes it, with the runner that its choice starts.
#pragma once

#include "hostapi/HostTypes.h"
#include "resources/CartovelResources.h"

#include <array>
#include <cstdint>

namespace plugin {

/** Runs one command for the plug-in reference: creates its object, runs it, destroys it.
 *  0 is success, kHostErrCancelled a cancel, anything else the failure. */
using CommandRunner = HostErr (*)(HostPluginRef pluginRef);

struct Command {
    const menu::Item* item;
    /** Null for a command whose feature is missing. */
    CommandRunner run;
};

/** The objects sub-menu, top to bottom. */
using Commands = std::array<Command, menu::kObjects.size()>;

/** Every command with its runner (CommandTable.cpp). */
const Commands& DefaultCommands() noexcept;

/** Replaces the runner of the command whose item that is; tests plug in their own. */
void ReplaceRunner(Commands& commands, const menu::Item& item, CommandRunner run) noexcept;

/** Arguments of the host's automatic enabling, in the order the call takes them. */
struct AutoEnabling {
    int32_t action;
    int32_t ifArtInDocument;
    int32_t ifNotArtInDocument;
    int32_t ifSelectedArt;
    int32_t ifNotSelectedArt;
    int32_t ifIsTrue;
    int32_t ifNotTrue;
};

/** What the host is told for the script's enabling of an item. */
AutoEnabling HostEnabling(menu::Enabling enabling) noexcept;

/** Tells the user that the chosen command is not available and answers
 *  kHostErrNotImplemented, so the host never takes it for a success. */
HostErr CommandNotAvailable();

} // namespace plugin
