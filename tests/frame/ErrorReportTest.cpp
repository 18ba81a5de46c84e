#include "frame/ErrorReport.h"
#include "frame/Plugin.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int64_t gNow = 0;
int64_t FakeClock() {
    return gNow;
}

TEST(SilentErrorCodes, SeventeenDistinctCodesEndedByZero) {
    const auto table = SilentErrorCodes();
    ASSERT_EQ(table.size(), 18u);
    EXPECT_EQ(table.back(), 0);
    const std::set<HostErr> distinct(table.begin(), table.end() - 1);
    EXPECT_EQ(distinct.size(), table.size() - 1) << "no code twice";
    EXPECT_EQ(distinct.count(0), 0u) << "0 only ends the table";
    for (HostErr code : table)
        EXPECT_TRUE(IsSilentErrorCode(code)) << code;
    // Big-endian packing: 'STOP' is the documented value.
    EXPECT_EQ(HOST_FOURCC('S', 'T', 'O', 'P'), 0x53544F50);
}

TEST(SilentErrorCodes, OfTheHostsNamedCodesOnlyAnswersAreSilent) {
    const HostErr answers[] = {kHostErrCancelled, kHostErrPurgeFreed, kHostErrSuiteNotFound};
    for (HostErr code : answers)
        EXPECT_TRUE(IsSilentErrorCode(code)) << code;
    const HostErr failures[] = {
        kHostErrMemory,       kHostErrUnhandledMessage, kHostErrCant,
        kHostErrBadParameter, kHostErrWrongType,        kHostErrBadHandle,
        kHostErrNotFound,     kHostErrNoDocument,       kHostErrRefused,
        kHostErrFile,         kHostErrEncoding,         kHostErrNotImplemented};
    for (HostErr code : failures)
        EXPECT_FALSE(IsSilentErrorCode(code)) << code;
}

TEST(SilentErrorCodes, CodesOutsideTheListAreReported) {
    for (HostErr code :
         std::initializer_list<HostErr>{kHostErrCant, kHostErrMemory, kHostErrNotImplemented,
                                        HOST_FOURCC('S', 'T', 'O', 'p'), 360, -1})
        EXPECT_FALSE(IsSilentErrorCode(code)) << code;
    EXPECT_TRUE(IsSilentErrorCode(kHostErrCancelled));
}

TEST(ReportError, SilentCodesLeaveNoTrace) {
    Plugin plugin(nullptr);
    plugin.SetReportClock(FakeClock);
    gNow = 1000;
    plugin.ReportError(kHostErrCancelled, "AI Menu", "AI Go", nullptr);
    plugin.ReportError(kHostErrPurgeFreed, "SP Cache", "Plug-in Purge", nullptr);
    EXPECT_EQ(plugin.LastReportedCode(), 0);
    EXPECT_EQ(plugin.LastReportTime(), 0);
}

TEST(ReportError, SameCodeWithinFiveSecondsIsRecordedOnce) {
    Plugin plugin(nullptr);
    plugin.SetReportClock(FakeClock);
    struct Step {
        int64_t now;
        HostErr code;
        HostErr lastCode;
        int64_t lastTime;
    };
    const HostErr cant = kHostErrCant;
    const HostErr nimp = kHostErrNotImplemented;
    const Step steps[] = {
        {1000, cant, cant, 1000}, // first report
        {1004, cant, cant, 1000}, // a repeat 4 s later is skipped; the first time stays
        {1005, cant, cant, 1005}, // 5 s after the last report it counts again
        {1006, nimp, nimp, 1006}, // another code is never a repeat
        {1007, cant, cant, 1007}, // ...and the old code is new again after it
        {1008, kHostErrCancelled, cant, 1007},
    };
    for (const Step& step : steps) {
        gNow = step.now;
        plugin.ReportError(step.code, "AI Menu", "AI Go", nullptr);
        EXPECT_EQ(plugin.LastReportedCode(), step.lastCode) << "at " << step.now;
        EXPECT_EQ(plugin.LastReportTime(), step.lastTime) << "at " << step.now;
    }
}

} // namespace
