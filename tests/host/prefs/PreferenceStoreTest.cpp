// The host's preference store and "AI Preference Suite": kinds kept apart, absent keys,
// values that survive a restart, damaged files kept aside, writes that never leave a
// half-written file.
#include "host/prefs/PreferenceStore.h"
#include "host/core/Application.h"
#include "hostapi/suites/FilePathSuite.h"
#include "hostapi/suites/PreferenceSuite.h"
#include "hostapi/suites/UnicodeStringSuite.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using host::PreferencePath;
using host::PreferenceStore;
using host::PreferenceText;

constexpr const char* kPrefix = "Mirvak-Cartovel1.6";

class PreferenceStoreTest : public ::testing::Test {
protected:
    PreferenceStore Open() {
        return PreferenceStore(file_, [this](const std::string& m) { reports_.push_back(m); });
    }
    void Write(const std::string& bytes) const { cartotest::writeFile(file_, bytes); }
    static std::string Read(const fs::path& file) { return cartotest::readFile(file); }
    std::vector<fs::path> Files() const {
        std::vector<fs::path> out;
        for (const auto& e : fs::directory_iterator(folder_.path()))
            out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }

    const cartotest::TempFolder folder_{"cartovel-prefs"};
    const fs::path file_ = folder_ / "preferences.json";
    std::vector<std::string> reports_;
};

TEST_F(PreferenceStoreTest, KindsStayApartAndAbsentKeysReadAsAbsent) {
    PreferenceStore store = Open();
    EXPECT_EQ(store.find(kPrefix, "MS_Mode"), nullptr);
    ASSERT_EQ(store.put(kPrefix, "MS_Mode", std::int32_t{2}), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "RL_Find", PreferenceText{"東京"}), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "LF_FileDir", PreferencePath{"/home/map"}), kHostNoErr);

    ASSERT_NE(store.get<std::int32_t>(kPrefix, "MS_Mode"), nullptr);
    EXPECT_EQ(*store.get<std::int32_t>(kPrefix, "MS_Mode"), 2);
    EXPECT_EQ(store.get<bool>(kPrefix, "MS_Mode"), nullptr);
    EXPECT_EQ(store.get<double>(kPrefix, "MS_Mode"), nullptr);
    // Text and file locations are both strings but never stand in for each other.
    EXPECT_EQ(store.get<PreferencePath>(kPrefix, "RL_Find"), nullptr);
    EXPECT_EQ(store.get<PreferenceText>(kPrefix, "LF_FileDir"), nullptr);
    // The same key under another prefix is another key.
    EXPECT_EQ(store.find("Other", "MS_Mode"), nullptr);

    // A key takes the kind of its latest value.
    ASSERT_EQ(store.put(kPrefix, "MS_Mode", 1.5), kHostNoErr);
    EXPECT_EQ(store.get<std::int32_t>(kPrefix, "MS_Mode"), nullptr);
    EXPECT_EQ(*store.get<double>(kPrefix, "MS_Mode"), 1.5);
}

