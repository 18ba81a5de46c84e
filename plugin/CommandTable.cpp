// One row per menu command: its item, from the resource script, and its runner. A command
// class plugs in with a runner that creates its object and runs it.
#include "plugin/CommandTable.h"

#include "frame/CommandOps.h"
#include "hostapi/suites/MenuSuite.h"
#include "layertools/LayerListFile.h"
#include "layertools/NumberLayers.h"
#include "layertools/ReplaceLayerTitle.h"
#include "maptools/FastMove.h"
#include "maptools/MapScaling.h"
#include "maptools/PolygonColoring.h"
#include "maptools/ScaleBar.h"
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

constexpr Commands kCommands = {{
    {&menu::kFastMove, RunFastMove},
    {&menu::kMapScaling, RunMapScaling},
    {&menu::kScaleBar, RunScaleBar},
    {&menu::kPolygonColouring, RunPolygonColouring},
    {&menu::kLayerNumbering, RunLayerNumbering},
    {&menu::kLayerReplace, RunLayerReplace},
    {&menu::kSaveLayerList, RunSaveLayerList},
    {&menu::kLoadLayerList, RunLoadLayerList},
    {&menu::kResetImageSize, RunResetImageSize},
    {&menu::kStraightenText, RunStraightenText},
    {&menu::kRemoveTextShear, RunRemoveTextShear},
}};

constexpr bool InMenuOrder() {
    for (size_t i = 0; i < kCommands.size(); ++i)
        if (kCommands[i].item != menu::kObjects[i]) return false;
    return true;
}
static_assert(InMenuOrder(), "one row per item of the objects sub-menu, in its order");

} // namespace

const Commands& DefaultCommands() noexcept {
    return kCommands;
}

void ReplaceRunner(Commands& commands, const menu::Item& item, CommandRunner run) noexcept {
    for (Command& command : commands)
        if (command.item == &item) command.run = run;
}

AutoEnabling HostEnabling(menu::Enabling enabling) noexcept {
    switch (enabling) {
    case menu::Enabling::Document:
        return {kHostAutoEnable, 0, 0, 0, 0, kHostIfDocumentOpen, 0};
    case menu::Enabling::ImageSelected:
        return {kHostAutoEnable, 0, 0, kHostIfPlacedArt | kHostIfRasterArt, 0, 0, 0};
    case menu::Enabling::TextSelected:
        return {kHostAutoEnable, 0, 0, kHostIfTextArt, 0, 0, 0};
    case menu::Enabling::None:
        break;
    }
    return {};
}

HostErr CommandNotAvailable() {
    frame::MessageAlert("この機能はまだ使用できません");
    return kHostErrNotImplemented;
}

} // namespace plugin
