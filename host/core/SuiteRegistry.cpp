#include "host/core/SuiteRegistry.h"

#include "host/core/Faults.h"

#include <stdexcept>
#include <utility>

namespace host {
namespace {

// Large enough for any suite struct; every slot is a null function pointer, so a caller can
// see that the operation is missing instead of jumping to garbage.
constexpr void* kEmptyTable[256] = {};

} // namespace

void SuiteRegistry::provide(std::string_view name, std::int32_t version, const void* table) {
    if (table == nullptr) throw std::invalid_argument("suite table is null");
    auto [it, inserted] = entries_.try_emplace(std::make_pair(std::string(name), version));
    if (!inserted && it->second.held > 0 && it->second.table != table)
        throw std::logic_error("suite \"" + std::string(name) + "\" " + std::to_string(version) +
                               " is held; its table cannot be replaced");
    it->second.table = table;
}

void SuiteRegistry::provideEmpty(std::string_view name, std::int32_t version) {
    entries_.try_emplace(std::make_pair(std::string(name), version), Entry{kEmptyTable});
}

const SuiteRegistry::Entry* SuiteRegistry::find(std::string_view name, std::int32_t version) const {
    auto it = entries_.find(std::make_pair(std::string(name), version));
    return it == entries_.end() ? nullptr : &it->second;
}

SuiteRegistry::Entry* SuiteRegistry::find(std::string_view name, std::int32_t version) {
    return const_cast<Entry*>(std::as_const(*this).find(name, version));
}

HostErr SuiteRegistry::acquire(const char* name, std::int32_t version, const void** table) {
    if (table == nullptr) return kHostErrBadParameter;
    *table = nullptr;
    if (const HostErr injected = faults_.enterAcquisition()) return injected;
    if (name == nullptr) return kHostErrSuiteNotFound;
    Entry* entry = find(name, version);
    if (entry == nullptr) return kHostErrSuiteNotFound;
    ++entry->held;
    ++entry->acquired;
    *table = entry->table;
    return kHostNoErr;
}

HostErr SuiteRegistry::release(const char* name, std::int32_t version) {
    if (name == nullptr) return kHostErrSuiteNotFound;
    Entry* entry = find(name, version);
    if (entry == nullptr) return kHostErrSuiteNotFound;
    if (entry->held == 0) return kHostErrBadParameter;
    --entry->held;
    ++entry->released;
    return kHostNoErr;
}

bool SuiteRegistry::has(std::string_view name, std::int32_t version) const {
    return find(name, version) != nullptr;
}

bool SuiteRegistry::isEmpty(std::string_view name, std::int32_t version) const {
    const Entry* entry = find(name, version);
    return entry != nullptr && entry->table == static_cast<const void*>(kEmptyTable);
}

int SuiteRegistry::held(std::string_view name, std::int32_t version) const {
    const Entry* entry = find(name, version);
    return entry == nullptr ? 0 : entry->held;
}

std::uint64_t SuiteRegistry::acquiredTotal(std::string_view name, std::int32_t version) const {
    const Entry* entry = find(name, version);
    return entry == nullptr ? 0 : entry->acquired;
}

std::uint64_t SuiteRegistry::releasedTotal(std::string_view name, std::int32_t version) const {
    const Entry* entry = find(name, version);
    return entry == nullptr ? 0 : entry->released;
}

int SuiteRegistry::totalHeld() const {
    int total = 0;
    for (const auto& [key, entry] : entries_)
        total += entry.held;
    return total;
}

std::vector<SuiteKey> SuiteRegistry::keys() const {
    std::vector<SuiteKey> result;
    result.reserve(entries_.size());
    for (const auto& [key, entry] : entries_)
        result.push_back({key.first, key.second});
    return result;
}

} // namespace host
