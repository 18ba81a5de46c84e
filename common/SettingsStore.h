// The commands' settings in the host's preference store, one value at a time under the
// module's prefix. Every code of the store is ignored on purpose: a read that fails leaves
// the caller's value (its default) as it was, and a write that fails is lost.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstdint>

namespace settings {

/** The prefix of every key: the plug-in's name. */
inline constexpr const char* kPrefix = "Mirvak-Cartovel1.6";

void ReadBoolean(const char* key, bool& value) noexcept;
void ReadInteger(const char* key, int32_t& value) noexcept;
/** An unsigned field kept as the store's signed integer, bit for bit. */
void ReadInteger(const char* key, uint32_t& value) noexcept;
void ReadReal(const char* key, double& value) noexcept;
/** Fills text (a string the caller owns) in place. */
void ReadText(const char* key, HostUString text) noexcept;
/** Fills path (a path the caller owns) in place. */
void ReadFilePath(const char* key, HostFilePath path) noexcept;

void WriteBoolean(const char* key, bool value) noexcept;
void WriteInteger(const char* key, int32_t value) noexcept;
void WriteInteger(const char* key, uint32_t value) noexcept;
void WriteReal(const char* key, double value) noexcept;
void WriteText(const char* key, HostUString text) noexcept;
void WriteFilePath(const char* key, HostFilePath path) noexcept;

} // namespace settings
