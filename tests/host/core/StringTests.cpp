// Host strings, file paths, folders and memory blocks as a module uses them.
#include "FakeModule.h"
#include "hostapi/suites/BlocksSuite.h"
#include "hostapi/suites/FilePathSuite.h"
#include "hostapi/suites/FoldersSuite.h"
#include "hostapi/suites/PluginsSuite.h"
#include "hostapi/suites/UnicodeStringSuite.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace host {
namespace {

class StringSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ustr = test::acquire<HostUnicodeStringSuite>(app, kHostUnicodeStringSuite,
                                                     kHostUnicodeStringSuiteVersion);
        paths =
            test::acquire<HostFilePathSuite>(app, kHostFilePathSuite, kHostFilePathSuiteVersion);
        ASSERT_TRUE(ustr && paths);
    }
    HostUString make(std::string_view t) {
        HostUString s = nullptr;
        EXPECT_EQ(ustr->New(t.data(), t.size(), &s), kHostNoErr);
        return s;
    }
    std::string utf8(HostUString s) {
        const char* p = nullptr;
        size_t n = 0;
        EXPECT_EQ(ustr->GetUTF8(s, &p, &n), kHostNoErr);
        return std::string(p, n);
    }

    Application app;
    const HostUnicodeStringSuite* ustr = nullptr;
    const HostFilePathSuite* paths = nullptr;
};

TEST_F(StringSuiteTest, TextOperationsCountCharactersNotBytes) {
    HostUString s = make("レイヤー1");
    HostUString what = make("ー");
    size_t length = 0, at = 0;
    ASSERT_EQ(ustr->Length(s, &length), kHostNoErr);
    EXPECT_EQ(length, 5u);
    ASSERT_EQ(ustr->Find(s, what, 0, &at), kHostNoErr);
    EXPECT_EQ(at, 3u);
    ASSERT_EQ(ustr->Find(s, what, 4, &at), kHostNoErr);
    EXPECT_EQ(at, kHostUStringNotFound);
    uint32_t c = 0;
    ASSERT_EQ(ustr->CharAt(s, 1, &c), kHostNoErr);
    EXPECT_EQ(c, 0x30A4u);
    EXPECT_EQ(ustr->CharAt(s, 5, &c), kHostErrBadParameter);

    HostUString part = make("");
    ASSERT_EQ(ustr->Substring(s, 1, 2, part), kHostNoErr);
    EXPECT_EQ(utf8(part), "イヤ");
    ASSERT_EQ(ustr->Erase(s, 0, 3), kHostNoErr);
    ASSERT_EQ(ustr->Append(s, part), kHostNoErr);
    EXPECT_EQ(utf8(s), "ー1イヤ");
    int32_t order = 0;
    ASSERT_EQ(ustr->Compare(part, s, &order), kHostNoErr);
    EXPECT_LT(order, 0);

    HostUString bad = nullptr;
    EXPECT_EQ(ustr->New("\xC3\x28", 2, &bad), kHostErrBadParameter);
    EXPECT_EQ(bad, nullptr);
    EXPECT_EQ(ustr->SetFromCodePoint(s, 0xD800), kHostErrBadParameter);
    for (HostUString h : {s, what, part})
        EXPECT_EQ(ustr->Dispose(h), kHostNoErr);
    EXPECT_EQ(ustr->Dispose(s), kHostErrBadHandle);
    EXPECT_EQ(app.strings().live(), 0u);
}

TEST_F(StringSuiteTest, ConvertsShiftJisAndUtf16BothWaysAndRefusesWhatDoesNotFit) {
    const std::string sjis = "\x83\x8C\x83\x43\x83\x84\x81\x5B"; // レイヤー
    HostUString s = nullptr;
    ASSERT_EQ(ustr->NewFromBytes(sjis.data(), sjis.size(), kHostEncodingShiftJIS, &s), kHostNoErr);
    EXPECT_EQ(utf8(s), "レイヤー");
    const char* bytes = nullptr;
    size_t n = 0;
    ASSERT_EQ(ustr->GetBytes(s, kHostEncodingPlatform, &bytes, &n), kHostNoErr);
    EXPECT_EQ(std::string(bytes, n), sjis);

    const uint16_t* units = nullptr;
    ASSERT_EQ(ustr->GetUTF16(s, &units, &n), kHostNoErr);
    ASSERT_EQ(n, 4u);
    EXPECT_EQ(units[0], 0x30ECu);

    HostUString out = nullptr;
    EXPECT_EQ(ustr->NewFromBytes("\x83", 1, kHostEncodingShiftJIS, &out), kHostErrEncoding);
    const uint16_t lone[] = {0x41, 0xD800};
    EXPECT_EQ(ustr->NewFromUTF16(lone, 2, &out), kHostErrEncoding);
    HostUString emoji = make("\xF0\x9F\x97\xBA"); // not in Shift-JIS
    EXPECT_EQ(ustr->GetBytes(emoji, kHostEncodingShiftJIS, &bytes, &n), kHostErrEncoding);
    EXPECT_EQ(ustr->GetBytes(emoji, 99, &bytes, &n), kHostErrBadParameter);
    ustr->Dispose(s);
    ustr->Dispose(emoji);
}

