// The host suites the module acquires, in the order it acquires them, and the module-wide
// globals that receive their tables.
#pragma once

#include "hostapi/HostMessages.h"
#include "hostapi/SuiteList.h"
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

/** The frame's list then the plug-in's list of hostapi/SuiteList.h, each ended by an entry
 *  without a name. The plug-in list's end entry has version 0: no optional suites. */
extern const std::span<const HostSuiteEntry> HostSuites;

/* Module-wide globals. Only the host's main thread enters the module, so they are
 * unguarded. */

/** The basic suite of the latest message: every acquire and release goes through it. */
extern const HostBasicSuite* sBasic;
/** How many suite holders share the acquired tables. */
extern uint16_t sSuiteRefCount;

/* The suite tables, null while not held: `const type* s<id>` for every row of the list in
 * hostapi/SuiteList.h. Suites the module has no struct for yet are `const void*`; giving
 * one its struct means changing the type of its row. */
#define HOST_SUITE_GLOBAL_DECLARATION(id, constant, name, version, type) extern const type* s##id;
HOST_SUITES(HOST_SUITE_GLOBAL_DECLARATION)
#undef HOST_SUITE_GLOBAL_DECLARATION
