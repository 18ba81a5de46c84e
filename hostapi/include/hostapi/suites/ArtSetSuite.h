#pragma once

#include "hostapi/HostTypes.h"

/** Ordered lists of art, owned by the caller from NewArtSet to DisposeArtSet. */
typedef struct HostArtSetSuite {
    HostErr (*NewArtSet)(HostArtSetHandle* artSet);
    /** Clears *artSet. */
    HostErr (*DisposeArtSet)(HostArtSetHandle* artSet);
    HostErr (*CountArtSet)(HostArtSetHandle artSet, size_t* count);
    HostErr (*IndexArtSet)(HostArtSetHandle artSet, size_t index, HostArtHandle* art);
    /** Replaces the contents with the selected art of the document, in pre-order over the
     *  layers from layer 0: a selected container comes before its selected contents. */
    HostErr (*SelectedArtSet)(HostArtSetHandle artSet);
    /** Replaces the contents with every art object of the layer in pre-order, its layer
     *  group first. */
    HostErr (*LayerArtSet)(HostLayerHandle layer, HostArtSetHandle artSet);
    HostErr (*AddArtToArtSet)(HostArtSetHandle artSet, HostArtHandle art);
    HostErr (*ClearArtSet)(HostArtSetHandle artSet);
} HostArtSetSuite;
