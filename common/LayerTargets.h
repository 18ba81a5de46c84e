// The sets of layers the layer name tools work on, the walk that yields them, and the
// sibling step along one level of the layer tree. All through "AI Layer Suite".
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"

#include <cstdint>
#include <functional>

/** 0 first-level layers, 1 the sublayers directly under the current layer, 2 every layer
 *  in pre-order. Stored as a plain integer in the settings; any other value yields no
 *  layer. */
using LayerTargetKind = int32_t;

enum : LayerTargetKind {
    kTargetTopLevel = 0,
    kTargetCurrentSublayers = 1,
    kTargetAllLayers = 2,
};

/** Adds the three kind texts in value order and selects kind (none for another value). */
void FillTargetKindCombo(WsWindow dialog, int32_t comboId, LayerTargetKind kind);
/** The selected index of the combo box: the kind, -1 when nothing is selected. */
LayerTargetKind ReadTargetKindCombo(WsWindow dialog, int32_t comboId);

using LayerVisit = std::function<HostErr(HostLayerHandle)>;

/** Calls visit on each layer of kind, in order. With visibleOnly a layer whose own
 *  visibility flag is off is passed over, but its sublayers are still examined. The first
 *  non-zero code of a host step or of visit ends the walk and is returned. */
HostErr ForEachTargetLayer(LayerTargetKind kind, bool visibleOnly, const LayerVisit& visit);

/** The next layer on the same level under the same parent; null when there is none or a
 *  host step fails. */
HostLayerHandle NextSiblingLayer(HostLayerHandle layer);
/** The same, telling a host failure apart from the last sibling (next null, 0). */
HostErr NextSiblingLayer(HostLayerHandle layer, HostLayerHandle& next);
