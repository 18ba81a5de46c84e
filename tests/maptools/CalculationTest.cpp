// The computations of map scaling and the scale bar that need no host: factors, the repair
// of damaged settings, the bar's length and its label texts, and the dialogs' numbers.
#include "common/DialogValues.h"
#include "maptools/MapScaling.h"
#include "maptools/NumberFields.h"
#include "maptools/ScaleBar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(MapScalingFactors, EachModeGivesItsFactorsAndLineScale) {
    struct Case {
        const char* name;
        MapScalingSettings settings;
        double sx, sy, line;
    };
    auto by = [](auto change) {
        MapScalingSettings s;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"25000 to 50000", by([](auto& s) { s.currentScale = 25000, s.targetScale = 50000; }), 0.5,
         0.5, 0.5},
        {"ratio 200 % by 50 %",
         by([](auto& s) { s.mode = 1, s.horizontalRatio = 200, s.verticalRatio = 50; }), 2.0, 0.5,
         1.0},
        {"paper entry 7", by([](auto& s) { s.mode = 2, s.paperIndex = 7; }), 1.41, 1.41, 1.41},
        {"paper entry 0", by([](auto& s) { s.mode = 2, s.paperIndex = 0; }), 0.5, 0.5, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double sx = 0, sy = 0, line = 0;
        ASSERT_EQ(ComputeFactors(c.settings, sx, sy, line), kHostNoErr);
        EXPECT_EQ(sx, c.sx);
        EXPECT_EQ(sy, c.sy);
        EXPECT_DOUBLE_EQ(line, c.line);
    }
}

TEST(MapScalingFactors, PaperFactorsAreTheTableValuesNotTheRoundedPercentages) {
    const double expected[] = {0.5, 0.61, 0.71, 0.82, 0.87, 1.15, 1.22, 1.41, 2.0};
    ASSERT_EQ(kPaperRatios.size(), std::size(expected));
    for (size_t i = 0; i < kPaperRatios.size(); ++i)
        EXPECT_EQ(kPaperRatios[i].factor, expected[i]);
    EXPECT_STREQ(kPaperRatios[7].label, "A4→A3  A5→A4 (141%)");
}

// Whatever reaches the computation, it never divides by zero or scales by nothing.
TEST(MapScalingFactors, SettingsWithoutFactorsAreRefused) {
    auto by = [](auto change) {
        MapScalingSettings s;
        change(s);
        return s;
    };
    const MapScalingSettings refused[] = {
        by([](auto& s) { s.targetScale = 0; }),
        by([](auto& s) { s.currentScale = 1; }),
        by([](auto& s) { s.targetScale = 0xFFFFFFFFu; }), // -1 in the store
        by([](auto& s) { s.mode = 1, s.horizontalRatio = 0; }),
        by([](auto& s) { s.mode = 1, s.verticalRatio = -50; }),
        by([](auto& s) { s.mode = 1, s.verticalRatio = kNaN; }),
        by([](auto& s) { s.mode = 2, s.paperIndex = -1; }),
        by([](auto& s) { s.mode = 2, s.paperIndex = 9; }),
        by([](auto& s) { s.mode = 3; }),
    };
    for (const MapScalingSettings& s : refused) {
        double sx = 7, sy = 7, line = 7;
        EXPECT_EQ(ComputeFactors(s, sx, sy, line), kHostErrBadParameter);
    }
}

TEST(MapScalingSettingsRepair, DamagedValuesGoBackToTheirDefaultsAndOnlyThose) {
    MapScalingSettings damaged;
    damaged.mode = 7;
    damaged.currentScale = 0;
    damaged.targetScale = static_cast<uint32_t>(-30000);
    damaged.horizontalRatio = -1;
    damaged.verticalRatio = kInf;
    damaged.paperIndex = 12;
    damaged.keepProportion = false;
    damaged.scaleGuide = true;
    EXPECT_TRUE(RepairSettings(damaged));
    MapScalingSettings expected;
    expected.keepProportion = false;
    expected.scaleGuide = true;
    EXPECT_EQ(damaged, expected);

    MapScalingSettings sound;
    sound.mode = 2;
    sound.paperIndex = 8;
    sound.currentScale = 2;
    sound.verticalRatio = 0.001;
    const MapScalingSettings before = sound;
    EXPECT_FALSE(RepairSettings(sound));
    EXPECT_EQ(sound, before);
}

