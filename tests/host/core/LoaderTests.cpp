// The loader: the property list is read and checked before any module code runs; hostile
// lists and files give errors that name the file and the fault.
#include "host/core/Application.h"
#include "host/core/Errors.h"
#include "host/loader/PropertyList.h"
#include "platform/ws.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace host {
namespace {

// A property list written byte by byte, little-endian.
class Pipl {
public:
    Pipl& i16(int16_t v) { return raw(static_cast<uint32_t>(v), 2); }
    Pipl& i32(int32_t v) { return raw(static_cast<uint32_t>(v), 4); }
    Pipl& header(int32_t count) { return i16(1).i32(0).i32(count); }
    /// One property with its length and NUL fill.
    Pipl& property(uint32_t key, std::string_view data) {
        i32(static_cast<int32_t>(HOST_FOURCC('T', 'E', 'S', 'T')))
            .i32(static_cast<int32_t>(key))
            .i32(0);
        const std::size_t padded = (data.size() + 3) & ~std::size_t{3};
        i32(static_cast<int32_t>(padded));
        for (char c : data)
            bytes_.push_back(static_cast<std::byte>(c));
        bytes_.resize(bytes_.size() + padded - data.size(), std::byte{0});
        return *this;
    }
    Pipl& fourcc(uint32_t key, uint32_t value) {
        std::string data(4, '\0');
        for (int i = 0; i < 4; ++i)
            data[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        return property(key, data);
    }
    Pipl& int32(uint32_t key, int32_t value) { return fourcc(key, static_cast<uint32_t>(value)); }
    Pipl& text(uint32_t key, std::string_view value) {
        return property(key, std::string(value) + '\0');
    }
    /// The three properties the host requires.
    Pipl& required(std::string_view entry = "PluginMain") {
        return fourcc(kPiplKeyKind, kPiplModuleKind)
            .int32(kPiplKeyInterfaceVersion, 2)
            .text(kPiplKeyEntry, entry);
    }
    [[nodiscard]] const std::vector<std::byte>& bytes() const { return bytes_; }

private:
    Pipl& raw(uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            bytes_.push_back(static_cast<std::byte>((v >> (8 * i)) & 0xFF));
        return *this;
    }
    std::vector<std::byte> bytes_;
};

std::string errorOf(const std::vector<std::byte>& bytes) {
    try {
        parsePropertyList(bytes, "m.so");
    } catch (const HostError& e) {
        EXPECT_EQ(e.code(), kHostErrBadModule);
        return e.what();
    }
    return "(accepted)";
}

TEST(PropertyList, ReadsTheEntryAndNameAndKeepsEveryProperty) {
    const Pipl list = Pipl()
                          .header(5)
                          .required("PluginMain")
                          .text(kPiplKeyName, "Mirvak-Parvane2CS6")
                          .text(HOST_FOURCC('x', 't', 'r', 'a'), "kept");
    const PropertyList parsed = parsePropertyList(list.bytes(), "m.so");
    EXPECT_EQ(parsed.entryName, "PluginMain");
    EXPECT_EQ(parsed.pluginName, "Mirvak-Parvane2CS6");
    ASSERT_EQ(parsed.properties.size(), 5u);
    EXPECT_EQ(parsed.properties[2].data.size(), 12u); // "PluginMain" with its NUL fill

    // A writer that counted the data without its fill is still read.
    Pipl unpadded;
    unpadded.header(3).fourcc(kPiplKeyKind, kPiplModuleKind).int32(kPiplKeyInterfaceVersion, 2);
    unpadded.i32(0).i32(static_cast<int32_t>(kPiplKeyEntry)).i32(0).i32(5);
    std::vector<std::byte> bytes = unpadded.bytes();
    for (char c : std::string_view("Main\0\0\0\0", 8))
        bytes.push_back(static_cast<std::byte>(c));
    EXPECT_EQ(parsePropertyList(bytes, "m.so").entryName, "Main");
}

TEST(PropertyList, EveryMalformedListIsRefusedWithTheFileAndTheFault) {
    struct Case {
        const char* what;
        std::vector<std::byte> bytes;
        const char* message;
    };
    const auto cut = [](Pipl p, std::size_t keep) {
        auto b = p.bytes();
        b.resize(keep);
        return b;
    };
    const Case cases[] = {
        {"empty", {}, "is 0 bytes long, shorter than its 10-byte header"},
        {"version", Pipl().i16(2).i32(0).i32(0).bytes(), "has format version 2, expected 1"},
        {"reserved", Pipl().i16(1).i32(5).i32(0).bytes(), "has 5 at byte 2, expected 0"},
        {"negative count", Pipl().header(-1).bytes(), "has a negative property count (-1)"},
        {"huge count", Pipl().header(1000).required().bytes(),
         "claims 1000 properties but has room for at most 4"},
        {"cut short",
         cut(Pipl().header(2).text(kPiplKeyEntry, std::string(40, 'a')).required(), 80),
         "property 2 (at byte 70) is cut short"},
        {"negative length",
         Pipl().header(1).i32(0).i32(static_cast<int32_t>(kPiplKeyKind)).i32(0).i32(-4).bytes(),
         "property 1 (at byte 10) 'kind' has a negative data length (-4)"},
        {"past the end", cut(Pipl().header(1).text(kPiplKeyEntry, std::string(40, 'a')), 40),
         "property 1 (at byte 10) 'wx86' has 44 bytes of data, which run past the end of the list"},
        {"no kind",
         Pipl()
             .header(2)
             .int32(kPiplKeyInterfaceVersion, 2)
             .text(kPiplKeyEntry, "PluginMain")
             .bytes(),
         "has no 'kind' property (module kind)"},
        {"wrong kind",
         Pipl()
             .header(3)
             .fourcc(kPiplKeyKind, HOST_FOURCC('8', 'B', 'F', 'M'))
             .int32(kPiplKeyInterfaceVersion, 2)
             .text(kPiplKeyEntry, "PluginMain")
             .bytes(),
         "module kind is '8BFM', expected 'SPEA'"},
        {"short kind",
         Pipl()
             .header(1)
             .i32(0)
             .i32(static_cast<int32_t>(kPiplKeyKind))
             .i32(0)
             .i32(2)
             .i32(0x5053)
             .bytes(),
         "'kind' holds 2 bytes, expected a 4-byte value"},
        {"two kinds", Pipl().header(4).required().fourcc(kPiplKeyKind, kPiplModuleKind).bytes(),
         "has more than one 'kind' property"},
        {"interface version",
         Pipl()
             .header(3)
             .fourcc(kPiplKeyKind, kPiplModuleKind)
             .int32(kPiplKeyInterfaceVersion, 3)
             .text(kPiplKeyEntry, "PluginMain")
             .bytes(),
         "interface version is 3, this host speaks 2"},
        {"no entry",
         Pipl()
             .header(2)
             .fourcc(kPiplKeyKind, kPiplModuleKind)
             .int32(kPiplKeyInterfaceVersion, 2)
             .bytes(),
         "has no 'wx86' property (entry name)"},
        {"unterminated entry",
         Pipl()
             .header(3)
             .fourcc(kPiplKeyKind, kPiplModuleKind)
             .int32(kPiplKeyInterfaceVersion, 2)
             .property(kPiplKeyEntry, "Main")
             .bytes(),
         "'wx86' text is not NUL-terminated"},
        {"entry no symbol", Pipl().header(3).required("9 lives").bytes(),
         "entry name \"9 lives\" is not a symbol name"},
        {"empty entry", Pipl().header(3).required("").bytes(),
         "entry name \"\" is not a symbol name"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.bytes), std::string("m.so: plug-in property list: ") + c.message)
            << c.what;
}

// Module files built with their own resource scripts.
class ModuleFiles : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("CARTOVEL_TEST_MODULE_RAN"); }
    static bool moduleCodeRan() { return std::getenv("CARTOVEL_TEST_MODULE_RAN") != nullptr; }
    static std::string errorLoading(const std::string& path) {
        try {
            Module::load(path);
        } catch (const HostError& e) {
            return e.what();
        }
        return "(loaded)";
    }
};

