// Undoes what repeated transformations leave on map objects: images go back to 100 %
// without rotation, rotated text back to horizontal (or vertical), and sheared or
// squeezed text back to an unscaled frame with the squeeze moved into its type size.
// Each operation works on the current selection and needs no instance.
#pragma once

#include "hostapi/HostTypes.h"

class CResetTransform {
public:
    virtual ~CResetTransform() = default;

    /** Placed and raster images of the selection back to 100 %, unrotated and unsheared.
     *  0 or the first host error. */
    static HostErr ResetPlacedImageSize();
    /** Point and area text of the selection loses its rotation and the rotation of its
     *  characters; text on a path is left alone. 0 or the first host error. */
    static HostErr StraightenText();
    /** Text of the selection loses the scale and shear of its frame; the scale across the
     *  lines goes into the type size, and point text keeps its rotation. 0 or the first
     *  host error. */
    static HostErr RemoveTextShear();

private:
    CResetTransform() = default;
};
