// Little-endian integers in byte buffers: the resource blob, Windows bitmaps and icons,
// ELF files.
#pragma once

#include <cstdint>
#include <vector>

namespace ws::le {

/// The unsigned number in the bytes (at most 8) at p, least significant first.
inline std::uint64_t read(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}
inline std::uint32_t read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(read(p, 4));
}
inline std::uint16_t read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(read(p, 2));
}

/// Appends the low bytes of v (at most 8), least significant first.
inline void append(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void append32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    append(out, v, 4);
}
inline void append16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    append(out, v, 2);
}

} // namespace ws::le
