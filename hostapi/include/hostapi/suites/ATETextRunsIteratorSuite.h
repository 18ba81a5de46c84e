#ifndef CARTOVEL_HOSTAPI_SUITES_ATETEXTRUNSITERATOR_H
#define CARTOVEL_HOSTAPI_SUITES_ATETEXTRUNSITERATOR_H

#include "hostapi/ATETypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kATETextRunsIteratorSuite "ATE TextRunsIterator Suite"
#define kATETextRunsIteratorSuiteVersion 1

/** Walks the runs of a range, first to last. */
typedef struct ATETextRunsIteratorSuite {
    ATEErr (*AddRef)(ATETextRunsIteratorRef runs);
    ATEErr (*Release)(ATETextRunsIteratorRef runs);
    /** The range had no runs (it is empty). */
    ATEErr (*IsEmpty)(ATETextRunsIteratorRef runs, ATEBool8* empty);
    ATEErr (*IsNotDone)(ATETextRunsIteratorRef runs, ATEBool8* notDone);
    ATEErr (*IsDone)(ATETextRunsIteratorRef runs, ATEBool8* done);
    /** Steps to the next run; kHostErrNotFound when already done. */
    ATEErr (*Next)(ATETextRunsIteratorRef runs);
    /** The current run as a new range; kHostErrNotFound when done. */
    ATEErr (*Item)(ATETextRunsIteratorRef runs, ATETextRangeRef* run);
} ATETextRunsIteratorSuite;

#ifdef __cplusplus
}
#endif

#endif
