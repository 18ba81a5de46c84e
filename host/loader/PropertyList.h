// The plug-in property list: the resource a module file carries (type 'PIPL', id 16000)
// that the host reads before any of the module's code runs. Little-endian layout:
//
//   int16 1, int32 0, int32 count, then count properties of
//   { vendor: int32 four-character code, key: int32 four-character code, id: int32,
//     length: int32, data: length bytes, NUL-filled to a multiple of 4 }
//
// The host requires key 'kind' = 'SPEA' (a module of this host's kind), 'ivrs' = 2 (the
// interface version it speaks) and 'wx86', the entry's name; 'pinm' (a name) is optional.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

inline constexpr std::uint32_t kPiplResourceType = HOST_FOURCC('P', 'I', 'P', 'L');
inline constexpr std::int32_t kPiplResourceId = 16000;
inline constexpr std::uint32_t kPiplKeyKind = HOST_FOURCC('k', 'i', 'n', 'd');
inline constexpr std::uint32_t kPiplKeyInterfaceVersion = HOST_FOURCC('i', 'v', 'r', 's');
inline constexpr std::uint32_t kPiplKeyEntry = HOST_FOURCC('w', 'x', '8', '6');
inline constexpr std::uint32_t kPiplKeyName = HOST_FOURCC('p', 'i', 'n', 'm');
inline constexpr std::uint32_t kPiplModuleKind = HOST_FOURCC('S', 'P', 'E', 'A');
inline constexpr std::int32_t kPiplInterfaceVersion = 2;

struct PiplProperty {
    std::uint32_t vendor = 0;
    std::uint32_t key = 0;
    std::int32_t id = 0;
    /// The data without its NUL fill.
    std::vector<std::byte> data;
};

struct PropertyList {
    std::vector<PiplProperty> properties;
    /// The name of the module's entry ('wx86').
    std::string entryName;
    /// The module's own name ('pinm'); empty when absent.
    std::string pluginName;
};

/// Reads and checks a property list. Throws HostError (kHostErrBadModule) with a message
/// "<file>: plug-in property list: <what is wrong>" for every malformed list.
PropertyList parsePropertyList(std::span<const std::byte> data, std::string_view file);

/// A four-character code as its characters ('kind'), or as hex when not printable.
std::string fourCharCode(std::uint32_t code);

} // namespace host
