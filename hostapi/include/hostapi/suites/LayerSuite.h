#pragma once

#include "hostapi/HostTypes.h"

/** Layers of the current document, front to back: layer 0 is the topmost. Walks give
 *  null at the end. With no document open every operation gives kHostErrNoDocument. */
typedef struct HostLayerSuite {
    /** Top-level layers only. */
    HostErr (*CountLayers)(int32_t* count);
    HostErr (*GetNthLayer)(int32_t index, HostLayerHandle* layer);
    HostErr (*GetCurrentLayer)(HostLayerHandle* layer);
    HostErr (*SetCurrentLayer)(HostLayerHandle layer);
    HostErr (*GetFirstLayer)(HostLayerHandle* first);
    /** The next layer on the same level under the same parent. */
    HostErr (*GetNextLayer)(HostLayerHandle layer, HostLayerHandle* next);
    HostErr (*GetFirstChild)(HostLayerHandle layer, HostLayerHandle* child);
    HostErr (*GetLayerParent)(HostLayerHandle layer, HostLayerHandle* parent);
    /** Pre-order: a layer, its sublayers, then its next sibling. */
    HostErr (*GetNextPreorderLayer)(HostLayerHandle layer, HostLayerHandle* next);
    /** The next layer in pre-order that is not inside layer. */
    HostErr (*GetNextNonChildPreorderLayer)(HostLayerHandle layer, HostLayerHandle* next);
    /** Inserts a new layer at paintOrder relative to reference (kHostPlaceAboveAll with a
     *  null reference: a new topmost layer). The host names it. */
    HostErr (*InsertLayer)(HostLayerHandle reference, int16_t paintOrder,
                           HostLayerHandle* newLayer);
    /** Deletes the layer with its sublayers and art. */
    HostErr (*DeleteLayer)(HostLayerHandle layer);
    /** Fills title (a string the caller owns) with the layer's title. */
    HostErr (*GetLayerTitle)(HostLayerHandle layer, HostUString title);
    HostErr (*SetLayerTitle)(HostLayerHandle layer, HostUString title);
    HostErr (*GetLayerVisible)(HostLayerHandle layer, HostBool* visible);
    HostErr (*SetLayerVisible)(HostLayerHandle layer, HostBool visible);
    HostErr (*GetLayerEditable)(HostLayerHandle layer, HostBool* editable);
    HostErr (*SetLayerEditable)(HostLayerHandle layer, HostBool editable);
    HostErr (*LayerHasSelectedArt)(HostLayerHandle layer, HostBool* hasSelected);
    HostErr (*DeselectArtOnLayer)(HostLayerHandle layer);
} HostLayerSuite;