TEST_F(ModuleFiles, AFaultyModuleIsRefusedBeforeAnyOfItsCodeRuns) {
    struct Case {
        const char* path;
        const char* fault;
    };
    const Case cases[] = {
        {HOST_TEST_MODULE_WRONG_KIND,
         "plug-in property list: module kind is '8BFM', expected 'SPEA'"},
        {HOST_TEST_MODULE_TRUNCATED,
         "plug-in property list: claims 3 properties but has room for at most 0"},
        {HOST_TEST_MODULE_WRONG_ID, "has no plug-in property list (resource 'PIPL' 16000)"},
        {HOST_TEST_MODULE_PLAIN, "has no plug-in property list (resource 'PIPL' 16000)"},
        {HOST_TEST_MODULE_DIR "/no-such-module.so", "no such module file"},
    };
    for (const Case& c : cases) {
        const std::string absolute = std::filesystem::absolute(c.path).lexically_normal().string();
        EXPECT_EQ(errorLoading(c.path), absolute + ": " + c.fault);
        EXPECT_FALSE(moduleCodeRan()) << c.path;
    }
    // The list is sound but names an entry the code does not export: the code is loaded to
    // look, and the error says what is missing.
    EXPECT_EQ(
        errorLoading(HOST_TEST_MODULE_MISSING_ENTRY),
        std::filesystem::absolute(HOST_TEST_MODULE_MISSING_ENTRY).lexically_normal().string() +
            ": has no entry \"NoSuchMain\"");
}

TEST_F(ModuleFiles, AGoodModuleIsStartedUnloadedAndReloadedThroughItsNamedEntry) {
    Application app;
    Module& module = app.loadModule(HOST_TEST_MODULE_GOOD);
    EXPECT_EQ(module.properties()->entryName, "OtherMain");
    EXPECT_EQ(module.name(), "Loader Test");
    const std::string fileName = std::filesystem::path(HOST_TEST_MODULE_GOOD).filename().string();
    ASSERT_EQ(app.startModules(), kHostNoErr);
    EXPECT_NE(WsGetModuleHandle(fileName.c_str()), nullptr);

    HostMessageData record{};
    EXPECT_EQ(app.send(module, "Test", "Initialisations", record), 1);
    ASSERT_EQ(app.unloadModule(module), kHostNoErr);
    EXPECT_FALSE(module.codeLoaded());
    EXPECT_EQ(WsGetModuleHandle(fileName.c_str()), nullptr);

    // Delivering reloads the code, which starts afresh, and the globals slot survived.
    EXPECT_EQ(app.deliver(module, "Test", "Globals", record), kHostNoErr);
    EXPECT_EQ(app.deliver(module, "Test", "Initialisations", record), 1);
    EXPECT_EQ(app.sentMessages()[2].selector, kSelectorUnload);
    EXPECT_EQ(app.sentMessages()[3].selector, kSelectorReload);
}

} // namespace
} // namespace host
