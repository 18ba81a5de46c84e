#include "ResourceBlob.h"

#include <cstring>

namespace ws::res {
namespace {

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

std::uint32_t getU32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t getU16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::size_t align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

} // namespace

std::vector<std::uint8_t> writeBlob(const std::vector<Resource>& resources) {
    std::vector<std::uint8_t> out;
    out.insert(out.end(), {'W', 'S', 'R', 'S'});
    putU32(out, kBlobVersion);
    putU32(out, static_cast<std::uint32_t>(resources.size()));
    std::size_t offset = align4(kHeaderSize + kEntrySize * resources.size());
    for (const Resource& r : resources) {
        putU32(out, r.type);
        putU32(out, static_cast<std::uint32_t>(r.id));
        putU16(out, r.language);
        putU16(out, 0);
        putU32(out, static_cast<std::uint32_t>(offset));
        putU32(out, static_cast<std::uint32_t>(r.data.size()));
        offset = align4(offset + r.data.size());
    }
    for (const Resource& r : resources) {
        out.resize(align4(out.size()), 0);
        out.insert(out.end(), r.data.begin(), r.data.end());
    }
    return out;
}

std::optional<std::vector<EntryView>> parseBlob(std::span<const std::uint8_t> blob) {
    if (blob.size() < kHeaderSize || std::memcmp(blob.data(), "WSRS", 4) != 0) return std::nullopt;
    if (getU32(blob, 4) != kBlobVersion) return std::nullopt;
    const std::uint64_t count = getU32(blob, 8);
    if (count > (blob.size() - kHeaderSize) / kEntrySize) return std::nullopt;
    std::vector<EntryView> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        const std::uint64_t offset = getU32(blob, at + 12);
        const std::uint64_t size = getU32(blob, at + 16);
        if (offset > blob.size() || size > blob.size() - offset) return std::nullopt;
        entries.push_back({getU32(blob, at), static_cast<std::int32_t>(getU32(blob, at + 4)),
                           getU16(blob, at + 8), blob.subspan(offset, size)});
    }
    return entries;
}

std::optional<std::uint32_t> fourCharCode(const std::string& text) {
    if (text.size() != 4) return std::nullopt;
    std::uint32_t v = 0;
    for (unsigned char c : text)
        v = v << 8 | c;
    return v;
}

} // namespace ws::res
