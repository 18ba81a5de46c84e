#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct NameVersion {
    const char* name;
    int32_t version;
};

// The suites the host must offer, by name and version, in the order the module asks.
const NameVersion kExpectedSuites[] = {
    {"SP Access Suite", 3},
    {"SP Plug-ins Suite", 6},
    {"AI Notifier Suite", 4},
    {"AI Context Suite", 10},
    {"AI User Suite", 21},
    {"AI File Path Suite", 8},
    {"AI Folders Suite", 5},
    {"SP Blocks Suite", 2},
    {"SP Files Suite", 4},
    {"AI Unicode String Suite", 9},
    {"AI Action Manager Suite", 5},
    {"AI Array Suite", 6},
    {"AI Art Suite", 21},
    {"AI Artboard Suite", 6},
    {"AI Art Set Suite", 9},
    {"AI Art Style Suite", 8},
    {"AIATE Paint Suite", 3},
    {"AI Blend Style Suite", 5},
    {"AI Dictionary Suite", 10},
    {"AI Dictionary Iterator Suite", 5},
    {"AI Document Suite", 20},
    {"AI Document View Suite", 15},
    {"AI Entry Suite", 7},
    {"AI Group Suite", 5},
    {"AI Hard Soft Suite", 6},
    {"AI Layer Suite", 13},
    {"AI Matching Art Suite", 7},
    {"AI MdMemory Suite", 3},
    {"AI Menu Suite", 11},
    {"AI Modal Parent Suite", 2},
    {"AI Panel Suite", 4},
    {"AI Panel Flyout Menu Suite", 2},
    {"AI Path Suite", 12},
    {"AI Pathfinder Suite", 7},
    {"AI Path Style Suite", 14},
    {"AI Placed Suite", 10},
    {"AI Plugin Suite", 5},
    {"AI Plugin Group Suite", 6},
    {"AI Preference Suite", 7},
    {"AI Raster Suite", 10},
    {"AI Real Bezier Suite", 4},
    {"AI Real Math Suite", 5},
    {"AI Runtime Suite", 14},
    {"AI Shape Construction Suite", 8},
    {"AI Tag Suite", 4},
    {"AI Text Frame Suite", 4},
    {"AI Transform Art Suite", 3},
    {"AI User Interface Theme Suite", 2},
    {"AI URL Suite", 3},
    {"ATE ApplicationPaint Suite", 1},
    {"ATE CompFont Suite", 1},
    {"ATE CompFontClass Suite", 1},
    {"ATE CompFontClassSet Suite", 1},
    {"ATE CompFontComponent Suite", 1},
    {"ATE CompFontSet Suite", 1},
    {"ATE GlyphRun Suite", 2},
    {"ATE GlyphRunsIterator Suite", 1},
    {"ATE ListStyle Suite", 1},
    {"ATE ListStyleSet Suite", 1},
    {"ATE MojiKumi Suite", 1},
    {"ATE MojiKumiSet Suite", 1},
    {"ATE TextFrame Suite", 101},
    {"ATE TextFramesIterator Suite", 1},
    {"ATE TextLine Suite", 2},
    {"ATE TextLinesIterator Suite", 1},
    {"ATE TextResources Suite", 1},
    {"ATE ApplicationTextResources Suite", 2},
    {"ATE DocumentTextResources Suite", 102},
    {"ATE VersionInfo Suite", 1},
    {"ATE ArrayApplicationPaintRef Suite", 1},
    {"ATE ArrayReal Suite", 1},
    {"ATE ArrayBool Suite", 1},
    {"ATE ArrayInteger Suite", 1},
    {"ATE ArrayLineCapType Suite", 1},
    {"ATE ArrayFigureStyle Suite", 1},
    {"ATE ArrayLineJoinType Suite", 1},
    {"ATE ArrayWariChuJustification Suite", 1},
    {"ATE ArrayStyleRunAlignment Suite", 1},
    {"ATE ArrayAutoKernType Suite", 1},
    {"ATE ArrayBaselineDirection Suite", 1},
    {"ATE ArrayLanguage Suite", 1},
    {"ATE ArrayFontCapsOption Suite", 1},
    {"ATE ArrayFontBaselineOption Suite", 1},
    {"ATE ArrayFontOpenTypePositionOption Suite", 1},
    {"ATE ArrayUnderlinePosition Suite", 1},
    {"ATE ArrayStrikethroughPosition Suite", 1},
    {"ATE ArrayParagraphJustification Suite", 1},
    {"ATE ArrayArrayReal Suite", 1},
    {"ATE ArrayBurasagariType Suite", 1},
    {"ATE ArrayPreferredKinsokuOrder Suite", 1},
    {"ATE ArrayKinsokuRef Suite", 1},
    {"ATE ArrayListStyleRef Suite", 1},
    {"ATE ArrayListStyleSetRef Suite", 1},
    {"ATE ArrayMojiKumiRef Suite", 1},
    {"ATE ArrayMojiKumiSetRef Suite", 1},
    {"ATE ArrayTabStopsRef Suite", 1},
    {"ATE ArrayLeadingType Suite", 1},
    {"ATE ArrayFontRef Suite", 1},
    {"ATE ArrayGlyphID Suite", 1},
    {"ATE ArrayRealPoint Suite", 1},
    {"ATE ArrayRealMatrix Suite", 1},
    {"ATE ArrayParagraphDirection Suite", 1},
    {"ATE ArrayJustificationMethod Suite", 1},
    {"ATE ArrayKashidaWidth Suite", 1},
    {"ATE ArrayKashidas Suite", 1},
    {"ATE ArrayDirOverride Suite", 1},
    {"ATE ArrayDigitSet Suite", 1},
    {"ATE ArrayDiacVPos Suite", 1},
    {"ATE CharFeatures Suite", 102},
    {"ATE CharInspector Suite", 102},
    {"ATE CharStyle Suite", 1},
    {"ATE CharStyles Suite", 1},
    {"ATE CharStylesIterator Suite", 1},
    {"ATE Find Suite", 101},
    {"ATE Font Suite", 1},
    {"ATE Glyph Suite", 1},
    {"ATE Glyphs Suite", 1},
    {"ATE GlyphsIterator Suite", 1},
    {"ATE Kinsoku Suite", 1},
    {"ATE KinsokuSet Suite", 1},
    {"ATE ParaFeatures Suite", 102},
    {"ATE Paragraph Suite", 1},
    {"ATE ParagraphsIterator Suite", 1},
    {"ATE ParaInspector Suite", 102},
    {"ATE ParaStyle Suite", 1},
    {"ATE ParaStyles Suite", 1},
    {"ATE ParaStylesIterator Suite", 1},
    {"ATE Spell Suite", 102},
    {"ATE Stories Suite", 1},
    {"ATE Story Suite", 1},
    {"ATE TabStop Suite", 1},
    {"ATE TabStops Suite", 1},
    {"ATE TabStopsIterator Suite", 1},
    {"ATE TextRange Suite", 1},
    {"ATE TextRanges Suite", 1},
    {"ATE TextRangesIterator Suite", 1},
    {"ATE TextRunsIterator Suite", 1},
    {"ATE WordsIterator Suite", 1},
    {"ATE ArrayLine Suite", 1},
    {"ATE ArrayComposerEngine Suite", 1},
};

