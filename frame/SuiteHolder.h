// Acquires the suites of a suite table when created and releases them when destroyed.
// Holders share the tables through the module-wide reference count: only the first
// acquires and only the last releases.
#pragma once

#include "frame/HostSuites.h"

#include <cstddef>
#include <cstdint>
#include <span>

class SuiteHolder {
public:
    /** Acquires through sBasic. On failure Error() is the first host code met and the
     *  suites acquired before it stay held until this holder is destroyed. */
    explicit SuiteHolder(std::span<const HostSuiteEntry> table = HostSuites) noexcept;
    ~SuiteHolder();

    SuiteHolder(const SuiteHolder&) = delete;
    SuiteHolder& operator=(const SuiteHolder&) = delete;

    HostErr Error() const noexcept { return error_; }
    uint16_t OptionalCount() const noexcept { return optionalCount_; }
    uint16_t RequiredCount() const noexcept { return requiredCount_; }
    uint16_t OptionalAcquired() const noexcept { return optionalAcquired_; }

    /** Tries again the optional suites still missing; failures are ignored. */
    void RefreshSuites() noexcept;

private:
    /** [begin, end) of one list in the table. */
    struct Range {
        size_t begin = 0;
        size_t end = 0;
    };

    void AcquireAll() noexcept;
    HostErr ReleaseAll() noexcept;

    HostErr error_ = kHostNoErr;
    uint16_t optionalCount_ = 0;
    uint16_t requiredCount_ = 0;
    uint16_t optionalAcquired_ = 0;

    std::span<const HostSuiteEntry> table_;
    Range frameList_;
    Range pluginList_;
    Range optionalList_;
};
