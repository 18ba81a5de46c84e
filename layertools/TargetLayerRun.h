// The run the layer name tools share: the settings, the dialog that edits them, the
// settings stored once confirmed, then the work on each target layer.
#pragma once

#include "common/LayerTargets.h"
#include "frame/CommandOps.h"

/** Command has ReadSettings, WriteSettings, kDialogId, DialogProc (whose parameter is the
 *  command), pluginRef, kind and visibleOnly. The dialog's end code when it is not 0
 *  (nothing stored, no layer visited), else the first failure of visit. */
template <class Command> HostErr RunOnTargetLayers(Command& command, const LayerVisit& visit) {
    command.ReadSettings();
    if (const HostErr err =
            frame::RunModalDialog(command.pluginRef, Command::kDialogId, Command::DialogProc,
                                  reinterpret_cast<WsLParam>(&command)))
        return err;
    command.WriteSettings();
    return ForEachTargetLayer(command.kind, command.visibleOnly, visit);
}
