#include "ElfSection.h"

#include "LittleEndian.h"

#include <array>
#include <cstring>
#include <fstream>
#include <limits>

namespace ws::elf {
namespace {

constexpr std::size_t kElfHeaderSize = 64;
constexpr std::size_t kSectionHeaderSize = 64;
constexpr std::uint32_t kSectionNoBits = 8;
// A resource section or a section-name table larger than this is treated as damage
// rather than read into memory.
constexpr std::uint64_t kMaxSectionBytes = 256u << 20;
constexpr std::uint64_t kMaxSections = 65536;

struct SectionHeader {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

SectionHeader decode(const std::uint8_t* p) {
    return {le::read32(p), le::read32(p + 4), le::read(p + 24, 8), le::read(p + 32, 8),
            le::read32(p + 40)};
}

class File {
public:
    explicit File(std::istream& in) : in_(in) {
        if (!in_) return;
        in_.seekg(0, std::ios::end);
        const auto end = in_.tellg();
        if (end < 0) return;
        size_ = static_cast<std::uint64_t>(end);
        open_ = true;
    }
    bool open() const { return open_; }
    bool contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    bool read(std::uint64_t offset, std::uint64_t length, std::vector<std::uint8_t>& out) {
        if (!contains(offset, length)) return false;
        out.resize(length);
        if (length == 0) return true;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(length));
        return static_cast<std::uint64_t>(in_.gcount()) == length;
    }

private:
    std::istream& in_;
    std::uint64_t size_ = 0;
    bool open_ = false;
};

} // namespace

SectionResult readSection(const std::string& path, const std::string& sectionName) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return readSection(in, sectionName);
}

SectionResult readSection(std::istream& in, const std::string& sectionName) {
    SectionResult result;
    File file(in);
    if (!file.open()) return result;

    std::vector<std::uint8_t> header;
    if (!file.read(0, kElfHeaderSize, header) ||
        std::memcmp(header.data(),
                    "\x7f"
                    "ELF",
                    4) != 0 ||
        header[4] != 2 /* 64-bit */ || header[5] != 1 /* little-endian */) {
        result.status = SectionStatus::NotElf64;
        return result;
    }
    result.status = SectionStatus::Damaged;
    const std::uint64_t tableOffset = le::read(&header[0x28], 8);
    const std::uint64_t entrySize = le::read(&header[0x3A], 2);
    std::uint64_t count = le::read(&header[0x3C], 2);
    std::uint64_t namesIndex = le::read(&header[0x3E], 2);
    if (tableOffset == 0) {
        result.status = SectionStatus::NotFound;
        return result;
    }
    if (entrySize < kSectionHeaderSize) return result;

    // Many sections: the real count and name-table index live in section header 0.
    std::vector<std::uint8_t> raw;
    if (count == 0 || namesIndex == 0xFFFF) {
        if (!file.read(tableOffset, kSectionHeaderSize, raw)) return result;
        const SectionHeader first = decode(raw.data());
        if (count == 0) count = first.size;
        if (namesIndex == 0xFFFF) namesIndex = first.link;
    }
    if (count == 0 || count > kMaxSections || namesIndex >= count) return result;
    if (!file.read(tableOffset, count * entrySize, raw)) return result;

    std::vector<SectionHeader> sections;
    sections.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i)
        sections.push_back(decode(&raw[i * entrySize]));

    const SectionHeader& namesSection = sections[namesIndex];
    if (namesSection.type == kSectionNoBits || namesSection.size > kMaxSectionBytes) return result;
    std::vector<std::uint8_t> names;
    if (!file.read(namesSection.offset, namesSection.size, names)) return result;

    for (const SectionHeader& s : sections) {
        if (s.name >= names.size()) continue;
        const auto* start = reinterpret_cast<const char*>(&names[s.name]);
        const std::size_t room = names.size() - s.name;
        const std::size_t length = strnlen(start, room);
        if (length == room || std::string_view(start, length) != sectionName) continue;
        if (s.type == kSectionNoBits || s.size > kMaxSectionBytes) return result;
        if (!file.read(s.offset, s.size, result.data)) return result;
        result.status = SectionStatus::Found;
        return result;
    }
    result.status = SectionStatus::NotFound;
    return result;
}

} // namespace ws::elf
