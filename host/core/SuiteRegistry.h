// The host's suites, by name and version. Several versions of one name may coexist; each
// (name, version) has its own table and its own count of holders.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class Faults;

struct SuiteKey {
    std::string name;
    std::int32_t version = 0;
    friend auto operator<=>(const SuiteKey&, const SuiteKey&) = default;
};

class SuiteRegistry {
public:
    /// faults decides which acquisitions fail; it must outlive the registry.
    explicit SuiteRegistry(Faults& faults) : faults_(faults) {}

    /// Makes table the suite (name, version), replacing an earlier table of that key (an
    /// empty placeholder or another implementation). table must stay valid as long as the
    /// registry (static tables). Replacing a table that a module holds throws
    /// std::logic_error: the module would keep the old pointers.
    void provide(std::string_view name, std::int32_t version, const void* table);
    /// Registers a placeholder table without operations (every function pointer null) unless
    /// the key is already registered.
    void provideEmpty(std::string_view name, std::int32_t version);

    /// kHostErrSuiteNotFound (with *table null) for an unknown name or version; an injected
    /// acquisition fault gives its code, also with *table null.
    HostErr acquire(const char* name, std::int32_t version, const void** table);
    /// kHostErrSuiteNotFound for an unknown key, kHostErrBadParameter when the suite is not
    /// held (more releases than acquisitions).
    HostErr release(const char* name, std::int32_t version);

    [[nodiscard]] bool has(std::string_view name, std::int32_t version) const;
    [[nodiscard]] bool isEmpty(std::string_view name, std::int32_t version) const;
    /// Acquisitions not yet released.
    [[nodiscard]] int held(std::string_view name, std::int32_t version) const;
    /// Successful acquisitions and releases since the start.
    [[nodiscard]] std::uint64_t acquiredTotal(std::string_view name, std::int32_t version) const;
    [[nodiscard]] std::uint64_t releasedTotal(std::string_view name, std::int32_t version) const;
    /// Sum of held() over every suite.
    [[nodiscard]] int totalHeld() const;
    /// Every key, sorted by name and version.
    [[nodiscard]] std::vector<SuiteKey> keys() const;

private:
    struct Entry {
        const void* table = nullptr;
        int held = 0;
        std::uint64_t acquired = 0;
        std::uint64_t released = 0;
    };
    [[nodiscard]] const Entry* find(std::string_view name, std::int32_t version) const;
    [[nodiscard]] Entry* find(std::string_view name, std::int32_t version);

    Faults& faults_;
    std::map<std::pair<std::string, std::int32_t>, Entry, std::less<>> entries_;
};

} // namespace host
