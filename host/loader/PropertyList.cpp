#include "host/loader/PropertyList.h"

#include "host/core/Errors.h"
#include "host/core/Strings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace host {
namespace {

constexpr std::size_t kHeaderSize = 10;
constexpr std::size_t kPropertyHeaderSize = 16;

std::uint32_t readU32(std::span<const std::byte> data, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(std::to_integer<std::uint8_t>(data[offset + i]))
                 << (8 * i);
    return value;
}

std::int32_t readI32(std::span<const std::byte> data, std::size_t offset) {
    return static_cast<std::int32_t>(readU32(data, offset));
}

std::int16_t readI16(std::span<const std::byte> data, std::size_t offset) {
    const auto lo = std::to_integer<std::uint16_t>(data[offset]);
    const auto hi = std::to_integer<std::uint16_t>(data[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

class Checker {
public:
    explicit Checker(std::string_view file) : file_(file) {}
    [[noreturn]] void fail(const std::string& what) const {
        throw HostError(kHostErrBadModule, file_ + ": plug-in property list: " + what);
    }

private:
    std::string file_;
};

const PiplProperty* findUnique(const PropertyList& list, std::uint32_t key, const Checker& check) {
    const PiplProperty* found = nullptr;
    for (const PiplProperty& p : list.properties) {
        if (p.key != key) continue;
        if (found != nullptr) check.fail("has more than one '" + fourCharCode(key) + "' property");
        found = &p;
    }
    return found;
}

const PiplProperty& require(const PropertyList& list, std::uint32_t key, const char* meaning,
                            const Checker& check) {
    const PiplProperty* p = findUnique(list, key, check);
    if (p == nullptr) check.fail("has no '" + fourCharCode(key) + "' property (" + meaning + ")");
    return *p;
}

std::uint32_t intValue(const PiplProperty& p, const Checker& check) {
    if (p.data.size() < 4)
        check.fail("'" + fourCharCode(p.key) + "' holds " + std::to_string(p.data.size()) +
                   " bytes, expected a 4-byte value");
    return readU32(p.data, 0);
}

std::string textValue(const PiplProperty& p, const Checker& check) {
    const auto nul = std::find(p.data.begin(), p.data.end(), std::byte{0});
    if (nul == p.data.end()) check.fail("'" + fourCharCode(p.key) + "' text is not NUL-terminated");
    std::string text(reinterpret_cast<const char*>(p.data.data()),
                     static_cast<std::size_t>(nul - p.data.begin()));
    return text;
}

bool isSymbolName(std::string_view name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front()))) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return c == '_' || std::isalnum(static_cast<unsigned char>(c));
    });
}

} // namespace

std::string fourCharCode(std::uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", code);
            return hex;
        }
        text.push_back(c);
    }
    return text;
}

PropertyList parsePropertyList(std::span<const std::byte> data, std::string_view file) {
    const Checker check(file);
    if (data.size() < kHeaderSize)
        check.fail("is " + std::to_string(data.size()) + " bytes long, shorter than its " +
                   std::to_string(kHeaderSize) + "-byte header");
    if (const std::int16_t version = readI16(data, 0); version != 1)
        check.fail("has format version " + std::to_string(version) + ", expected 1");
    if (const std::int32_t reserved = readI32(data, 2); reserved != 0)
        check.fail("has " + std::to_string(reserved) + " at byte 2, expected 0");
    const std::int32_t count = readI32(data, 6);
    if (count < 0) check.fail("has a negative property count (" + std::to_string(count) + ")");
    const std::size_t room = (data.size() - kHeaderSize) / kPropertyHeaderSize;
    if (static_cast<std::size_t>(count) > room)
        check.fail("claims " + std::to_string(count) + " properties but has room for at most " +
                   std::to_string(room));

    PropertyList list;
    list.properties.reserve(static_cast<std::size_t>(count));
    std::size_t offset = kHeaderSize;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string where =
            "property " + std::to_string(i + 1) + " (at byte " + std::to_string(offset) + ")";
        if (data.size() - offset < kPropertyHeaderSize) check.fail(where + " is cut short");
        PiplProperty p;
        p.vendor = readU32(data, offset);
        p.key = readU32(data, offset + 4);
        p.id = readI32(data, offset + 8);
        const std::int32_t length = readI32(data, offset + 12);
        const std::string named = where + " '" + fourCharCode(p.key) + "'";
        if (length < 0)
            check.fail(named + " has a negative data length (" + std::to_string(length) + ")");
        // The length counts the NUL fill; a writer that left the fill out is still read up to
        // the next multiple of 4.
        const std::size_t padded = (static_cast<std::size_t>(length) + 3) & ~std::size_t{3};
        const std::size_t start = offset + kPropertyHeaderSize;
        if (padded > data.size() - start)
            check.fail(named + " has " + std::to_string(length) +
                       " bytes of data, which run past the end of the list");
        p.data.assign(data.begin() + static_cast<std::ptrdiff_t>(start),
                      data.begin() +
                          static_cast<std::ptrdiff_t>(start + static_cast<std::size_t>(length)));
        list.properties.push_back(std::move(p));
        offset = start + padded;
    }

    const std::uint32_t kind = intValue(require(list, kPiplKeyKind, "module kind", check), check);
    if (kind != kPiplModuleKind)
        check.fail("module kind is '" + fourCharCode(kind) + "', expected '" +
                   fourCharCode(kPiplModuleKind) + "'");
    const auto interfaceVersion = static_cast<std::int32_t>(
        intValue(require(list, kPiplKeyInterfaceVersion, "interface version", check), check));
    if (interfaceVersion != kPiplInterfaceVersion)
        check.fail("interface version is " + std::to_string(interfaceVersion) +
                   ", this host speaks " + std::to_string(kPiplInterfaceVersion));
    list.entryName = textValue(require(list, kPiplKeyEntry, "entry name", check), check);
    if (!isSymbolName(list.entryName))
        check.fail("entry name \"" + list.entryName + "\" is not a symbol name");
    if (const PiplProperty* name = findUnique(list, kPiplKeyName, check)) {
        list.pluginName = textValue(*name, check);
        if (!isValidUtf8(list.pluginName)) check.fail("'pinm' name is not UTF-8");
    }
    return list;
}

} // namespace host
