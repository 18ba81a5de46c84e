#pragma once

#include "hostapi/HostTypes.h"

/* Item options. */
enum { kHostMenuItemWantsUpdate = 1, kHostMenuItemIsSeparator = 4 };
/* Group options. */
enum { kHostMenuGroupSortedAlphabetically = 1 };

/* Automatic enabling: action and criteria. */
enum {
    kHostAutoEnable = 1,
    kHostIfPlacedArt = 0x8,
    kHostIfTextArt = 0x10,
    kHostIfRasterArt = 0x100000,
    kHostIfDocumentOpen = 64
};

/* The host's own groups the module adds to. */
#define kHostToolPalettesMenuGroup "Tool Palettes"
#define kHostObjectUtilitiesMenuGroup "Object Utilities"
#define kHostAboutMenuGroup "About"

typedef struct HostMenuSuite {
    HostErr (*CountMenuGroups)(int32_t* count);
    HostErr (*GetNthMenuGroup)(int32_t n, HostMenuGroup* group);
    /** *name is owned by the host and lives as long as the group. */
    HostErr (*GetMenuGroupName)(HostMenuGroup group, const char** name);
    /** Adds an item at the end of groupName. keyboardName may be null. A separator
     *  (options kHostMenuItemIsSeparator) takes an empty text; item may then be null. */
    HostErr (*AddMenuItem)(HostPluginRef plugin, const char* keyboardName, const char* groupName,
                           HostUString text, int32_t options, HostMenuItemHandle* item);
    /** Makes groupName a new group shown as the sub-menu of parentItem. */
    HostErr (*AddMenuGroupAsSubMenu)(const char* groupName, int32_t options,
                                     HostMenuItemHandle parentItem, HostMenuGroup* group);
    /** The host enables the item from the document's state before showing it. */
    HostErr (*UpdateMenuItemAutomatically)(HostMenuItemHandle item, int32_t action,
                                           int32_t ifArtInDocument, int32_t ifNotArtInDocument,
                                           int32_t ifSelectedArt, int32_t ifNotSelectedArt,
                                           int32_t ifIsTrue, int32_t ifNotTrue);
    HostErr (*CheckItem)(HostMenuItemHandle item, HostBool checked);
    HostErr (*EnableItem)(HostMenuItemHandle item, HostBool enabled);
} HostMenuSuite;
