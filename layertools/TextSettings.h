// Text settings of the layer tools, which hold their texts as UTF-8: the value crosses
// the settings store as a host string.
#pragma once

#include "common/HostText.h"
#include "common/SettingsStore.h"

#include <string>

/** A missing key or a failed read leaves value as it was. */
inline void ReadTextSetting(const char* key, std::string& value) {
    ai::UnicodeString text;
    if (NewText(value, text) != kHostNoErr) return;
    settings::ReadText(key, text.get());
    std::string read;
    if (TextToUTF8(text.get(), read) == kHostNoErr) value = std::move(read);
}

inline void WriteTextSetting(const char* key, const std::string& value) {
    ai::UnicodeString text;
    if (NewText(value, text) == kHostNoErr) settings::WriteText(key, text.get());
}