/** The named entries of HostSuites, in table order. */
std::vector<const HostSuiteEntry*> NamedEntries() {
    std::vector<const HostSuiteEntry*> named;
    for (const HostSuiteEntry& entry : HostSuites)
        if (entry.name != nullptr) named.push_back(&entry);
    return named;
}

TEST(HostSuites, TwoListsOfSevenAndOneHundredThirtyThree) {
    ASSERT_EQ(HostSuites.size(), 142u);
    EXPECT_EQ(HostSuites[7].name, nullptr);
    EXPECT_EQ(HostSuites[141].name, nullptr);
    EXPECT_EQ(HostSuites[141].version, 0) << "the table has no optional suites";

    const auto named = NamedEntries();
    ASSERT_EQ(named.size(), std::size(kExpectedSuites));
    std::set<const void* (*)()> destinations;
    for (size_t i = 0; i < named.size(); ++i) {
        EXPECT_STREQ(named[i]->name, kExpectedSuites[i].name) << "entry " << i + 1;
        EXPECT_EQ(named[i]->version, kExpectedSuites[i].version) << named[i]->name;
        EXPECT_TRUE(named[i]->destination) << named[i]->name;
        destinations.insert(named[i]->destination.load);
    }
    EXPECT_EQ(destinations.size(), named.size()) << "every suite has its own global";
}