TEST(ScaleBarLength, MatchesTheWorkedExamples) {
    struct Case {
        uint32_t scale;
        double distance;
        int32_t unit;
        double points;
    };
    const Case cases[] = {
        {25000, 1.0, 0, 113.3858},   // 40 mm
        {10000, 500.0, 1, 141.7323}, // 50 mm
        {50000, 0.5, 0, 28.3465},    // 10 mm
        {25000, -1.0, 0, -113.3858}, // negative distances are kept
    };
    for (const Case& c : cases) {
        ScaleBarSettings s;
        s.scale = c.scale, s.distance = c.distance, s.unit = c.unit;
        double length = 0;
        ASSERT_EQ(CScaleBar::BarLength(s, length), kHostNoErr);
        EXPECT_NEAR(length, c.points, 1e-4);
    }
    for (auto change :
         {+[](ScaleBarSettings& s) { s.scale = 0; }, +[](ScaleBarSettings& s) { s.distance = 0; },
          +[](ScaleBarSettings& s) { s.distance = kNaN; }, +[](ScaleBarSettings& s) { s.unit = 2; },
          // A bar longer than any map, or too short to draw.
          +[](ScaleBarSettings& s) { s.distance = 1e308; },
          +[](ScaleBarSettings& s) { s.scale = 2147483647, s.distance = 1e-9; }}) {
        ScaleBarSettings s;
        change(s);
        double length = 5;
        EXPECT_EQ(CScaleBar::BarLength(s, length), kHostErrBadParameter);
    }
}

TEST(ScaleBarSettingsRepair, DamagedValuesGoBackToTheirDefaults) {
    ScaleBarSettings damaged;
    damaged.scale = 0;
    damaged.distance = 0;
    damaged.unit = -3;
    damaged.newLayer = false;
    EXPECT_TRUE(RepairSettings(damaged));
    ScaleBarSettings expected;
    expected.newLayer = false;
    EXPECT_EQ(damaged, expected);

    ScaleBarSettings sound;
    sound.scale = 1, sound.distance = -2, sound.unit = 1;
    EXPECT_FALSE(RepairSettings(sound));
}

TEST(ScaleBarLabels, ScaleTextGroupsDigitsByThousands) {
    const std::pair<uint32_t, const char*> cases[] = {
        {25000, "1 : 25,000"},
        {1000, "1 : 1,000"},
        {500, "1 : 500"},
        {50, "1 : 50"},
        {100000, "1 : 100,000"},
        {1234567, "1 : 1,234,567"},
        {1, "1 : 1"},
        {4294967295u, "1 : 4,294,967,295"},
    };
    for (const auto& [scale, text] : cases)
        EXPECT_EQ(CScaleBar::FormatScaleText(scale), text);
}

TEST(ScaleBarLabels, DistanceTextDropsTrailingZeros) {
    EXPECT_EQ(CScaleBar::FormatDistanceText(1.0, 0), "1km");
    EXPECT_EQ(CScaleBar::FormatDistanceText(0.5, 0), "0.5km");
    EXPECT_EQ(CScaleBar::FormatDistanceText(1.25, 0), "1.25km");
    EXPECT_EQ(CScaleBar::FormatDistanceText(500, 1), "500m");
    EXPECT_EQ(CScaleBar::FormatDistanceText(1.0 / 3.0, 0), "0.3333333km");
}

TEST(DialogNumbers, IntegersReadLikeTheDialogsAndRefuseOverflow) {
    using numberfields::ParseInteger;
    EXPECT_EQ(ParseInteger("25000"), 25000);
    EXPECT_EQ(ParseInteger("  -12x"), -12);
    EXPECT_EQ(ParseInteger("abc"), 0);
    EXPECT_EQ(ParseInteger(""), 0);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger("99999999999999999999999"), std::nullopt);
}

// The map tools refuse a number beyond the 32-bit range, the layer tools take its nearest
// end; both read the same digits, so they part only beyond the range.
TEST(DialogNumbers, BothIntegerReadingsMeetAtTheEdgesOfTheRange) {
    struct Case {
        const char* text;
        std::optional<int32_t> refusing;
        int32_t clamping;
    };
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const Case cases[] = {
        {"-2147483648", kMin, kMin},
        {"-2147483649", std::nullopt, kMin},
        {"2147483647", kMax, kMax},
        {"2147483648", std::nullopt, kMax},
        {"+2147483648", std::nullopt, kMax},
        {"-99999999999999999999999", std::nullopt, kMin},
        {"\t+7 8", 7, 7},
        {"- 5", 0, 0},
        {"+-5", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numberfields::ParseInteger(c.text), c.refusing) << c.text;
        EXPECT_EQ(ParseFieldInt(c.text), c.clamping) << c.text;
    }
}

TEST(DialogNumbers, RealsReadLikeTheDialogs) {
    using numberfields::ParseReal;
    EXPECT_EQ(ParseReal("141.5"), 141.5);
    EXPECT_EQ(ParseReal(" +2e1%"), 20.0);
    EXPECT_EQ(ParseReal("-0.5"), -0.5);
    EXPECT_EQ(ParseReal("abc"), 0.0);
    EXPECT_FALSE(std::isfinite(ParseReal("1e999")));
    EXPECT_FALSE(std::isfinite(ParseReal("nan")));
    EXPECT_EQ(numberfields::FormatReal(100.0), "100");
    EXPECT_EQ(numberfields::FormatReal(83.333333333), "83.33333");
}

} // namespace
