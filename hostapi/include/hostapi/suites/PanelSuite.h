#pragma once

#include "hostapi/HostTypes.h"

typedef struct HostPanelFlyoutMenuOpaque* HostPanelFlyoutMenuRef;

typedef struct HostPanelSize {
    HostReal width;
    HostReal height;
} HostPanelSize;

/** A panel icon: a 'PNGI' resource of a module (the window system's module handle). */
typedef struct HostPanelIconList {
    void* module;
    int32_t resourceId;
} HostPanelIconList;

/** Notification procedures: the host calls them on its main thread, outside any message. */
typedef void (*HostPanelNotifyProc)(HostPanelRef panel);
typedef void (*HostPanelValueNotifyProc)(HostPanelRef panel, int32_t value);
typedef void (*HostPanelShortNotifyProc)(HostPanelRef panel, uint16_t value);

/** Floating panels. The host owns each panel and its native window (a top-level window of
 *  the window system, created hidden); a panel is shown by Show. A destroyed panel's
 *  handle gives kHostErrBadHandle. */
typedef struct HostPanelSuite {
    /** id must be unique among the live panels (kHostErrRefused otherwise); minimumSize
     *  must be positive. flyout may be null. */
    HostErr (*Create)(HostPluginRef plugin, HostUString id, HostUString title, int32_t stateCount,
                      const HostPanelSize* minimumSize, HostBool resizable,
                      HostPanelFlyoutMenuRef flyout, void* userData, HostPanelRef* panel);
    /** Destroys the panel; its native window goes with it unless the module destroyed it. */
    HostErr (*Destroy)(HostPanelRef panel);
    HostErr (*GetPlatformWindow)(HostPanelRef panel, HostPlatformWindow* window);
    HostErr (*Show)(HostPanelRef panel, HostBool show);
    HostErr (*IsShown)(HostPanelRef panel, HostBool* shown);
    HostErr (*GetUserData)(HostPanelRef panel, void** userData);
    HostErr (*SetUserData)(HostPanelRef panel, void* userData);
    /** The panel's size in units: its window has this size times the interface scale (the
     *  product of the two scale factors of "AI User Suite") in pixels. */
    HostErr (*GetSize)(HostPanelRef panel, HostPanelSize* size);
    /** The icon shown on the panel's tab: the same list for the normal and the rollover
     *  state is usual. */
    HostErr (*SetIcons)(HostPanelRef panel, const HostPanelIconList* normal,
                        const HostPanelIconList* rollover);
    /* The six notifications, in the order a panel registers them. */
    /** The user closed the panel. */
    HostErr (*SetClosedNotifyProc)(HostPanelRef panel, HostPanelNotifyProc proc);
    /** The panel was shown (1) or hidden (0). */
    HostErr (*SetVisibilityChangedNotifyProc)(HostPanelRef panel, HostPanelValueNotifyProc proc);
    /** The panel's state changed (the new state's index). */
    HostErr (*SetStateChangedNotifyProc)(HostPanelRef panel, HostPanelValueNotifyProc proc);
    /** The panel's size changed. */
    HostErr (*SetSizeChangedNotifyProc)(HostPanelRef panel, HostPanelNotifyProc proc);
    /** An item of the flyout menu was chosen (its id). */
    HostErr (*SetFlyoutMenuProc)(HostPanelRef panel, HostPanelShortNotifyProc proc);
    /** The flyout menu is about to be shown. */
    HostErr (*SetFlyoutMenuPreVisibilityProc)(HostPanelRef panel, HostPanelNotifyProc proc);
} HostPanelSuite;
