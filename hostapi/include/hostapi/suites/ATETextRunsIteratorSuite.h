#pragma once

#include "hostapi/ATETypes.h"

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
