// TEMPORARY: direct preference calls until the shared settings store of common/ lands.
#pragma once

#include "common/HostText.h"
#include "frame/HostSuites.h"

#include <string>

inline constexpr const char* kPendingPrefix = "Mirvak-Cartovel1.6";

inline void ReadIntegerSetting(const char* key, int32_t& value) {
    int32_t v = value;
    if (sPreference && sPreference->GetIntegerPreference(kPendingPrefix, key, &v) == 0) value = v;
}
inline void ReadBooleanSetting(const char* key, bool& value) {
    HostBool v = value;
    if (sPreference && sPreference->GetBooleanPreference(kPendingPrefix, key, &v) == 0)
        value = v != 0;
}
inline void ReadTextSetting(const char* key, std::string& value) {
    ai::UnicodeString s;
    if (!sPreference || NewText(value, s) != 0) return;
    if (sPreference->GetUnicodeStringPreference(kPendingPrefix, key, s.get()) == 0)
        TextToUTF8(s.get(), value);
}
inline void ReadFilePathSetting(const char* key, HostFilePath path) {
    if (sPreference) sPreference->GetFilePathSpecificationPreference(kPendingPrefix, key, path);
}
inline void WriteIntegerSetting(const char* key, int32_t value) {
    if (sPreference) sPreference->PutIntegerPreference(kPendingPrefix, key, value);
}
inline void WriteBooleanSetting(const char* key, bool value) {
    if (sPreference) sPreference->PutBooleanPreference(kPendingPrefix, key, value ? 1 : 0);
}
inline void WriteTextSetting(const char* key, const std::string& value) {
    ai::UnicodeString s;
    if (sPreference && NewText(value, s) == 0)
        sPreference->PutUnicodeStringPreference(kPendingPrefix, key, s.get());
}
inline void WriteFilePathSetting(const char* key, HostFilePath path) {
    if (sPreference) sPreference->PutFilePathSpecificationPreference(kPendingPrefix, key, path);
}
