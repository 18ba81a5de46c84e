// The module's about box (dialog kAboutDialogId).
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <cstdint>

namespace frame {

/** Opened by the web button in the user's browser. */
inline constexpr const char* kMakerWebAddress = "https://www.mirvak.example/cartovel/";

/** "OK" ends the box with 0; the web button opens the maker's site and keeps the box
 *  open; everything else is left to the default dialog handling. */
intptr_t AboutDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam);

/** The dialog's end code, or the modal run's failure. */
HostErr RunAboutBox(HostPluginRef pluginRef);

} // namespace frame
