#include "frame/SuiteHolder.h"

namespace {

/** The entries from begin up to the next entry without a name (or the table's end). */
size_t ListEnd(std::span<const HostSuiteEntry> table, size_t begin) {
    size_t end = begin;
    while (end < table.size() && table[end].name != nullptr)
        ++end;
    return end;
}

HostErr Acquire(const HostSuiteEntry& entry) noexcept {
    if (sBasic == nullptr || sBasic->AcquireSuite == nullptr) return kHostErrSuiteNotFound;
    const void* table = nullptr;
    const HostErr err = sBasic->AcquireSuite(entry.name, entry.version, &table);
    if (err != kHostNoErr) return err;
    // A success without a table would only fail later, at the first call through it.
    if (table == nullptr) {
        if (sBasic->ReleaseSuite != nullptr) sBasic->ReleaseSuite(entry.name, entry.version);
        return kHostErrSuiteNotFound;
    }
    entry.destination.store(table);
    return kHostNoErr;
}

/** Releases the entry's table when its destination holds one. */
HostErr Release(const HostSuiteEntry& entry, bool& released) noexcept {
    released = false;
    if (!entry.destination || entry.destination.load() == nullptr) return kHostNoErr;
    if (sBasic == nullptr || sBasic->ReleaseSuite == nullptr) return kHostErrSuiteNotFound;
    const HostErr err = sBasic->ReleaseSuite(entry.name, entry.version);
    if (err != kHostNoErr) return err;
    entry.destination.store(nullptr);
    released = true;
    return kHostNoErr;
}

} // namespace

SuiteHolder::SuiteHolder(std::span<const HostSuiteEntry> table) noexcept : table_(table) {
    frameList_ = {0, ListEnd(table_, 0)};
    const size_t pluginBegin = frameList_.end < table_.size() ? frameList_.end + 1 : table_.size();
    pluginList_ = {pluginBegin, ListEnd(table_, pluginBegin)};
    if (pluginList_.end < table_.size() &&
        table_[pluginList_.end].version == kHostOptionalSuitesMarker) {
        optionalList_ = {pluginList_.end + 1, ListEnd(table_, pluginList_.end + 1)};
    } else {
        optionalList_ = {pluginList_.end, pluginList_.end};
    }

    if (sSuiteRefCount != 0) {
        ++sSuiteRefCount;
    } else {
        AcquireAll();
        if (error_ == kHostNoErr) sSuiteRefCount = 1;
    }

    requiredCount_ = static_cast<uint16_t>(pluginList_.end - pluginList_.begin);
    optionalCount_ = static_cast<uint16_t>(optionalList_.end - optionalList_.begin);
    if (error_ == kHostNoErr) RefreshSuites();
}

SuiteHolder::~SuiteHolder() {
    // A holder whose acquisition failed never counted itself; it still releases what
    // it acquired before the failure.
    if (sSuiteRefCount > 1) {
        --sSuiteRefCount;
        return;
    }
    sSuiteRefCount = 0;
    ReleaseAll();
}

void SuiteHolder::AcquireAll() noexcept {
    for (const Range& list : {frameList_, pluginList_}) {
        for (size_t i = list.begin; i < list.end; ++i) {
            if (!table_[i].destination) continue;
            error_ = Acquire(table_[i]);
            if (error_ != kHostNoErr) return;
        }
    }
}

HostErr SuiteHolder::ReleaseAll() noexcept {
    bool released = false;
    for (const Range& list : {frameList_, pluginList_}) {
        for (size_t i = list.begin; i < list.end; ++i) {
            if (const HostErr err = Release(table_[i], released)) return err;
        }
    }
    for (size_t i = optionalList_.begin; i < optionalList_.end && optionalAcquired_ > 0; ++i) {
        if (const HostErr err = Release(table_[i], released)) return err;
        if (released) --optionalAcquired_;
    }
    return kHostNoErr;
}

void SuiteHolder::RefreshSuites() noexcept {
    if (error_ != kHostNoErr || optionalAcquired_ >= optionalCount_) return;
    for (size_t i = optionalList_.begin; i < optionalList_.end; ++i) {
        const HostSuiteEntry& entry = table_[i];
        if (!entry.destination || entry.destination.load() != nullptr) continue;
        if (Acquire(entry) == kHostNoErr) ++optionalAcquired_;
    }
}