TEST_F(PreferenceStoreTest, RefusesValuesItCannotKeep) {
    PreferenceStore store = Open();
    EXPECT_EQ(store.put("", "K", true), kHostErrBadParameter);
    EXPECT_EQ(store.put(kPrefix, "", true), kHostErrBadParameter);
    EXPECT_EQ(store.put(kPrefix, "K", std::numeric_limits<double>::quiet_NaN()),
              kHostErrBadParameter);
    EXPECT_EQ(store.put(kPrefix, "K", std::numeric_limits<double>::infinity()),
              kHostErrBadParameter);
    EXPECT_EQ(store.put(kPrefix, "K", PreferenceText{"\xff\xfe"}), kHostErrBadParameter);
    EXPECT_EQ(store.size(), 0u);
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(PreferenceStoreTest, ValuesSurviveARestart) {
    {
        PreferenceStore store = Open();
        ASSERT_EQ(store.put(kPrefix, "MS_KeepProportion", false), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_CurrentScale", std::int32_t{-2147483647 - 1}), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_TargetScale", std::int32_t{2147483647}), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_HorizontalRatio", 0.1 + 0.2), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "RL_Find", PreferenceText{"スケールバー\t\"x\""}), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "LF_FileDir", PreferencePath{"/地図/maps"}), kHostNoErr);
        ASSERT_EQ(store.put("Another", "MS_KeepProportion", true), kHostNoErr);
    }
    PreferenceStore again = Open();
    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(again.size(), 7u);
    EXPECT_EQ(*again.get<bool>(kPrefix, "MS_KeepProportion"), false);
    EXPECT_EQ(*again.get<bool>("Another", "MS_KeepProportion"), true);
    EXPECT_EQ(*again.get<std::int32_t>(kPrefix, "MS_CurrentScale"), -2147483647 - 1);
    EXPECT_EQ(*again.get<std::int32_t>(kPrefix, "MS_TargetScale"), 2147483647);
    EXPECT_EQ(*again.get<double>(kPrefix, "MS_HorizontalRatio"), 0.1 + 0.2); // every bit
    EXPECT_EQ(again.get<PreferenceText>(kPrefix, "RL_Find")->utf8, "スケールバー\t\"x\"");
    EXPECT_EQ(again.get<PreferencePath>(kPrefix, "LF_FileDir")->path, "/地図/maps");
    EXPECT_EQ(Files(), std::vector<fs::path>{"preferences.json"}) << "no temporary file stays";
}

TEST_F(PreferenceStoreTest, DamagedFileIsReportedKeptAsideAndStoreStartsEmpty) {
    const std::string valid = R"({"format": "cartovel-preferences", "version": 1, "values": )";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"not JSON", "{\"format\": "},
        {"empty file", ""},
        {"binary", std::string("\x00\x01\xff", 3)},
        {"not ours", R"({"values": {}})"},
        {"other version", R"({"format": "cartovel-preferences", "version": 9, "values": {}})"},
        {"values not an object", valid + "[]}"},
        {"bad UTF-8 in a text", valid + "{\"P\": {\"K\": {\"text\": \"\xc3\x28\"}}}}"},
        // Deep enough to exhaust the stack of any recursive copy or check.
        {"nested arrays", valid + R"({"P": {"K": {"text": )" + std::string(1000000, '[')},
        {"nested objects", valid + std::string(5000, '{')},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        for (const auto& e : fs::directory_iterator(folder_.path()))
            fs::remove(e.path());
        reports_.clear();
        Write(bytes);
        PreferenceStore store = Open();
        EXPECT_EQ(store.size(), 0u);
        ASSERT_TRUE(store.keptAside().has_value());
        EXPECT_EQ(Read(*store.keptAside()), bytes) << "kept byte for byte";
        EXPECT_FALSE(fs::exists(file_));
        ASSERT_EQ(reports_.size(), 1u);
        EXPECT_NE(reports_[0].find("damaged"), std::string::npos) << reports_[0];
        EXPECT_NE(reports_[0].find(store.keptAside()->string()), std::string::npos) << reports_[0];
        // The store works on: the next write makes a fresh file beside the kept one.
        EXPECT_EQ(store.put(kPrefix, "SB_Unit", std::int32_t{1}), kHostNoErr);
        EXPECT_EQ(Files().size(), 2u);
    }
}

