#include "ResourceBlob.h"

#include "LittleEndian.h"

#include <cstring>

namespace ws::res {
namespace {

std::size_t align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

} // namespace

std::vector<std::uint8_t> writeBlob(const std::vector<Resource>& resources) {
    std::vector<std::uint8_t> out;
    out.insert(out.end(), {'W', 'S', 'R', 'S'});
    le::append32(out, kBlobVersion);
    le::append32(out, static_cast<std::uint32_t>(resources.size()));
    std::size_t offset = align4(kHeaderSize + kEntrySize * resources.size());
    for (const Resource& r : resources) {
        le::append32(out, r.type);
        le::append32(out, static_cast<std::uint32_t>(r.id));
        le::append16(out, r.language);
        le::append16(out, 0);
        le::append32(out, static_cast<std::uint32_t>(offset));
        le::append32(out, static_cast<std::uint32_t>(r.data.size()));
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
    if (le::read32(blob.data() + 4) != kBlobVersion) return std::nullopt;
    const std::uint64_t count = le::read32(blob.data() + 8);
    if (count > (blob.size() - kHeaderSize) / kEntrySize) return std::nullopt;
    std::vector<EntryView> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        const std::uint64_t offset = le::read32(blob.data() + at + 12);
        const std::uint64_t size = le::read32(blob.data() + at + 16);
        if (offset > blob.size() || size > blob.size() - offset) return std::nullopt;
        entries.push_back({le::read32(blob.data() + at),
                           static_cast<std::int32_t>(le::read32(blob.data() + at + 4)),
                           le::read16(blob.data() + at + 8), blob.subspan(offset, size)});
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
