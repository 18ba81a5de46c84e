#include "common/SettingsStore.h"

#include "frame/HostSuites.h"

namespace settings {

namespace {

/** Calls the store's operation for key when the host gives it. */
template <auto operation, class... Values> void Use(const char* key, Values... values) noexcept {
    if (sPreference != nullptr && sPreference->*operation != nullptr)
        (sPreference->*operation)(kPrefix, key, values...);
}

using Store = HostPreferenceSuite;

} // namespace

void ReadBoolean(const char* key, bool& value) noexcept {
    HostBool place = value ? 1 : 0;
    Use<&Store::GetBooleanPreference>(key, &place);
    value = place != 0;
}

void ReadInteger(const char* key, int32_t& value) noexcept {
    Use<&Store::GetIntegerPreference>(key, &value);
}

void ReadInteger(const char* key, uint32_t& value) noexcept {
    int32_t place = static_cast<int32_t>(value);
    ReadInteger(key, place);
    value = static_cast<uint32_t>(place);
}

void ReadReal(const char* key, double& value) noexcept {
    HostReal place = value;
    Use<&Store::GetRealPreference>(key, &place);
    value = place;
}

void ReadText(const char* key, HostUString text) noexcept {
    if (text != nullptr) Use<&Store::GetUnicodeStringPreference>(key, text);
}

void ReadFilePath(const char* key, HostFilePath path) noexcept {
    if (path != nullptr) Use<&Store::GetFilePathSpecificationPreference>(key, path);
}

void WriteBoolean(const char* key, bool value) noexcept {
    Use<&Store::PutBooleanPreference>(key, static_cast<HostBool>(value ? 1 : 0));
}

void WriteInteger(const char* key, int32_t value) noexcept {
    Use<&Store::PutIntegerPreference>(key, value);
}

void WriteInteger(const char* key, uint32_t value) noexcept {
    WriteInteger(key, static_cast<int32_t>(value));
}

void WriteReal(const char* key, double value) noexcept {
    Use<&Store::PutRealPreference>(key, static_cast<HostReal>(value));
}

void WriteText(const char* key, HostUString text) noexcept {
    if (text != nullptr) Use<&Store::PutUnicodeStringPreference>(key, text);
}

void WriteFilePath(const char* key, HostFilePath path) noexcept {
    if (path != nullptr) Use<&Store::PutFilePathSpecificationPreference>(key, path);
}

} // namespace settings