// One bad entry, under our prefix or another, costs that entry only, and a write leaves
// it in the file as it was.
TEST_F(PreferenceStoreTest, DamagedEntryIsPassedOverAndKept) {
    const std::string head = R"({"format": "cartovel-preferences", "version": 1, "values": {)";
    const std::string good = R"("Mirvak-Cartovel1.6": {"NL_Step": {"integer": 3}})";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"prefix not an object", R"("P": 3)"},
        {"two kinds", R"("P": {"K": {"integer": 1, "real": 2}})"},
        {"unknown kind", R"("P": {"K": {"colour": 1}})"},
        {"integer too big", R"("P": {"K": {"integer": 2147483648}})"},
        {"integer that is real", R"("P": {"K": {"integer": 2.5}})"},
        {"boolean that is a number", R"("P": {"K": {"boolean": 1}})"},
        {"text that is a number", R"("P": {"K": {"text": 1}})"},
        {"empty key", R"("P": {"": {"boolean": true}})"},
    };
    for (const auto& [name, entry] : cases) {
        SCOPED_TRACE(name);
        for (const auto& e : fs::directory_iterator(folder_.path()))
            fs::remove(e.path());
        reports_.clear();
        Write(head + entry + ", " + good + "}}");
        {
            PreferenceStore store = Open();
            EXPECT_FALSE(store.keptAside().has_value());
            ASSERT_NE(store.get<std::int32_t>(kPrefix, "NL_Step"), nullptr);
            EXPECT_EQ(*store.get<std::int32_t>(kPrefix, "NL_Step"), 3);
            ASSERT_EQ(reports_.size(), 1u);
            EXPECT_NE(reports_[0].find("damaged entry"), std::string::npos) << reports_[0];
            EXPECT_EQ(store.put(kPrefix, "NL_Start", std::int32_t{9}), kHostNoErr);
        }
        const nlohmann::json written = nlohmann::json::parse(Read(file_), nullptr, false);
        ASSERT_FALSE(written.is_discarded());
        const nlohmann::json original =
            nlohmann::json::parse(head + entry + "}}", nullptr, false)["values"]["P"];
        EXPECT_EQ(written["values"]["P"], original);
        EXPECT_EQ(written["values"][kPrefix]["NL_Start"]["integer"], 9);
    }
}

// Two runs share the file: each writes only what it changed, into the file as it is.
TEST_F(PreferenceStoreTest, RunsSharingTheFileKeepEachOthersSettings) {
    PreferenceStore first = Open();
    PreferenceStore second = Open();
    ASSERT_EQ(first.put(kPrefix, "MS_Mode", std::int32_t{2}), kHostNoErr);
    ASSERT_EQ(second.put(kPrefix, "NL_Step", std::int32_t{5}), kHostNoErr);
    ASSERT_EQ(first.put(kPrefix, "MS_Mode", std::int32_t{3}), kHostNoErr);
    const PreferenceStore later = Open();
    ASSERT_NE(later.get<std::int32_t>(kPrefix, "MS_Mode"), nullptr);
    EXPECT_EQ(*later.get<std::int32_t>(kPrefix, "MS_Mode"), 3);
    ASSERT_NE(later.get<std::int32_t>(kPrefix, "NL_Step"), nullptr);
    EXPECT_EQ(*later.get<std::int32_t>(kPrefix, "NL_Step"), 5);
}

TEST_F(PreferenceStoreTest, DeferredChangesReachTheFileInOneWrite) {
    PreferenceStore store = Open();
    store.deferWrites();
    for (int i = 0; i < 13; ++i)
        ASSERT_EQ(store.put(kPrefix, "MS_" + std::to_string(i), std::int32_t{i}), kHostNoErr);
    EXPECT_FALSE(fs::exists(file_)) << "nothing written yet";
    EXPECT_EQ(*store.get<std::int32_t>(kPrefix, "MS_12"), 12) << "but already read back";
    EXPECT_EQ(store.endDeferring(), kHostNoErr);
    EXPECT_EQ(Open().size(), 13u);
}

// A file reached through a link is written where the link points; the link stays.
TEST_F(PreferenceStoreTest, LinkedFileIsUpdatedInPlace) {
    fs::create_directories(folder_ / "real");
    const fs::path target = folder_ / "real" / "prefs.json";
    fs::create_symlink(fs::path("real") / "prefs.json", file_);
    ASSERT_EQ(Open().put(kPrefix, "NL_Step", std::int32_t{4}), kHostNoErr);
    ASSERT_EQ(Open().put(kPrefix, "NL_Start", std::int32_t{2}), kHostNoErr);
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(Open().size(), 2u);
    EXPECT_NE(Read(target).find("NL_Start"), std::string::npos);
}

