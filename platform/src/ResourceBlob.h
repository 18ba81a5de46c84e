// The resource blob that the resource compiler writes and the module reader parses.
//
// Layout, all integers little-endian:
//   "WSRS", uint32 version (1), uint32 entry count,
//   entries of 20 bytes: uint32 type, int32 id, uint16 language, uint16 reserved,
//                        uint32 offset, uint32 size,
//   then the data. Offsets count from the start of the blob; each item's data starts on a
//   4-byte boundary. The type is a four-character code packed with its first letter in the
//   most significant byte, the same value as the C literal 'DLG '.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ws::res {

inline constexpr std::uint32_t kBlobVersion = 1;
inline constexpr std::size_t kHeaderSize = 12;
inline constexpr std::size_t kEntrySize = 20;
inline constexpr std::uint16_t kDefaultLanguage = 1033;

struct Resource {
    std::uint32_t type = 0;
    std::int32_t id = 0;
    std::uint16_t language = kDefaultLanguage;
    std::vector<std::uint8_t> data;
};

/** A parsed entry; data points into the blob it was parsed from. */
struct EntryView {
    std::uint32_t type = 0;
    std::int32_t id = 0;
    std::uint16_t language = 0;
    std::span<const std::uint8_t> data;
};

std::vector<std::uint8_t> writeBlob(const std::vector<Resource>& resources);

/** Validates the whole blob (header, every entry inside the data); nullopt when any part
 *  is out of range, so a damaged blob is refused as a whole. */
std::optional<std::vector<EntryView>> parseBlob(std::span<const std::uint8_t> blob);

/** "DLG " -> 0x444C4720; nullopt unless the text is exactly four bytes. */
std::optional<std::uint32_t> fourCharCode(const std::string& text);

} // namespace ws::res
