// Numbers as the writer puts them in the file: at most ten significant digits, the shortest
// form that reads back, and a number read with fewer digits written back as it was.
#include "host/svg/SvgNumbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host::svg;

std::string written(double v) {
    std::string out;
    EXPECT_TRUE(appendNumber(out, v));
    return out;
}

TEST(SvgNumbers, ComputedValuesAreCutToTenDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {564.6927499999999, "564.69275"}, // half of 1129.3855 in doubles
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.6666666667"},
        {-1000.0 / 3.0, "-333.3333333"},
        {123456789012.0, "1.23456789e+11"},
        {1e-7, "1e-07"},
        {-0.0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(written(c.value), c.text) << c.value;
}

TEST(SvgNumbers, WhatWasReadWithTenDigitsOrFewerIsWrittenBackAsItWas) {
    for (const char* text : {"647.959", "12.5", "0.3333333333", "-98765.4321", "1234567890",
                             "0.001", "5e-05", "121.790861"}) {
        double v = 0;
        ASSERT_TRUE(parseWholeNumber(text, v)) << text;
        EXPECT_EQ(written(v), text);
    }
}

TEST(SvgNumbers, FlippedValuesAreCutToTenDigitsToo) {
    // A y written as page height minus the document's y.
    std::string out;
    ASSERT_TRUE(appendFlipped(out, 400 - 564.6927499999999, 400));
    EXPECT_EQ(out, "564.69275");
    out.clear();
    double s = 0;
    ASSERT_TRUE(parseWholeNumber("492.438", s));
    ASSERT_TRUE(appendFlipped(out, 610 - s, 610));
    EXPECT_EQ(out, "492.438");
    EXPECT_FALSE(appendFlipped(out, 1.0 / 0.0, 610));
}

} // namespace
