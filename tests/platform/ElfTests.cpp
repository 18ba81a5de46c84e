// Reading resources from module files that are damaged or hostile: every such file is
// refused without a crash or a read outside the file.
#include "ElfSection.h"
#include "ResourceBlob.h"
#include "TestSupport.h"

#include <cstring>
#include <functional>
#include <streambuf>

using namespace wstest;

namespace {

using Bytes = std::vector<std::uint8_t>;

template <class T> T get(const Bytes& b, std::size_t at) {
    T v{};
    std::memcpy(&v, &b[at], sizeof v);
    return v;
}

template <class T> void put(Bytes& b, std::size_t at, T v) {
    std::memcpy(&b[at], &v, sizeof v);
}

// Where the section header of .ws_resources sits in a sound file.
std::size_t resourceSectionHeader(const Bytes& b) {
    const auto table = get<std::uint64_t>(b, 0x28);
    const auto count = get<std::uint16_t>(b, 0x3C);
    const auto names = table + 64 * get<std::uint16_t>(b, 0x3E);
    const auto namesOffset = get<std::uint64_t>(b, names + 24);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = table + 64 * i;
        const char* name =
            reinterpret_cast<const char*>(&b[namesOffset + get<std::uint32_t>(b, at)]);
        if (std::strcmp(name, ".ws_resources") == 0) return at;
    }
    return 0;
}

void overwrite(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

// True when the file opens and its property list can be found.
bool resourcesReadable(const Bytes& bytes) {
    static TempFile file({});
    overwrite(file.path(), bytes);
    WsModule m = WsLoadLibraryAsData(file.path().c_str());
    if (!m) return false;
    const void* data = nullptr;
    size_t size = 0;
    const bool found = WsFindResource(m, WS_RT_PIPL, 16000, &data, &size) != 0;
    if (found) {
        // Touch every byte: a view outside the blob shows up under the address sanitizer.
        unsigned sum = 0;
        for (size_t i = 0; i < size; ++i)
            sum += static_cast<const std::uint8_t*>(data)[i];
        (void)sum;
    }
    EXPECT_TRUE(WsFreeLibrary(m));
    return found;
}

} // namespace

TEST(HostileModules, DamagedFilesAreRefused) {
    const Bytes good = readBytes(WS_TEST_MODULE);
    ASSERT_TRUE(resourcesReadable(good));
    const std::size_t section = resourceSectionHeader(good);
    ASSERT_NE(section, 0u);
    const auto blobOffset = get<std::uint64_t>(good, section + 24);
    const auto blobSize = get<std::uint64_t>(good, section + 32);

    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"empty file", [](Bytes& b) { b.clear(); }},
        {"cut inside the ELF header", [](Bytes& b) { b.resize(40); }},
        {"ELF header only", [](Bytes& b) { b.resize(64); }},
        {"cut inside the section headers", [](Bytes& b) { b.resize(b.size() - 100); }},
        {"not ELF", [](Bytes& b) { b[1] = 'X'; }},
        {"32-bit class", [](Bytes& b) { b[4] = 1; }},
        {"big-endian", [](Bytes& b) { b[5] = 2; }},
        {"section headers past the end",
         [](Bytes& b) { put<std::uint64_t>(b, 0x28, b.size() - 8); }},
        {"section header offset wraps", [](Bytes& b) { put<std::uint64_t>(b, 0x28, ~0ull - 8); }},
        {"no section headers", [](Bytes& b) { put<std::uint64_t>(b, 0x28, 0); }},
        {"short section header entries", [](Bytes& b) { put<std::uint16_t>(b, 0x3A, 16); }},
        {"section count past the end", [](Bytes& b) { put<std::uint16_t>(b, 0x3C, 0xFF00); }},
        {"name table index out of range", [](Bytes& b) { put<std::uint16_t>(b, 0x3E, 0xFF00); }},
        {"resource section offset bogus",
         [&](Bytes& b) { put<std::uint64_t>(b, section + 24, ~0ull - 3); }},
        {"resource section size bogus",
         [&](Bytes& b) { put<std::uint64_t>(b, section + 32, b.size()); }},
        {"resource section without contents",
         [&](Bytes& b) { put<std::uint32_t>(b, section + 4, 8); }},
        {"resource section name out of range",
         [&](Bytes& b) { put<std::uint32_t>(b, section, 0xFFFFFF00); }},
        {"blob cut short", [&](Bytes& b) { put<std::uint64_t>(b, section + 32, 10); }},
        {"blob entry count huge",
         [&](Bytes& b) { put<std::uint32_t>(b, blobOffset + 8, 0x7FFFFFFF); }},
        {"blob entry data past the blob",
         [&](Bytes& b) { put<std::uint32_t>(b, blobOffset + 12 + 16, blobSize); }},
    };
    for (const auto& c : cases) {
        Bytes bytes = good;
        c.damage(bytes);
        EXPECT_FALSE(resourcesReadable(bytes)) << c.what;
    }
}

// Reads a byte buffer in place, so the sweep below copies nothing.
class MemoryBuffer : public std::streambuf {
public:
    explicit MemoryBuffer(Bytes& bytes) {
        char* p = reinterpret_cast<char*>(bytes.data());
        setg(p, p, p + bytes.size());
    }

protected:
    pos_type seekoff(off_type off, std::ios::seekdir dir, std::ios::openmode) override {
        const off_type base = dir == std::ios::beg   ? 0
                              : dir == std::ios::cur ? gptr() - eback()
                                                     : egptr() - eback();
        return seekpos(pos_type(base + off), std::ios::in);
    }
    pos_type seekpos(pos_type pos, std::ios::openmode) override {
        if (pos < 0 || pos > egptr() - eback()) return pos_type(off_type(-1));
        setg(eback(), eback() + pos, egptr());
        return pos;
    }
};

// Every byte of the ELF header and of the section headers, set to 0 and to 255, read the
// way WsLoadLibraryAsData reads a file (in memory, to keep the sweep quick). Under the
// address sanitizer any read outside the file or the blob fails the test.
TEST(HostileModules, NoByteOfTheHeadersCanMakeTheReaderOverrun) {
    Bytes bytes = readBytes(WS_TEST_MODULE);
    const auto table = get<std::uint64_t>(bytes, 0x28);
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < 64; ++i)
        positions.push_back(i);
    for (std::size_t i = table; i < bytes.size(); ++i)
        positions.push_back(i);
    std::size_t found = 0;
    for (std::size_t at : positions) {
        const std::uint8_t original = bytes[at];
        for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
            bytes[at] = value;
            MemoryBuffer buffer(bytes);
            std::istream in(&buffer);
            auto section = ws::elf::readSection(in, ".ws_resources");
            if (section.status != ws::elf::SectionStatus::Found) continue;
            ASSERT_LE(section.data.size(), bytes.size());
            if (auto entries = ws::res::parseBlob(section.data)) found += entries->size();
        }
        bytes[at] = original;
    }
    EXPECT_GT(found, 0u) << "most damage outside the resource section leaves it readable";
}

TEST(HostileModules, ModuleWithoutResourcesOpensWithNone) {
    WsModule m = WsLoadLibraryAsData(WS_TEST_PLAIN_MODULE);
    ASSERT_TRUE(m);
    EXPECT_FALSE(WsFindResource(m, WS_RT_PIPL, 16000, nullptr, nullptr));
    EXPECT_TRUE(WsFreeLibrary(m));
    EXPECT_FALSE(WsLoadLibraryAsData("/no/such/file.so"));
    EXPECT_FALSE(WsLoadLibraryAsData(""));
    EXPECT_FALSE(WsLoadLibraryAsData(nullptr));
}
