// A command's settings as a table: each key with the member of the settings block that
// holds its value. Reading and writing go through the table in its order, so a command
// reads and writes its keys alike.
#pragma once

#include "common/HostText.h"
#include "common/SettingsStore.h"

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace settings {

/** Texts are kept as UTF-8 and cross the store as host strings; a missing key or a
 *  failed read leaves value as it was. */
inline void ReadText(const char* key, std::string& value) {
    ai::UnicodeString text;
    if (NewText(value, text) != kHostNoErr) return;
    ReadText(key, text.get());
    std::string read;
    if (TextToUTF8(text.get(), read) == kHostNoErr) value = std::move(read);
}

inline void WriteText(const char* key, const std::string& value) {
    ai::UnicodeString text;
    if (NewText(value, text) == kHostNoErr) WriteText(key, text.get());
}

template <class Block> struct Entry {
    const char* key;
    std::variant<bool Block::*, int32_t Block::*, uint32_t Block::*, double Block::*,
                 std::string Block::*>
        member;
};

namespace detail {
inline void Read(const char* key, bool& value) {
    ReadBoolean(key, value);
}
inline void Read(const char* key, int32_t& value) {
    ReadInteger(key, value);
}
inline void Read(const char* key, uint32_t& value) {
    ReadInteger(key, value);
}
inline void Read(const char* key, double& value) {
    ReadReal(key, value);
}
inline void Read(const char* key, std::string& value) {
    ReadText(key, value);
}
inline void Write(const char* key, bool value) {
    WriteBoolean(key, value);
}
inline void Write(const char* key, int32_t value) {
    WriteInteger(key, value);
}
inline void Write(const char* key, uint32_t value) {
    WriteInteger(key, value);
}
inline void Write(const char* key, double value) {
    WriteReal(key, value);
}
inline void Write(const char* key, const std::string& value) {
    WriteText(key, value);
}
} // namespace detail

template <class Block>
void ReadAll(std::span<const Entry<std::type_identity_t<Block>>> table, Block& block) {
    for (const Entry<Block>& entry : table)
        std::visit([&](auto member) { detail::Read(entry.key, block.*member); }, entry.member);
}

template <class Block>
void WriteAll(std::span<const Entry<std::type_identity_t<Block>>> table, const Block& block) {
    for (const Entry<Block>& entry : table)
        std::visit([&](auto member) { detail::Write(entry.key, block.*member); }, entry.member);
}

} // namespace settings
