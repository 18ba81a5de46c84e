// One runner per menu command: most make their command object with the plug-in reference
// and call its entry; the two below whose objects start otherwise have their own.
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

/** The usual command: an object made with the plug-in reference for one run of entry. */
template <class Command, HostErr (Command::*entry)()> HostErr Run(HostPluginRef pluginRef) {
    Command command(pluginRef);
    return (command.*entry)();
}

/** A command that keeps nothing between its steps. */
template <HostErr (*entry)()> HostErr Run(HostPluginRef) {
    return entry();
}

HostErr RunFastMove(HostPluginRef) {
    CFastMove command;
    return command.Run();
}
HostErr RunMapScaling(HostPluginRef pluginRef) {
    CMapScaling command;
    return command.Run(pluginRef);
}

} // namespace

const CommandRunners& DefaultCommandRunners() noexcept {
    // Indexed by MenuCommand.
    static constexpr CommandRunners kRunners = {
        RunFastMove,
        RunMapScaling,
        Run<CScaleBar, &CScaleBar::Run>,
        Run<CPolygonColoring, &CPolygonColoring::Run>,
        Run<CNumberLayers, &CNumberLayers::Run>,
        Run<CReplaceLayerTitle, &CReplaceLayerTitle::Run>,
        Run<CLayerListFile, &CLayerListFile::Save>,
        Run<CLayerListFile, &CLayerListFile::SetFromFile>,
        Run<CResetTransform::ResetPlacedImageSize>,
        Run<CResetTransform::StraightenText>,
        Run<CResetTransform::RemoveTextShear>,
    };
    return kRunners;
}

HostErr CommandNotAvailable() {
    frame::MessageAlert("この機能はまだ使用できません");
    return kHostErrNotImplemented;
}

} // namespace plugin
