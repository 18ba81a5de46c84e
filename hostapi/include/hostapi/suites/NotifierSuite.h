#ifndef CARTOVEL_HOSTAPI_SUITES_NOTIFIER_H
#define CARTOVEL_HOSTAPI_SUITES_NOTIFIER_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostNotifierSuite "AI Notifier Suite"
#define kHostNotifierSuiteVersion 4

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

#ifdef __cplusplus
}
#endif

#endif
