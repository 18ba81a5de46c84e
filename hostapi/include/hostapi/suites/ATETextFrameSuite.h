#pragma once

#include "hostapi/ATETypes.h"

/** A text frame as the text engine sees it. */
typedef struct ATETextFrameSuite {
    ATEErr (*AddRef)(ATETextFrameRef frame);
    ATEErr (*Release)(ATETextFrameRef frame);
    /** The frame's text; with includeOverflow the text that does not fit the frame too. */
    ATEErr (*GetTextRange)(ATETextFrameRef frame, ATEBool8 includeOverflow, ATETextRangeRef* range);
    /** kATEPointTextType, kATEInPathTextType or kATEOnPathTextType. */
    ATEErr (*GetType)(ATETextFrameRef frame, int32_t* kind);
    /** The frame's matrix in the text engine's convention, where y grows downwards. */
    ATEErr (*GetMatrix)(ATETextFrameRef frame, HostRealMatrix* matrix);
} ATETextFrameSuite;
