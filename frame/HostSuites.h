// The host suites the module acquires, in the order it acquires them, and the module-wide
// globals that receive their tables.
#pragma once

#include "hostapi/HostMessages.h"
#include "hostapi/suites/ATECharFeaturesSuite.h"
#include "hostapi/suites/ATEPaintSuite.h"
#include "hostapi/suites/ATEParaFeaturesSuite.h"
#include "hostapi/suites/ATETextFrameSuite.h"
#include "hostapi/suites/ATETextRangeSuite.h"
#include "hostapi/suites/ATETextRunsIteratorSuite.h"
#include "hostapi/suites/AccessSuite.h"
#include "hostapi/suites/ArtSetSuite.h"
#include "hostapi/suites/ArtSuite.h"
#include "hostapi/suites/ContextSuite.h"
#include "hostapi/suites/DocumentSuite.h"
#include "hostapi/suites/DocumentViewSuite.h"
#include "hostapi/suites/FilePathSuite.h"
#include "hostapi/suites/FoldersSuite.h"
#include "hostapi/suites/HardSoftSuite.h"
#include "hostapi/suites/LayerSuite.h"
#include "hostapi/suites/MenuSuite.h"
#include "hostapi/suites/NotifierSuite.h"
#include "hostapi/suites/PanelFlyoutMenuSuite.h"
#include "hostapi/suites/PanelSuite.h"
#include "hostapi/suites/PathStyleSuite.h"
#include "hostapi/suites/PathSuite.h"
#include "hostapi/suites/PathfinderSuite.h"
#include "hostapi/suites/PlacedSuite.h"
#include "hostapi/suites/PluginSuite.h"
#include "hostapi/suites/PluginsSuite.h"
#include "hostapi/suites/PreferenceSuite.h"
#include "hostapi/suites/RasterSuite.h"
#include "hostapi/suites/RealMathSuite.h"
#include "hostapi/suites/TagSuite.h"
#include "hostapi/suites/TextFrameSuite.h"
#include "hostapi/suites/TransformArtSuite.h"
#include "hostapi/suites/UnicodeStringSuite.h"
#include "hostapi/suites/UserInterfaceThemeSuite.h"
#include "hostapi/suites/UserSuite.h"

#include <cstdint>
#include <span>
#include <type_traits>

/** Where an acquired table goes: store writes one of the globals below, load reads it.
 *  A destination without functions is skipped by the acquisition. */
struct SuiteDestination {
    void (*store)(const void* table) = nullptr;
    const void* (*load)() = nullptr;

    explicit operator bool() const noexcept { return store != nullptr && load != nullptr; }
};

template <auto& Global> constexpr SuiteDestination SuiteGlobal() noexcept {
    using Pointer = std::remove_reference_t<decltype(Global)>;
    static_assert(std::is_pointer_v<Pointer>, "a suite destination is a pointer global");
    return {[](const void* table) { Global = static_cast<Pointer>(table); },
            []() -> const void* { return Global; }};
}

struct HostSuiteEntry {
    /** Null for the entry that ends a list. */
    const char* name;
    /** For an end entry: kHostOptionalSuitesMarker when optional entries follow. */
    int32_t version;
    SuiteDestination destination;
};

/** The frame's list (7 suites) then the plug-in's list (133 suites), each ended by an
 *  entry without a name. The plug-in list's end entry has version 0: no optional suites. */
extern const std::span<const HostSuiteEntry> HostSuites;

/* Module-wide globals. Only the host's main thread enters the module, so they are
 * unguarded. */

/** The basic suite of the latest message: every acquire and release goes through it. */
extern const HostBasicSuite* sBasic;
/** How many suite holders share the acquired tables. */
extern uint16_t sSuiteRefCount;

/* The suite tables, null while not held. Suites the module has no struct for yet are
 * `const void*`; giving one its struct means changing its declaration here and its
 * definition in HostSuites.cpp to the struct's pointer type. */

// The frame's list.
extern const HostAccessSuite* sAccess;
extern const HostPluginsSuite* sPlugins;
extern const HostNotifierSuite* sNotifier;
extern const HostContextSuite* sContext;
extern const HostUserSuite* sUser;
extern const HostFilePathSuite* sFilePath;
extern const HostFoldersSuite* sFolders;

