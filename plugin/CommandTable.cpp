// One row per menu command: its item, from the resource script, and its runner. Most
// runners make the command object with the plug-in reference and call its entry.
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

constexpr Commands kCommands = {{
    {&menu::kFastMove, RunFastMove},
    {&menu::kMapScaling, RunMapScaling},
    {&menu::kScaleBar, Run<CScaleBar, &CScaleBar::Run>},
    {&menu::kPolygonColouring, Run<CPolygonColoring, &CPolygonColoring::Run>},
    {&menu::kLayerNumbering, Run<CNumberLayers, &CNumberLayers::Run>},
    {&menu::kLayerReplace, Run<CReplaceLayerTitle, &CReplaceLayerTitle::Run>},
    {&menu::kSaveLayerList, Run<CLayerListFile, &CLayerListFile::Save>},
    {&menu::kLoadLayerList, Run<CLayerListFile, &CLayerListFile::SetFromFile>},
    {&menu::kResetImageSize, Run<CResetTransform::ResetPlacedImageSize>},
    {&menu::kStraightenText, Run<CResetTransform::StraightenText>},
    {&menu::kRemoveTextShear, Run<CResetTransform::RemoveTextShear>},
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
