// The panels the plug-in object creates at start-up. A panel class plugs in here:
//   return std::make_unique<PanelAdapter<CTextAlignPanel>>(pluginRef);
#include "frame/PluginPanel.h"

namespace frame {

std::unique_ptr<PluginPanel> MakeTextOriginPanel(HostPluginRef) {
    return nullptr;
}

std::unique_ptr<PluginPanel> MakeMoveLayerPanel(HostPluginRef) {
    return nullptr;
}

} // namespace frame
