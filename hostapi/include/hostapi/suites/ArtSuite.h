#pragma once

#include "hostapi/HostTypes.h"

/* Art types. */
enum {
    kHostUnknownArt = 0,
    kHostGroupArt = 1,
    kHostPathArt = 2,
    kHostCompoundPathArt = 3,
    kHostPlacedArt = 7,
    kHostRasterArt = 9,
    kHostPluginArt = 10,
    kHostMeshArt = 11,
    kHostTextFrameArt = 12,
    kHostSymbolArt = 13,
    kHostForeignArt = 14,
    kHostLegacyTextArt = 15
};

/* User attribute bits. */
enum { kHostArtSelected = 1, kHostArtLocked = 2, kHostArtHidden = 4, kHostArtFullySelected = 8 };

/* Paint orders: where new, duplicated or moved art (or a new layer) goes relative to a
 * reference object. */
enum {
    kHostPlaceAbove = 1,
    kHostPlaceBelow = 2,
    kHostPlaceInsideOnTop = 3,
    kHostPlaceInsideOnBottom = 4,
    kHostPlaceAboveAll = 5,
    kHostPlaceBelowAll = 6
};

/** Art objects. Handles stay valid until the art (or an ancestor) is disposed; a handle
 *  of disposed art gives kHostErrBadHandle. Operations on art of the wrong kind give
 *  kHostErrWrongType. Art on a locked or hidden layer cannot be created or changed
 *  (kHostErrRefused). */
typedef struct HostArtSuite {
    /** Makes empty art of type at paintOrder relative to reference (null reference with
     *  kHostPlaceAboveAll/BelowAll: the current layer). */
    HostErr (*NewArt)(int16_t type, int16_t paintOrder, HostArtHandle reference,
                      HostArtHandle* newArt);
    /** Removes the art and everything inside it. */
    HostErr (*DisposeArt)(HostArtHandle art);
    HostErr (*ReorderArt)(HostArtHandle art, int16_t paintOrder, HostArtHandle reference);
    /** Deep copy, tags included. */
    HostErr (*DuplicateArt)(HostArtHandle art, int16_t paintOrder, HostArtHandle reference,
                            HostArtHandle* newArt);
    /** The layer group: the group art holding everything on the layer. */
    HostErr (*GetFirstArtOfLayer)(HostLayerHandle layer, HostArtHandle* art);
    HostErr (*GetLayerOfArt)(HostArtHandle art, HostLayerHandle* layer);
    HostErr (*GetArtType)(HostArtHandle art, int16_t* type);
    /** *attributes receives the bits of whichAttributes that are set. */
    HostErr (*GetArtUserAttr)(HostArtHandle art, int32_t whichAttributes, int32_t* attributes);
    /** Sets the bits of whichAttributes to those of attributes. */
    HostErr (*SetArtUserAttr)(HostArtHandle art, int32_t whichAttributes, int32_t attributes);
    /* Tree walks: the result is null when there is no such art. */
    HostErr (*GetArtParent)(HostArtHandle art, HostArtHandle* parent);
    HostErr (*GetArtFirstChild)(HostArtHandle art, HostArtHandle* child);
    HostErr (*GetArtSibling)(HostArtHandle art, HostArtHandle* sibling);
    HostErr (*GetArtPriorSibling)(HostArtHandle art, HostArtHandle* sibling);
    /** Geometric bounds (left, top, right, bottom), strokes not included. Art without
     *  geometry (an empty group) gives an invalid rectangle, left and bottom +infinity,
     *  right and top -infinity, which a union with other rectangles leaves no trace of. */
    HostErr (*GetArtBounds)(HostArtHandle art, HostRealRect* bounds);
    HostBool (*ValidArt)(HostArtHandle art);
} HostArtSuite;