TEST_F(StringSuiteTest, FilePathsGiveNamesParentsAndPlatformSpecs) {
    HostFilePath path = nullptr, parent = nullptr;
    ASSERT_EQ(paths->NewFilePath(&path), kHostNoErr);
    ASSERT_EQ(paths->NewFilePath(&parent), kHostNoErr);
    EXPECT_EQ(paths->IsEmpty(path), 1);
    HostPlatformFileSpec spec{};
    std::strcpy(spec.path, "/maps/日本/layers.txt");
    ASSERT_EQ(paths->SetFromPlatformFileSpec(path, &spec), kHostNoErr);

    HostUString name = nullptr;
    ASSERT_EQ(paths->GetFileName(path, 1, &name), kHostNoErr);
    EXPECT_EQ(utf8(name), "layers.txt");
    ustr->Dispose(name);
    ASSERT_EQ(paths->GetFileName(path, 0, &name), kHostNoErr);
    EXPECT_EQ(utf8(name), "layers");
    ustr->Dispose(name);
    ASSERT_EQ(paths->GetParent(path, parent), kHostNoErr);
    HostPlatformFileSpec back{};
    ASSERT_EQ(paths->GetPlatformFileSpec(parent, &back), kHostNoErr);
    EXPECT_STREQ(back.path, "/maps/日本");

    std::memset(spec.path, 'a', sizeof spec.path); // no NUL anywhere
    EXPECT_EQ(paths->SetFromPlatformFileSpec(path, &spec), kHostErrBadParameter);
    EXPECT_EQ(paths->DisposeFilePath(path), kHostNoErr);
    EXPECT_EQ(paths->DisposeFilePath(path), kHostErrBadHandle);
    EXPECT_EQ(paths->GetParent(path, parent), kHostErrBadHandle);
    EXPECT_EQ(paths->IsEmpty(path), 1);
    paths->DisposeFilePath(parent);
}

TEST(FoldersAndPlugins, FoldersComeFromTheOptionsAndTheModuleKnowsItsFile) {
    const auto root = std::filesystem::temp_directory_path() / "cartovel-host-core-folders";
    std::filesystem::remove_all(root);
    ApplicationOptions options;
    options.preferencesFolder = root / "prefs";
    options.documentsFolder = root / "docs";
    Application app(options);
    test::FakeModule fake;
    Module& module = test::addFakeModule(app, fake, "/opt/maps/plugins/cartovel.so");
    const auto* folders =
        test::acquire<HostFoldersSuite>(app, kHostFoldersSuite, kHostFoldersSuiteVersion);
    const auto* paths =
        test::acquire<HostFilePathSuite>(app, kHostFilePathSuite, kHostFilePathSuiteVersion);
    const auto* plugins =
        test::acquire<HostPluginsSuite>(app, kHostPluginsSuite, kHostPluginsSuiteVersion);
    ASSERT_TRUE(folders && paths && plugins);

    HostFilePath folder = nullptr;
    ASSERT_EQ(paths->NewFilePath(&folder), kHostNoErr);
    ASSERT_EQ(folders->FindFolder(kHostFolderPreferences, 1, folder), kHostNoErr);
    HostPlatformFileSpec spec{};
    ASSERT_EQ(paths->GetPlatformFileSpec(folder, &spec), kHostNoErr);
    EXPECT_EQ(std::filesystem::path(spec.path), options.preferencesFolder);
    EXPECT_TRUE(std::filesystem::is_directory(options.preferencesFolder));
    EXPECT_EQ(folders->FindFolder(42, 0, folder), kHostErrBadParameter);
    paths->DisposeFilePath(folder);

    HostPlatformFileSpec own{};
    ASSERT_EQ(plugins->GetPluginFileSpecification(module.ref(), &own), kHostNoErr);
    EXPECT_STREQ(own.path, "/opt/maps/plugins/cartovel.so");
    ASSERT_EQ(plugins->SetPluginName(module.ref(), "Mirvak-Cartovel1.6"), kHostNoErr);
    EXPECT_EQ(module.name(), "Mirvak-Cartovel1.6");
    EXPECT_EQ(plugins->SetPluginName(nullptr, "x"), kHostErrBadHandle);
    std::filesystem::remove_all(root);
}

TEST(Blocks, AForeignPointerIsAnErrorAndLeftoversAreTracked) {
    Application app;
    const auto* blocks =
        test::acquire<HostBlocksSuite>(app, kHostBlocksSuite, kHostBlocksSuiteVersion);
    ASSERT_NE(blocks, nullptr);
    void* block = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(16, &block), kHostNoErr);
    std::memset(block, 7, 16);
    void* bigger = nullptr;
    ASSERT_EQ(blocks->ReallocateBlock(block, 4096, &bigger), kHostNoErr);
    EXPECT_EQ(static_cast<unsigned char*>(bigger)[15], 7);
    EXPECT_EQ(blocks->FreeBlock(block == bigger ? &app : block), kHostErrBadParameter);
    int onTheStack = 0;
    EXPECT_EQ(blocks->FreeBlock(&onTheStack), kHostErrBadParameter);
    EXPECT_EQ(blocks->FreeBlock(nullptr), kHostNoErr);
    EXPECT_EQ(app.blocks().live(), 1u); // freed with the application
}

} // namespace
} // namespace host
