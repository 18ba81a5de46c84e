// Loading modules, finding them by file name, and reading their resources.
#include "TestSupport.h"

#include <cstring>

using namespace wstest;

namespace {

const std::string kFileName = std::filesystem::path(WS_TEST_MODULE).filename().string();

std::vector<std::uint8_t> resource(WsModule m, uint32_t type, int32_t id) {
    const void* data = nullptr;
    size_t size = 0;
    if (!WsFindResource(m, type, id, &data, &size)) return {};
    auto* p = static_cast<const std::uint8_t*>(data);
    return {p, p + size};
}

} // namespace

TEST(Modules, LoadedModuleIsFoundByFileNameWithCodeAndResources) {
    WsModule m = WsLoadLibrary(WS_TEST_MODULE);
    ASSERT_TRUE(m);
    EXPECT_EQ(WsGetModuleHandle(kFileName.c_str()), m);
    const std::string full = std::filesystem::canonical(WS_TEST_MODULE).string();
    EXPECT_EQ(WsGetModuleHandle(full.c_str()), m);

    auto answer = reinterpret_cast<int (*)()>(WsGetProcAddress(m, "ws_test_answer"));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer(), 42);
    EXPECT_FALSE(WsGetProcAddress(m, "no_such_function"));

    const auto pipl = resource(m, WS_RT_PIPL, 16000);
    ASSERT_EQ(pipl.size(), 10u + 3 * 16 + 4 + 4 + 12);
    EXPECT_EQ(std::memcmp(pipl.data() + 10, "EBDAdnik", 8), 0);
    EXPECT_EQ(resource(m, WS_RT_BITMAP, 300), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(WsFindResource(m, WS_RT_BITMAP, 301, nullptr, nullptr));
    EXPECT_FALSE(WsFindResource(m, WS_RT_ICON, 300, nullptr, nullptr));

    char path[4096];
    EXPECT_EQ(WsGetModuleFileName(m, path, sizeof path), full.size());
    EXPECT_EQ(path, full);
    EXPECT_EQ(WsGetModuleFileName(m, nullptr, 0), full.size());
    EXPECT_EQ(WsGetModuleFileName(m, path, full.size()), 0u) << "no room for the NUL";
    EXPECT_STREQ(path, "");
    EXPECT_TRUE(WsFreeLibrary(m));
}

TEST(Modules, LoadsAreCountedAndAFreedHandleIsDead) {
    WsModule first = WsLoadLibrary(WS_TEST_MODULE);
    WsModule second = WsLoadLibrary(WS_TEST_MODULE);
    ASSERT_TRUE(first);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(WsFreeLibrary(first));
    EXPECT_EQ(WsGetModuleHandle(kFileName.c_str()), first) << "one load is still held";
    EXPECT_TRUE(WsFreeLibrary(first));

    EXPECT_FALSE(WsGetModuleHandle(kFileName.c_str()));
    EXPECT_FALSE(WsFreeLibrary(first));
    EXPECT_FALSE(WsGetProcAddress(first, "ws_test_answer"));
    EXPECT_FALSE(WsFindResource(first, WS_RT_PIPL, 16000, nullptr, nullptr));
    char path[64] = "x";
    EXPECT_EQ(WsGetModuleFileName(first, path, sizeof path), 0u);
}

TEST(Modules, DataModulesRunNoCodeAndAreNotFoundByName) {
    WsModule code = WsLoadLibrary(WS_TEST_MODULE);
    WsModule data = WsLoadLibraryAsData(WS_TEST_MODULE);
    ASSERT_TRUE(code);
    ASSERT_TRUE(data);
    EXPECT_NE(code, data);
    EXPECT_EQ(WsGetModuleHandle(kFileName.c_str()), code);
    EXPECT_FALSE(WsGetProcAddress(data, "ws_test_answer"));
    EXPECT_EQ(resource(data, WS_RT_BITMAP, 300).size(), 5u);
    EXPECT_TRUE(WsFreeLibrary(code));
    EXPECT_FALSE(WsGetModuleHandle(kFileName.c_str())) << "a data module is no loaded module";
    EXPECT_EQ(resource(data, WS_RT_BITMAP, 300).size(), 5u);
    EXPECT_TRUE(WsFreeLibrary(data));
}

TEST(Modules, BadArgumentsFailCleanly) {
    const auto bogus = reinterpret_cast<WsModule>(std::uintptr_t{0x1234567890});
    EXPECT_FALSE(WsLoadLibrary("/no/such/module.so"));
    EXPECT_FALSE(WsLoadLibrary(nullptr));
    EXPECT_FALSE(WsLoadLibrary(WS_TEST_MODULE "/.."));
    EXPECT_FALSE(WsFreeLibrary(bogus));
    EXPECT_FALSE(WsFreeLibrary(nullptr));
    EXPECT_FALSE(WsGetProcAddress(bogus, "ws_test_answer"));
    EXPECT_FALSE(WsFindResource(bogus, WS_RT_PIPL, 16000, nullptr, nullptr));
    EXPECT_FALSE(WsGetModuleHandle(nullptr));
    EXPECT_FALSE(WsGetModuleHandle(""));
    EXPECT_EQ(WsGetModuleFileName(bogus, nullptr, 0), 0u);
}