TEST(HostSuites, TypedGlobalsReceiveTheirOwnSuite) {
    FakeHost host;
    sBasic = &host.basic;
    {
        SuiteHolder holder;
        ASSERT_EQ(holder.Error(), kHostNoErr);
        EXPECT_EQ(sSuiteRefCount, 1);
        EXPECT_EQ(host.acquireOrder.size(), 140u);
        EXPECT_EQ(sAccess, &host.access);
        EXPECT_EQ(sPlugins, &host.plugins);
        EXPECT_EQ(sNotifier, &host.notifier);
        EXPECT_EQ(sContext, &host.context);
        EXPECT_EQ(sUser, &host.user);
        EXPECT_EQ(sFilePath, &host.filePath);
        EXPECT_EQ(sUnicodeString, &host.unicode);
        EXPECT_EQ(sMenu, &host.menu);
        EXPECT_EQ(holder.RequiredCount(), 133);
        EXPECT_EQ(holder.OptionalCount(), 0);
    }
    EXPECT_EQ(sSuiteRefCount, 0);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.releaseOrder, host.acquireOrder) << "released in table order";
    for (const HostSuiteEntry& entry : HostSuites)
        if (entry.destination) {
            EXPECT_EQ(entry.destination.load(), nullptr) << entry.name;
        }
}

TEST(SuiteHolder, FailureAtTheFiftiethReleasesTheFortyNineBefore) {
    FakeHost host;
    host.failAcquireAt = 50;
    host.acquireFailure = HOST_FOURCC('G', 'O', 'N', 'E');
    sBasic = &host.basic;
    {
        SuiteHolder holder;
        EXPECT_EQ(holder.Error(), HOST_FOURCC('G', 'O', 'N', 'E'));
        EXPECT_EQ(sSuiteRefCount, 0);
        EXPECT_EQ(host.acquireCalls, 50) << "the walk stops at the failure";
        EXPECT_EQ(host.OutstandingSuites(), 49);
    }
    EXPECT_EQ(host.releaseOrder.size(), 49u);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.unmatchedReleases, 0);
    EXPECT_EQ(sSuiteRefCount, 0);
    EXPECT_EQ(sUnicodeString, nullptr);
}

TEST(SuiteHolder, HoldersShareOneAcquisition) {
    FakeHost host;
    sBasic = &host.basic;
    auto first = std::make_unique<SuiteHolder>();
    auto second = std::make_unique<SuiteHolder>();
    EXPECT_EQ(sSuiteRefCount, 2);
    EXPECT_EQ(host.acquireCalls, 140);
    first.reset();
    EXPECT_EQ(host.OutstandingSuites(), 140) << "the other holder still uses them";
    EXPECT_NE(sMenu, nullptr);
    second.reset();
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(sSuiteRefCount, 0);
}

// A small table exercising the optional suites behind an 'OPTS' end entry.
const void* gRequiredA = nullptr;
const void* gRequiredB = nullptr;
const void* gOptionalA = nullptr;
const void* gOptionalB = nullptr;

const HostSuiteEntry kOptionalTable[] = {
    {"Frame A", 1, SuiteGlobal<gRequiredA>()},    {nullptr, 0, {}},
    {"Plug-in B", 1, SuiteGlobal<gRequiredB>()},  {"Skipped", 1, {}},
    {nullptr, kHostOptionalSuitesMarker, {}},     {"Optional A", 1, SuiteGlobal<gOptionalA>()},
    {"Optional B", 1, SuiteGlobal<gOptionalB>()}, {nullptr, 0, {}},
};

TEST(SuiteHolder, OptionalSuitesAreRetriedAndReleased) {
    FakeHost host;
    sBasic = &host.basic;
    host.failAcquireAt = 4; // Optional B, the first time
    {
        SuiteHolder holder(kOptionalTable);
        ASSERT_EQ(holder.Error(), kHostNoErr) << "an optional suite never fails the holder";
        EXPECT_EQ(holder.RequiredCount(), 2);
        EXPECT_EQ(holder.OptionalCount(), 2);
        EXPECT_EQ(holder.OptionalAcquired(), 1);
        EXPECT_NE(gOptionalA, nullptr);
        EXPECT_EQ(gOptionalB, nullptr);
        EXPECT_EQ(host.held.count("Skipped"), 0u) << "entries without a destination are skipped";

        holder.RefreshSuites();
        EXPECT_EQ(holder.OptionalAcquired(), 2);
        EXPECT_NE(gOptionalB, nullptr);
        holder.RefreshSuites();
        EXPECT_EQ(host.acquireCalls, 5) << "nothing is retried once all are held";
    }
    EXPECT_EQ(host.releaseOrder,
              (std::vector<std::string>{"Frame A", "Plug-in B", "Optional A", "Optional B"}));
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(gOptionalB, nullptr);
}

} // namespace
