// The panels the plug-in object creates at start-up.
#include "frame/PluginPanel.h"
#include "panels/MoveLayerPanel.h"
#include "panels/TextAlignPanel.h"

namespace frame {

std::unique_ptr<PluginPanel> MakeTextOriginPanel(HostPluginRef pluginRef) {
    return std::make_unique<PanelAdapter<CTextAlignPanel>>(pluginRef);
}

std::unique_ptr<PluginPanel> MakeMoveLayerPanel(HostPluginRef pluginRef) {
    return std::make_unique<PanelAdapter<CMoveLayerPanel>>(pluginRef);
}

} // namespace frame