// Anything but a regular file is left alone and never read: a FIFO would block for ever,
// a device would never end.
TEST_F(PreferenceStoreTest, NonRegularFileIsRefusedWithoutReading) {
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    PreferenceStore store = Open();
    EXPECT_EQ(store.size(), 0u);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find("not a regular file"), std::string::npos) << reports_[0];
    EXPECT_EQ(store.put(kPrefix, "NL_Step", std::int32_t{1}), kHostErrFile);
    EXPECT_TRUE(fs::is_fifo(file_));

    PreferenceStore device(fs::path("/dev/zero"));
    EXPECT_EQ(device.size(), 0u);
}

TEST_F(PreferenceStoreTest, SecondDamagedFileDoesNotReplaceTheFirst) {
    Write("first");
    const fs::path first = *Open().keptAside();
    Write("second");
    const fs::path second = *Open().keptAside();
    EXPECT_NE(first, second);
    EXPECT_EQ(Read(first), "first");
    EXPECT_EQ(Read(second), "second");
}

// The disk fills up in the middle of a write: the file keeps its old contents whole and
// the temporary file goes.
TEST_F(PreferenceStoreTest, FailedWriteLeavesTheOldFileWhole) {
    PreferenceStore store = Open();
    ASSERT_EQ(store.put(kPrefix, "NL_Step", std::int32_t{5}), kHostNoErr);
    const std::string before = Read(file_);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const HostErr err = store.put(kPrefix, "RL_Find", PreferenceText{std::string(4096, 'x')});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(err, kHostErrFile);
    EXPECT_EQ(Read(file_), before);
    EXPECT_EQ(Files(), std::vector<fs::path>{"preferences.json"});
    EXPECT_EQ(store.find(kPrefix, "RL_Find"), nullptr) << "a lost write is not remembered";
    ASSERT_FALSE(reports_.empty());
}

TEST_F(PreferenceStoreTest, UnusableFolderFailsTheWrite) {
    Write("not a folder");
    PreferenceStore store(folder_ / "preferences.json" / "inside.json",
                          [this](const std::string& m) { reports_.push_back(m); });
    EXPECT_EQ(store.put(kPrefix, "NL_Step", std::int32_t{5}), kHostErrFile);
    EXPECT_EQ(Read(file_), "not a folder");
    EXPECT_EQ(store.size(), 0u);
}

// ---- "AI Preference Suite" over the application's store ----------------------------------

class PreferenceSuiteTest : public PreferenceStoreTest {
protected:
    template <class Suite>
    const Suite* Acquire(host::Application& app, const char* name, int32_t v) {
        const void* table = nullptr;
        EXPECT_EQ(app.suites().acquire(name, v, &table), kHostNoErr);
        return static_cast<const Suite*>(table);
    }
    host::ApplicationOptions Options() const {
        host::ApplicationOptions options;
        options.preferencesFile = file_;
        return options;
    }
};

