// One runner per menu command. A command class plugs in by replacing its runner's body,
// for example:
//   HostErr RunMapScaling(HostPluginRef pluginRef) {
//       CMapScaling command;
//       return command.Run(pluginRef);
//   }
#include "frame/CommandOps.h"
#include "layertools/LayerListFile.h"
#include "layertools/NumberLayers.h"
#include "layertools/ReplaceLayerTitle.h"
#include "maptools/FastMove.h"
#include "maptools/MapScaling.h"
#include "maptools/PolygonColoring.h"
#include "maptools/ScaleBar.h"
#include "plugin/MenuCommands.h"
#include "transform/ResetTransform.h"

namespace plugin {

namespace {

HostErr RunFastMove(HostPluginRef) {
    CFastMove command;
    return command.Run();
}
HostErr RunMapScaling(HostPluginRef pluginRef) {
    CMapScaling command;
    return command.Run(pluginRef);
}
HostErr RunScaleBar(HostPluginRef pluginRef) {
    CScaleBar command(pluginRef);
    return command.Run();
}
HostErr RunPolygonColouring(HostPluginRef pluginRef) {
    CPolygonColoring command(pluginRef);
    return command.Run();
}
HostErr RunLayerNumbering(HostPluginRef pluginRef) {
    CNumberLayers command(pluginRef);
    return command.Run();
}
HostErr RunLayerReplace(HostPluginRef pluginRef) {
    CReplaceLayerTitle command(pluginRef);
    return command.Run();
}
HostErr RunSaveLayerList(HostPluginRef pluginRef) {
    CLayerListFile command(pluginRef);
    return command.Save();
}
HostErr RunLoadLayerList(HostPluginRef pluginRef) {
    CLayerListFile command(pluginRef);
    return command.SetFromFile();
}
HostErr RunResetImageSize(HostPluginRef) {
    return CResetTransform::ResetPlacedImageSize();
}
HostErr RunStraightenText(HostPluginRef) {
    return CResetTransform::StraightenText();
}
HostErr RunRemoveTextShear(HostPluginRef) {
    return CResetTransform::RemoveTextShear();
}

} // namespace

const CommandRunners& DefaultCommandRunners() noexcept {
    // Indexed by MenuCommand.
    static constexpr CommandRunners kRunners = {
        RunFastMove,       RunMapScaling,     RunScaleBar,        RunPolygonColouring,
        RunLayerNumbering, RunLayerReplace,   RunSaveLayerList,   RunLoadLayerList,
        RunResetImageSize, RunStraightenText, RunRemoveTextShear,
    };
    return kRunners;
}

HostErr CommandNotAvailable() {
    frame::MessageAlert("この機能はまだ使用できません");
    return kHostErrNotImplemented;
}

} // namespace plugin
