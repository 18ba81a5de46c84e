// The panels the plug-in object creates at start-up.
#include "plugin/PanelFactories.h"
#include "panels/MoveLayerPanel.h"
#include "panels/TextAlignPanel.h"

namespace plugin {

std::unique_ptr<PluginPanel> MakeTextOriginPanel(HostPluginRef pluginRef) {
    return std::make_unique<PanelAdapter<CTextAlignPanel>>(pluginRef);
}

std::unique_ptr<PluginPanel> MakeMoveLayerPanel(HostPluginRef pluginRef) {
    return std::make_unique<PanelAdapter<CMoveLayerPanel>>(pluginRef);
}

} // namespace plugin
