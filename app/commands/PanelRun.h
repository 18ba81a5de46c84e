// `cartovel run move-to-layer` and `cartovel run text-origin`: the panels have no menu
// command, so the run acts on the panel window as a person would.
#pragma once

#include "Session.h"

#include "host/document/Document.h"

#include <string>
#include <string_view>
#include <vector>

namespace cartovel {

/// The --set fields the panel commands take: layer=PARENT/CHILD or layer-id=ID,
/// group=on|off, origin=left|centre|right|top|middle|bottom.
bool isPanelField(std::string_view name);

/// Acts on the panel of command (its title is panelTitle) with the --set fields, after the
/// document is open; returns the exit status, the document is saved by the caller when it
/// is 0: the click changed the document. Without fields and with a person at the terminal,
/// the panel takes typed commands, each reporting what it did, and the status is 0 when any
/// of them changed the document.
int runPanelCommand(Session& session, std::string_view command, std::string_view panelTitle,
                    const std::vector<std::string>& fields, bool terminal, std::istream& in,
                    std::ostream& err);

} // namespace cartovel
