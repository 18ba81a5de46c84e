// What the dialog code needs from the user agents.
#pragma once

#include "platform/ws.h"

#include <cstdint>
#include <string>

namespace ws {

/** Gives the open dialog to the current user agent. */
void runUserAgent(WsWindow dialog);
/** Tells the current user agent (or standard error, without one) of a fault. */
void reportToUser(const std::string& message);

bool dialogIsOpen(WsWindow dialog);
std::int32_t dialogTemplateId(WsWindow dialog);

} // namespace ws
