// The suite registry and fault injection.
#include "FakeModule.h"
#include "host/core/SuiteCatalog.h"
#include "hostapi/suites/BlocksSuite.h"
#include "hostapi/suites/MenuSuite.h"
#include "hostapi/suites/UnicodeStringSuite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace host {
namespace {

constexpr HostErr kInjected = HOST_FOURCC('T', 'E', 'S', 'T');

TEST(SuiteRegistry, EverySuiteOfTheModulesTableIsThereUnderItsNameAndVersion) {
    Application app;
    const auto catalog = moduleSuiteCatalog();
    ASSERT_EQ(catalog.size(), 140u);
    for (const SuiteName& suite : catalog) {
        const void* table = nullptr;
        ASSERT_EQ(app.suites().acquire(suite.name, suite.version, &table), kHostNoErr)
            << suite.name;
        EXPECT_NE(table, nullptr) << suite.name;
    }
    EXPECT_EQ(app.suites().totalHeld(), 140);
    // The frame's suites are real tables, not placeholders.
    for (const char* name :
         {"SP Access Suite", "SP Plug-ins Suite", "AI Notifier Suite", "AI Context Suite",
          "AI User Suite", "AI File Path Suite", "AI Folders Suite", "AI Menu Suite",
          "AI Unicode String Suite", "SP Blocks Suite"}) {
        const auto entry = std::find_if(catalog.begin(), catalog.end(), [&](const SuiteName& s) {
            return std::string_view(s.name) == name;
        });
        ASSERT_NE(entry, catalog.end()) << name;
        EXPECT_FALSE(app.suites().isEmpty(name, entry->version)) << name;
    }
    EXPECT_TRUE(app.suites().isEmpty("ATE Spell Suite", 102));
}

TEST(SuiteRegistry, TheHostOffersNoSuiteOutsideTheModulesTable) {
    // A suite registered under a misspelt name or another version would sit beside the
    // placeholder the module acquires and never be called.
    Application app;
    std::set<SuiteKey> catalog;
    for (const SuiteName& suite : moduleSuiteCatalog())
        catalog.insert({suite.name, suite.version});
    EXPECT_EQ(catalog.size(), moduleSuiteCatalog().size()) << "every suite listed once";
    for (const SuiteKey& key : app.suites().keys())
        EXPECT_EQ(catalog.count(key), 1u) << key.name << " " << key.version;
}

TEST(SuiteRegistry, UnknownNameOrVersionGivesNotFoundAndANullTable) {
    Application app;
    struct Case {
        const char* name;
        int32_t version;
    };
    for (const Case c : {Case{"AI Menu Suite", 10}, Case{"AI Menu Suite", 12},
                         Case{"AI No Such Suite", 1}, Case{"", 0}, Case{nullptr, 11}}) {
        const void* table = &app; // must be cleared
        EXPECT_EQ(app.suites().acquire(c.name, c.version, &table), kHostErrSuiteNotFound);
        EXPECT_EQ(table, nullptr);
        EXPECT_EQ(app.suites().release(c.name, c.version), kHostErrSuiteNotFound);
    }
    EXPECT_EQ(app.suites().totalHeld(), 0);
}

TEST(SuiteRegistry, VersionsCoexistWithTheirOwnTablesAndCounts) {
    Application app;
    static const int kOld = 1, kNew = 2;
    app.suites().provide("Test Suite", 1, &kOld);
    app.suites().provide("Test Suite", 2, &kNew);
    const void* t1 = nullptr;
    const void* t2 = nullptr;
    ASSERT_EQ(app.suites().acquire("Test Suite", 1, &t1), kHostNoErr);
    ASSERT_EQ(app.suites().acquire("Test Suite", 2, &t2), kHostNoErr);
    ASSERT_EQ(app.suites().acquire("Test Suite", 2, &t2), kHostNoErr);
    EXPECT_EQ(t1, &kOld);
    EXPECT_EQ(t2, &kNew);
    EXPECT_EQ(app.suites().held("Test Suite", 1), 1);
    EXPECT_EQ(app.suites().held("Test Suite", 2), 2);

    EXPECT_EQ(app.suites().release("Test Suite", 1), kHostNoErr);
    // Releasing more than was acquired is an error and leaves the count at 0.
    EXPECT_EQ(app.suites().release("Test Suite", 1), kHostErrBadParameter);
    EXPECT_EQ(app.suites().held("Test Suite", 1), 0);
    EXPECT_EQ(app.suites().held("Test Suite", 2), 2);
    EXPECT_EQ(app.suites().acquiredTotal("Test Suite", 2), 2u);
}

TEST(SuiteRegistry, ARealTableReplacesThePlaceholderButNotWhileHeld) {
    Application app;
    static const HostMenuSuite kReal{};
    ASSERT_TRUE(app.suites().isEmpty("AI URL Suite", 3));
    app.suites().provide("AI URL Suite", 3, &kReal);
    EXPECT_FALSE(app.suites().isEmpty("AI URL Suite", 3));
    // provideEmpty never downgrades a real table.
    app.suites().provideEmpty("AI URL Suite", 3);
    const void* table = nullptr;
    ASSERT_EQ(app.suites().acquire("AI URL Suite", 3, &table), kHostNoErr);
    EXPECT_EQ(table, &kReal);

    static const HostMenuSuite kOther{};
    EXPECT_THROW(app.suites().provide("AI URL Suite", 3, &kOther), std::logic_error);
    EXPECT_EQ(app.suites().release("AI URL Suite", 3), kHostNoErr);
    app.suites().provide("AI URL Suite", 3, &kOther);
}

TEST(Faults, TheNthAcquisitionFailsWithTheChosenCodeAndOnlyThatOne) {
    Application app;
    app.suites().provide("Test Suite", 1, &app);
    app.faults().failAcquisition(3, kInjected);
    std::vector<HostErr> results;
    for (int i = 0; i < 5; ++i) {
        const void* table = &app;
        results.push_back(app.suites().acquire("Test Suite", 1, &table));
        if (results.back() != kHostNoErr) {
            EXPECT_EQ(table, nullptr);
        }
    }
    EXPECT_EQ(results, (std::vector<HostErr>{0, 0, kInjected, 0, 0}));
    EXPECT_EQ(app.suites().held("Test Suite", 1), 4);
    EXPECT_EQ(app.faults().acquisitions(), 5u);
    EXPECT_EQ(app.faults().fired(), 1u);
}

TEST(Faults, OperationsFailByQualifiedOrBareNameOnEveryOrOnlyTheKthCall) {
    Application app;
    const auto* ustr = test::acquire<HostUnicodeStringSuite>(app, kHostUnicodeStringSuite,
                                                             kHostUnicodeStringSuiteVersion);
    const auto* blocks =
        test::acquire<HostBlocksSuite>(app, kHostBlocksSuite, kHostBlocksSuiteVersion);
    ASSERT_NE(ustr, nullptr);
    ASSERT_NE(blocks, nullptr);
    const auto newString = [&] {
        HostUString s = nullptr;
        const HostErr e = ustr->New("x", 1, &s);
        if (s != nullptr) ustr->Dispose(s);
        return e;
    };

    struct Case {
        const char* rule;
        uint64_t onCall;
        std::vector<HostErr> expected; // four calls of New
    };
    const std::vector<Case> cases = {
        {"AI Unicode String Suite/New",
         Faults::kEveryCall,
         {kInjected, kInjected, kInjected, kInjected}},
        {"New", 2, {0, kInjected, 0, 0}},
        {"SP Blocks Suite/New", Faults::kEveryCall, {0, 0, 0, 0}}, // another suite
        {"AI Unicode String Suite/Dispose", 1, {0, 0, 0, 0}},      // another operation
    };
    for (const Case& c : cases) {
        app.faults().clear();
        app.faults().failOperation(c.rule, kInjected, c.onCall);
        std::vector<HostErr> results;
        for (int i = 0; i < 4; ++i)
            results.push_back(newString());
        EXPECT_EQ(results, c.expected) << c.rule;
    }
    app.faults().clear();

    // Counting goes on whether or not a rule fired; a bare name adds up every suite.
    const uint64_t before = app.faults().calls("AI Unicode String Suite/New");
    EXPECT_EQ(before, 16u);
    void* block = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(8, &block), kHostNoErr);
    ASSERT_EQ(blocks->FreeBlock(block), kHostNoErr);
    ASSERT_EQ(app.basicSuite()->AllocateBlock(8, &block), kHostNoErr);
    ASSERT_EQ(app.basicSuite()->FreeBlock(block), kHostNoErr);
    EXPECT_EQ(app.faults().calls("SP Blocks Suite/AllocateBlock"), 1u);
    EXPECT_EQ(app.faults().calls("AllocateBlock"), 2u);
}

TEST(Faults, WithoutAnApplicationEveryOperationFailsWithCant) {
    const HostBasicSuite* basic = nullptr;
    {
        Application app;
        basic = app.basicSuite();
    }
    ASSERT_EQ(Application::current(), nullptr);
    void* block = nullptr;
    EXPECT_EQ(basic->AllocateBlock(8, &block), kHostErrCant);
    const void* table = nullptr;
    EXPECT_EQ(basic->AcquireSuite(kHostMenuSuite, kHostMenuSuiteVersion, &table), kHostErrCant);
}

} // namespace
} // namespace host
