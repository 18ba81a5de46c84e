#pragma once

#include "hostapi/ATETypes.h"
#include "hostapi/HostTypes.h"

/** Text frame art (type 12; legacy text, type 15, answers the same queries). Kinds are
 *  kATEPointTextType, kATEInPathTextType and kATEOnPathTextType, orientations
 *  kATEHorizontalOrientation and kATEVerticalOrientation. Other art gives
 *  kHostErrWrongType. */
typedef struct HostTextFrameSuite {
    /** A new, empty point text with its anchor (the point of the first baseline that the
     *  justification refers to) at anchor, placed at paintOrder relative to reference. */
    HostErr (*NewPointText)(int16_t paintOrder, HostArtHandle reference, int32_t orientation,
                            HostRealPoint anchor, HostArtHandle* newText);
    HostErr (*GetType)(HostArtHandle text, int32_t* kind);
    HostErr (*GetOrientation)(HostArtHandle text, int32_t* orientation);
    HostErr (*SetOrientation)(HostArtHandle text, int32_t orientation);
    /** The anchor: for point text the point it was made at, as later transformed; for
     *  area and path text the origin of the text's own space. */
    HostErr (*GetPointTextAnchor)(HostArtHandle text, HostRealPoint* anchor);
    /** The path that area text fills or path text follows; point text gives
     *  kHostErrWrongType. The path is art of its own, owned by the frame. */
    HostErr (*GetFramePath)(HostArtHandle text, HostArtHandle* path);
    /** The whole text of the frame, overflow included, as a new range reference. */
    HostErr (*GetATETextRange)(HostArtHandle text, ATETextRangeRef* range);
    /** The frame as the text engine sees it, as a new reference. */
    HostErr (*GetATETextFrame)(HostArtHandle text, ATETextFrameRef* frame);
} HostTextFrameSuite;
