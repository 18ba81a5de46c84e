// The panels the plug-in object creates at start-up.
#pragma once

#include "frame/PluginPanel.h"

namespace plugin {

/** The module's two panels, in the order start-up creates them. */
std::unique_ptr<PluginPanel> MakeTextOriginPanel(HostPluginRef pluginRef);
std::unique_ptr<PluginPanel> MakeMoveLayerPanel(HostPluginRef pluginRef);

} // namespace plugin
