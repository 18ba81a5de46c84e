// The module's settings store over the host's "AI Preference Suite": each kind read into a
// member and written back, under the module's prefix, with every failure ignored.
#include "common/SettingsStore.h"
#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"
#include "host/core/Application.h"
#include "host/prefs/PreferenceStore.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override { Stop(); }
    void Start() {
        host::ApplicationOptions options;
        options.preferencesFile = file_;
        app_ = std::make_unique<host::Application>(options);
        sBasic = app_->basicSuite();
        suites_ = std::make_unique<SuiteHolder>();
        ASSERT_EQ(suites_->Error(), kHostNoErr);
    }
    void Stop() {
        suites_.reset();
        app_.reset();
    }
    std::string Text(const ai::UnicodeString& s) { return s.as_UTF8(); }
    std::string PathOf(HostFilePath path) {
        HostPlatformFileSpec spec{};
        sFilePath->GetPlatformFileSpec(path, &spec);
        return spec.path;
    }

    const cartotest::TempFolder folder_{"cartovel-settings"};
    const fs::path file_ = folder_ / "settings.json";
    std::unique_ptr<host::Application> app_;
    std::unique_ptr<SuiteHolder> suites_;
};

TEST_F(SettingsStore, EveryKindRoundTripsThroughARestartUnderTheModulesPrefix) {
    settings::WriteBoolean("XX_Flag", false);
    settings::WriteInteger("XX_Count", int32_t{-5});
    settings::WriteInteger("XX_Scale", uint32_t{3000000000u});
    settings::WriteReal("XX_Ratio", 141.5);
    ai::UnicodeString text(sUnicodeString, "レイヤー");
    settings::WriteText("XX_Text", text.get());
    HostFilePath folder = nullptr;
    ASSERT_EQ(sFilePath->NewFilePath(&folder), kHostNoErr);
    HostPlatformFileSpec spec{};
    std::snprintf(spec.path, sizeof spec.path, "%s", "/maps/lists");
    sFilePath->SetFromPlatformFileSpec(folder, &spec);
    settings::WriteFilePath("XX_Folder", folder);
    sFilePath->DisposeFilePath(folder);
    EXPECT_NE(app_->preferences().get<double>("Mirvak-Cartovel1.6", "XX_Ratio"), nullptr);

    Stop();
    Start();
    bool flag = true;
    int32_t count = 0;
    uint32_t scale = 0;
    double ratio = 0;
    settings::ReadBoolean("XX_Flag", flag);
    settings::ReadInteger("XX_Count", count);
    settings::ReadInteger("XX_Scale", scale);
    settings::ReadReal("XX_Ratio", ratio);
    EXPECT_FALSE(flag);
    EXPECT_EQ(count, -5);
    EXPECT_EQ(scale, 3000000000u) << "an unsigned field keeps every bit";
    EXPECT_EQ(ratio, 141.5);
    ai::UnicodeString readText(sUnicodeString, "default");
    settings::ReadText("XX_Text", readText.get());
    EXPECT_EQ(Text(readText), "レイヤー");
    ASSERT_EQ(sFilePath->NewFilePath(&folder), kHostNoErr);
    settings::ReadFilePath("XX_Folder", folder);
    EXPECT_EQ(PathOf(folder), "/maps/lists");
    sFilePath->DisposeFilePath(folder);
}

TEST_F(SettingsStore, MissingKeysOtherKindsAndFailuresLeaveTheDefaults) {
    settings::WriteReal("XX_Count", 2.5); // a real where an integer is read
    app_->faults().failOperation("GetBooleanPreference", kHostErrMemory);
    settings::WriteBoolean("XX_Flag", false);
    int32_t count = 7;
    bool flag = true;
    double absent = 1.25;
    settings::ReadInteger("XX_Count", count);
    settings::ReadBoolean("XX_Flag", flag);
    settings::ReadReal("XX_Nothing", absent);
    EXPECT_EQ(count, 7);
    EXPECT_TRUE(flag) << "a failed read keeps the default";
    EXPECT_EQ(absent, 1.25);
    ai::UnicodeString text(sUnicodeString, "default");
    settings::ReadText("XX_Nothing", text.get());
    EXPECT_EQ(Text(text), "default");

    // A failed write is lost without a word.
    app_->faults().failOperation("PutIntegerPreference", kHostErrFile);
    settings::WriteInteger("XX_Lost", int32_t{1});
    EXPECT_EQ(app_->preferences().find("Mirvak-Cartovel1.6", "XX_Lost"), nullptr);
}

} // namespace
