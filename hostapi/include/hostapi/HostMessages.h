/* The basic suite, the message records and the module's entry. */
#ifndef CARTOVEL_HOSTAPI_HOST_MESSAGES_H
#define CARTOVEL_HOSTAPI_HOST_MESSAGES_H

#include "hostapi/HostTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Handed to the module in every message. Acquired tables are owned by the host and stay
 *  valid until released with the same name and version. */
typedef struct HostBasicSuite {
    /** kHostErrSuiteNotFound for an unknown name or version; *suite is then null. */
    HostErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
    HostErr (*ReleaseSuite)(const char* name, int32_t version);
    HostBool (*IsEqual)(const char* token1, const char* token2);
    /** Blocks are freed by the host only, with FreeBlock. */
    HostErr (*AllocateBlock)(size_t size, void** block);
    HostErr (*FreeBlock)(void* block);
    HostErr (*ReallocateBlock)(void* block, size_t newSize, void** newBlock);
    HostErr (*Undefined)(void);
} HostBasicSuite;

/** Common header of every message record. */
typedef struct HostMessageData {
    /** Always kHostMessageCheck: lets the module reject a record that is not one. */
    int32_t check;
    /** The host's handle of this module. */
    HostPluginRef self;
    /** Kept by the host between calls; the module stores its plug-in object here. */
    void* globals;
    const HostBasicSuite* basic;
} HostMessageData;

enum { kHostMessageCheck = HOST_FOURCC('S', 'P', 'C', 'K') };

/** "AI Notifier" / "AI Notify". */
typedef struct HostNotifierMessage {
    HostMessageData d;
    HostNotifierHandle notifier;
    const char* type;
    void* notifyData;
} HostNotifierMessage;

/** "AI Menu" / "AI Go" and "AI Update". */
typedef struct HostMenuMessage {
    HostMessageData d;
    HostMenuItemHandle menuItem;
} HostMenuMessage;

/** The module's only export. The message is a HostMessageData or one of the records
 *  that begin with it, chosen by caller and selector. */
typedef HostErr (*HostPluginMainProc)(const char* caller, const char* selector, void* message);

#define kHostPluginEntryName "PluginMain"

/* Callers and selectors. */
#define kCallerInterface "SP Interface"
#define kSelectorStartup "Startup"
#define kSelectorShutdown "Shutdown"
#define kSelectorAbout "About"
#define kCallerAccess "SP Access"
#define kSelectorUnload "Unload"
#define kSelectorReload "Reload"
#define kCallerCache "SP Cache"
#define kSelectorPurge "Plug-in Purge"
#define kCallerProperties "SP Properties"
#define kSelectorAcquireProperty "Acquire"
#define kSelectorReleaseProperty "Release"
#define kCallerNotifier "AI Notifier"
#define kSelectorNotify "AI Notify"
#define kCallerMenu "AI Menu"
#define kSelectorGo "AI Go"
#define kSelectorUpdate "AI Update"

#ifdef __cplusplus
}
#endif

#endif
