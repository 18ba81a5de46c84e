#pragma once

#include "hostapi/HostTypes.h"

/** A theme colour: a leading component the host fills with 1.0, then red, green and blue
 *  from 0.0 to 1.0. */
typedef struct HostThemeColor {
    HostReal alpha;
    HostReal red;
    HostReal green;
    HostReal blue;
} HostThemeColor;

/* Colour kinds of the panels' part of the interface (part 1). */
enum { kHostThemePanelPart = 1 };
enum { kHostThemeBackground = 0, kHostThemeText = 1 };

/** The colours of the host's interface, which follow its brightness setting. */
typedef struct HostUserInterfaceThemeSuite {
    /** kHostErrBadParameter for a part or kind the host does not know. */
    HostErr (*GetUIComponentColor)(int32_t part, int32_t kind, HostThemeColor* color);
    /** Whether the interface is dark. */
    HostErr (*IsDarkUI)(HostBool* dark);
} HostUserInterfaceThemeSuite;
