#include "common/SettingsStore.h"

#include "frame/HostSuites.h"

namespace settings {

namespace {

bool Usable() noexcept {
    return sPreference != nullptr;
}

} // namespace

void ReadBoolean(const char* key, bool& value) noexcept {
    if (!Usable() || sPreference->GetBooleanPreference == nullptr) return;
    HostBool place = value ? 1 : 0;
    sPreference->GetBooleanPreference(kPrefix, key, &place);
    value = place != 0;
}

void ReadInteger(const char* key, int32_t& value) noexcept {
    if (!Usable() || sPreference->GetIntegerPreference == nullptr) return;
    int32_t place = value;
    sPreference->GetIntegerPreference(kPrefix, key, &place);
    value = place;
}

void ReadInteger(const char* key, uint32_t& value) noexcept {
    int32_t place = static_cast<int32_t>(value);
    ReadInteger(key, place);
    value = static_cast<uint32_t>(place);
}

void ReadReal(const char* key, double& value) noexcept {
    if (!Usable() || sPreference->GetRealPreference == nullptr) return;
    HostReal place = value;
    sPreference->GetRealPreference(kPrefix, key, &place);
    value = place;
}

void ReadText(const char* key, HostUString text) noexcept {
    if (Usable() && sPreference->GetUnicodeStringPreference != nullptr && text != nullptr)
        sPreference->GetUnicodeStringPreference(kPrefix, key, text);
}

void ReadFilePath(const char* key, HostFilePath path) noexcept {
    if (Usable() && sPreference->GetFilePathSpecificationPreference != nullptr && path != nullptr)
        sPreference->GetFilePathSpecificationPreference(kPrefix, key, path);
}

void WriteBoolean(const char* key, bool value) noexcept {
    if (Usable() && sPreference->PutBooleanPreference != nullptr)
        sPreference->PutBooleanPreference(kPrefix, key, value ? 1 : 0);
}

void WriteInteger(const char* key, int32_t value) noexcept {
    if (Usable() && sPreference->PutIntegerPreference != nullptr)
        sPreference->PutIntegerPreference(kPrefix, key, value);
}

void WriteInteger(const char* key, uint32_t value) noexcept {
    WriteInteger(key, static_cast<int32_t>(value));
}

void WriteReal(const char* key, double value) noexcept {
    if (Usable() && sPreference->PutRealPreference != nullptr)
        sPreference->PutRealPreference(kPrefix, key, value);
}

void WriteText(const char* key, HostUString text) noexcept {
    if (Usable() && sPreference->PutUnicodeStringPreference != nullptr && text != nullptr)
        sPreference->PutUnicodeStringPreference(kPrefix, key, text);
}

void WriteFilePath(const char* key, HostFilePath path) noexcept {
    if (Usable() && sPreference->PutFilePathSpecificationPreference != nullptr && path != nullptr)
        sPreference->PutFilePathSpecificationPreference(kPrefix, key, path);
}

} // namespace settings
