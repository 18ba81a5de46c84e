#ifndef CARTOVEL_HOSTAPI_SUITES_PANEL_FLYOUT_MENU_H
#define CARTOVEL_HOSTAPI_SUITES_PANEL_FLYOUT_MENU_H

#include "hostapi/suites/PanelSuite.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostPanelFlyoutMenuSuite "AI Panel Flyout Menu Suite"
#define kHostPanelFlyoutMenuSuiteVersion 2

/** The menus behind a panel's flyout button. The module that creates one disposes of it
 *  once no panel uses it. */
typedef struct HostPanelFlyoutMenuSuite {
    HostErr (*Create)(HostPanelFlyoutMenuRef* menu);
    HostErr (*Destroy)(HostPanelFlyoutMenuRef menu);
} HostPanelFlyoutMenuSuite;

#ifdef __cplusplus
}
#endif

#endif
