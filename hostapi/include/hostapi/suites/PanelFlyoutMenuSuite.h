#pragma once

#include "hostapi/suites/PanelSuite.h"

/** The menus behind a panel's flyout button. The module that creates one disposes of it
 *  once no panel uses it. */
typedef struct HostPanelFlyoutMenuSuite {
    HostErr (*Create)(HostPanelFlyoutMenuRef* menu);
    HostErr (*Destroy)(HostPanelFlyoutMenuRef menu);
} HostPanelFlyoutMenuSuite;
