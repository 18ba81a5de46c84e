#ifndef CARTOVEL_HOSTAPI_SUITES_USER_INTERFACE_THEME_H
#define CARTOVEL_HOSTAPI_SUITES_USER_INTERFACE_THEME_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostUserInterfaceThemeSuite "AI User Interface Theme Suite"
#define kHostUserInterfaceThemeSuiteVersion 2

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

#ifdef __cplusplus
}
#endif

#endif