TEST_F(PreferenceSuiteTest, EveryKindThroughTheSuiteAndARestart) {
    {
        host::Application app(Options());
        auto* prefs =
            Acquire<HostPreferenceSuite>(app, kHostPreferenceSuite, kHostPreferenceSuiteVersion);
        auto* strings = Acquire<HostUnicodeStringSuite>(app, kHostUnicodeStringSuite,
                                                        kHostUnicodeStringSuiteVersion);
        auto* paths =
            Acquire<HostFilePathSuite>(app, kHostFilePathSuite, kHostFilePathSuiteVersion);
        ASSERT_TRUE(prefs && prefs->PutBooleanPreference && strings && paths);

        EXPECT_EQ(prefs->PutBooleanPreference(kPrefix, "SB_NewLayer", 0), kHostNoErr);
        EXPECT_EQ(prefs->PutIntegerPreference(kPrefix, "SB_Scale", 50000), kHostNoErr);
        EXPECT_EQ(prefs->PutRealPreference(kPrefix, "SB_Distance", 2.5), kHostNoErr);
        HostUString text = nullptr;
        ASSERT_EQ(strings->New("置換", 6, &text), kHostNoErr);
        EXPECT_EQ(prefs->PutUnicodeStringPreference(kPrefix, "RL_Find", text), kHostNoErr);
        HostFilePath path = nullptr;
        ASSERT_EQ(paths->NewFilePath(&path), kHostNoErr);
        HostPlatformFileSpec spec{};
        std::strcpy(spec.path, "/data/lists");
        ASSERT_EQ(paths->SetFromPlatformFileSpec(path, &spec), kHostNoErr);
        EXPECT_EQ(prefs->PutFilePathSpecificationPreference(kPrefix, "LF_FileDir", path),
                  kHostNoErr);
        // A handle the host never made is refused, not read.
        EXPECT_EQ(prefs->PutUnicodeStringPreference(kPrefix, "RL_Find",
                                                    reinterpret_cast<HostUString>(&spec)),
                  kHostErrBadHandle);
        EXPECT_EQ(prefs->PutIntegerPreference(nullptr, "SB_Scale", 1), kHostErrBadParameter);
        strings->Dispose(text);
        paths->DisposeFilePath(path);
    }

    host::Application app(Options());
    auto* prefs =
        Acquire<HostPreferenceSuite>(app, kHostPreferenceSuite, kHostPreferenceSuiteVersion);
    auto* strings = Acquire<HostUnicodeStringSuite>(app, kHostUnicodeStringSuite,
                                                    kHostUnicodeStringSuiteVersion);
    auto* paths = Acquire<HostFilePathSuite>(app, kHostFilePathSuite, kHostFilePathSuiteVersion);
    HostBool flag = 1;
    EXPECT_EQ(prefs->GetBooleanPreference(kPrefix, "SB_NewLayer", &flag), kHostNoErr);
    EXPECT_EQ(flag, 0);
    int32_t scale = 0;
    EXPECT_EQ(prefs->GetIntegerPreference(kPrefix, "SB_Scale", &scale), kHostNoErr);
    EXPECT_EQ(scale, 50000);
    double distance = 0;
    EXPECT_EQ(prefs->GetRealPreference(kPrefix, "SB_Distance", &distance), kHostNoErr);
    EXPECT_EQ(distance, 2.5);
    HostUString text = nullptr;
    ASSERT_EQ(strings->New("", 0, &text), kHostNoErr);
    EXPECT_EQ(prefs->GetUnicodeStringPreference(kPrefix, "RL_Find", text), kHostNoErr);
    const char* utf8 = nullptr;
    size_t length = 0;
    strings->GetUTF8(text, &utf8, &length);
    EXPECT_EQ(std::string(utf8, length), "置換");
    HostFilePath path = nullptr;
    ASSERT_EQ(paths->NewFilePath(&path), kHostNoErr);
    EXPECT_EQ(prefs->GetFilePathSpecificationPreference(kPrefix, "LF_FileDir", path), kHostNoErr);
    HostPlatformFileSpec spec{};
    paths->GetPlatformFileSpec(path, &spec);
    EXPECT_STREQ(spec.path, "/data/lists");

    // Absent keys and keys of another kind leave the caller's value untouched.
    int32_t untouched = 77;
    EXPECT_EQ(prefs->GetIntegerPreference(kPrefix, "SB_Unit", &untouched), kHostErrNotFound);
    EXPECT_EQ(prefs->GetIntegerPreference(kPrefix, "SB_Distance", &untouched), kHostErrNotFound);
    EXPECT_EQ(untouched, 77);
    EXPECT_EQ(prefs->GetFilePathSpecificationPreference(kPrefix, "RL_Find", path),
              kHostErrNotFound);
    paths->GetPlatformFileSpec(path, &spec);
    EXPECT_STREQ(spec.path, "/data/lists");
    strings->Dispose(text);
    paths->DisposeFilePath(path);
}

TEST_F(PreferenceSuiteTest, InjectedFaultReachesTheCaller) {
    host::Application app(Options());
    auto* prefs =
        Acquire<HostPreferenceSuite>(app, kHostPreferenceSuite, kHostPreferenceSuiteVersion);
    app.faults().failOperation("PutIntegerPreference", kHostErrMemory);
    EXPECT_EQ(prefs->PutIntegerPreference(kPrefix, "SB_Scale", 1), kHostErrMemory);
    EXPECT_FALSE(fs::exists(file_));
}

} // namespace
