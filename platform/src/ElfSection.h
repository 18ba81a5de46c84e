// Reads one named section from an ELF64 little-endian file without loading it. Every offset
// and size in the file is checked against the file's length before it is used, so a
// truncated or hostile file gives an error, never an out-of-range read.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace ws::elf {

enum class SectionStatus { Found, NotFound, CannotOpen, NotElf64, Damaged };

struct SectionResult {
    SectionStatus status = SectionStatus::CannotOpen;
    std::vector<std::uint8_t> data;
};

SectionResult readSection(const std::string& path, const std::string& sectionName);
SectionResult readSection(std::istream& in, const std::string& sectionName);

} // namespace ws::elf
