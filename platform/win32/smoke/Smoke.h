// The smoke test's checks: each returns null when it passed, else what failed.
#pragma once

#include "platform/ws.h"

/** Controls as a panel makes them: a subclassed parent, a tree view with the module's
 *  bitmaps, texts and notifications crossing between the API's form and the system's. */
const char* checkPanelControls(WsModule module);
