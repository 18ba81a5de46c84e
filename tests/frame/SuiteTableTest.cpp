#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

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
    EXPECT_EQ(NamedEntries().size(), 140u);
}

TEST(HostSuites, EveryEntryIsAUniqueSuiteWithItsOwnGlobal) {
    std::set<std::string> names;
    std::set<const void* (*)()> destinations;
    for (const HostSuiteEntry* entry : NamedEntries()) {
        const std::string name = entry->name;
        EXPECT_TRUE(names.insert(name).second) << name << " is listed twice";
        EXPECT_TRUE(name.ends_with(" Suite")) << name;
        EXPECT_GT(entry->version, 0) << name;
        EXPECT_TRUE(entry->destination) << name;
        destinations.insert(entry->destination.load);
    }
    EXPECT_EQ(destinations.size(), names.size()) << "every suite has its own global";
}

TEST(HostSuites, TheFramesListHoldsTheSuitesTheFrameCalls) {
    // The frame reaches these before the plug-in's list is acquired.
    const std::set<const void* (*)()> frameGlobals = {
        SuiteGlobal<sAccess>().load,  SuiteGlobal<sPlugins>().load, SuiteGlobal<sNotifier>().load,
        SuiteGlobal<sContext>().load, SuiteGlobal<sUser>().load,    SuiteGlobal<sFilePath>().load,
        SuiteGlobal<sFolders>().load};
    std::set<const void* (*)()> frameList;
    for (size_t i = 0; i < 7; ++i)
        frameList.insert(HostSuites[i].destination.load);
    EXPECT_EQ(frameList, frameGlobals);
    EXPECT_STREQ(HostSuites[0].name, "SP Access Suite") << "access first: it keeps the module";
}

TEST(HostSuites, AcquiredInTableOrderAndReleasedInTheSameOrder) {
    FakeHost host;
    sBasic = &host.basic;
    std::vector<std::string> tableOrder;
    for (const HostSuiteEntry* entry : NamedEntries())
        tableOrder.emplace_back(entry->name);
    {
        SuiteHolder holder;
        ASSERT_EQ(holder.Error(), kHostNoErr);
        EXPECT_EQ(host.acquireOrder, tableOrder);
        for (const HostSuiteEntry* entry : NamedEntries())
            EXPECT_NE(entry->destination.load(), nullptr) << entry->name;
    }
    EXPECT_EQ(host.releaseOrder, tableOrder);
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