// The plug-in's list.
extern const void* sBlocks;
extern const void* sFiles;
extern const HostUnicodeStringSuite* sUnicodeString;
extern const void* sActionManager;
extern const void* sArray;
extern const HostArtSuite* sArt;
extern const void* sArtboard;
extern const HostArtSetSuite* sArtSet;
extern const void* sArtStyle;
extern const HostATEPaintSuite* sATEPaint;
extern const void* sBlendStyle;
extern const void* sDictionary;
extern const void* sDictionaryIterator;
extern const HostDocumentSuite* sDocument;
extern const HostDocumentViewSuite* sDocumentView;
extern const void* sEntry;
extern const void* sGroup;
extern const HostHardSoftSuite* sHardSoft;
extern const HostLayerSuite* sLayer;
extern const void* sMatchingArt;
extern const void* sMdMemory;
extern const HostMenuSuite* sMenu;
extern const void* sModalParent;
extern const HostPanelSuite* sPanel;
extern const HostPanelFlyoutMenuSuite* sPanelFlyoutMenu;
extern const HostPathSuite* sPath;
extern const HostPathfinderSuite* sPathfinder;
extern const HostPathStyleSuite* sPathStyle;
extern const HostPlacedSuite* sPlaced;
extern const HostPluginSuite* sPlugin;
extern const void* sPluginGroup;
extern const HostPreferenceSuite* sPreference;
extern const HostRasterSuite* sRaster;
extern const void* sRealBezier;
extern const HostRealMathSuite* sRealMath;
extern const void* sRuntime;
extern const void* sShapeConstruction;
extern const HostTagSuite* sTag;
extern const HostTextFrameSuite* sTextFrame;
extern const HostTransformArtSuite* sTransformArt;
extern const HostUserInterfaceThemeSuite* sUserInterfaceTheme;
extern const void* sURL;

// The text engine's suites.
extern const void* sATEApplicationPaint;
extern const void* sATECompFont;
extern const void* sATECompFontClass;
extern const void* sATECompFontClassSet;
extern const void* sATECompFontComponent;
extern const void* sATECompFontSet;
extern const void* sATEGlyphRun;
extern const void* sATEGlyphRunsIterator;
extern const void* sATEListStyle;
extern const void* sATEListStyleSet;
extern const void* sATEMojiKumi;
extern const void* sATEMojiKumiSet;
extern const ATETextFrameSuite* sATETextFrame;
extern const void* sATETextFramesIterator;
extern const void* sATETextLine;
extern const void* sATETextLinesIterator;
extern const void* sATETextResources;
extern const void* sATEApplicationTextResources;
extern const void* sATEDocumentTextResources;
extern const void* sATEVersionInfo;
extern const void* sATEArrayApplicationPaintRef;
extern const void* sATEArrayReal;
extern const void* sATEArrayBool;
extern const void* sATEArrayInteger;
extern const void* sATEArrayLineCapType;
extern const void* sATEArrayFigureStyle;
extern const void* sATEArrayLineJoinType;
extern const void* sATEArrayWariChuJustification;
extern const void* sATEArrayStyleRunAlignment;
extern const void* sATEArrayAutoKernType;
extern const void* sATEArrayBaselineDirection;
extern const void* sATEArrayLanguage;
extern const void* sATEArrayFontCapsOption;
extern const void* sATEArrayFontBaselineOption;
extern const void* sATEArrayFontOpenTypePositionOption;
extern const void* sATEArrayUnderlinePosition;
extern const void* sATEArrayStrikethroughPosition;
extern const void* sATEArrayParagraphJustification;
extern const void* sATEArrayArrayReal;
extern const void* sATEArrayBurasagariType;
extern const void* sATEArrayPreferredKinsokuOrder;
extern const void* sATEArrayKinsokuRef;
extern const void* sATEArrayListStyleRef;
extern const void* sATEArrayListStyleSetRef;
extern const void* sATEArrayMojiKumiRef;
extern const void* sATEArrayMojiKumiSetRef;
extern const void* sATEArrayTabStopsRef;
extern const void* sATEArrayLeadingType;
extern const void* sATEArrayFontRef;
extern const void* sATEArrayGlyphID;
extern const void* sATEArrayRealPoint;
extern const void* sATEArrayRealMatrix;
extern const void* sATEArrayParagraphDirection;
extern const void* sATEArrayJustificationMethod;
extern const void* sATEArrayKashidaWidth;
extern const void* sATEArrayKashidas;
extern const void* sATEArrayDirOverride;
extern const void* sATEArrayDigitSet;
extern const void* sATEArrayDiacVPos;
extern const ATECharFeaturesSuite* sATECharFeatures;
extern const void* sATECharInspector;
extern const void* sATECharStyle;
extern const void* sATECharStyles;
extern const void* sATECharStylesIterator;
extern const void* sATEFind;
extern const void* sATEFont;
extern const void* sATEGlyph;
extern const void* sATEGlyphs;
extern const void* sATEGlyphsIterator;
extern const void* sATEKinsoku;
extern const void* sATEKinsokuSet;
extern const ATEParaFeaturesSuite* sATEParaFeatures;
extern const void* sATEParagraph;
extern const void* sATEParagraphsIterator;
extern const void* sATEParaInspector;
extern const void* sATEParaStyle;
extern const void* sATEParaStyles;
extern const void* sATEParaStylesIterator;
extern const void* sATESpell;
extern const void* sATEStories;
extern const void* sATEStory;
extern const void* sATETabStop;
extern const void* sATETabStops;
extern const void* sATETabStopsIterator;
extern const ATETextRangeSuite* sATETextRange;
extern const void* sATETextRanges;
extern const void* sATETextRangesIterator;
extern const ATETextRunsIteratorSuite* sATETextRunsIterator;
extern const void* sATEWordsIterator;
extern const void* sATEArrayLine;
extern const void* sATEArrayComposerEngine;
