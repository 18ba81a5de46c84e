#pragma once

#include "hostapi/HostTypes.h"

#define kHostAppStartedNotifier "AI Application Started Notifier"
#define kHostAppShutdownNotifier "AI Application Shutdown Notifier"
#define kHostArtSelectionChangedNotifier "AI Art Selection Changed Notifier"
#define kHostDocumentChangedNotifier "AI Document Changed Notifier"
#define kHostUIBrightnessChangedNotifier "AI UI Brightness Changed Notifier"

typedef struct HostNotifierSuite {
    /** Registers the module for notifications of type; name is the module's own label.
     *  The host owns the handle until shut-down. */
    HostErr (*AddNotifier)(HostPluginRef plugin, const char* name, const char* type,
                           HostNotifierHandle* notifier);
} HostNotifierSuite;
