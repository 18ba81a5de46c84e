// Numbers as the writer puts them in the file: at most ten significant digits, the shortest
// form that reads back, and a number read with fewer digits written back as it was.
#include "host/svg/SvgNumbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
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

// What the writer must give for any value: to_chars' shortest form, or its ten-digit
// general form where the shortest takes more digits.
std::string reference(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v == 0 ? 0.0 : v);
    int digits = 0;
    bool leading = true;
    for (const char* p = buf; p < r.ptr && *p != 'e'; ++p) {
        if (*p < '0' || *p > '9' || (leading && *p == '0')) continue;
        leading = false;
        ++digits;
    }
    if (digits > 10) r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
    return std::string(buf, r.ptr);
}

TEST(SvgNumbers, EveryValueIsWrittenAsTheGeneralFormWouldWriteIt) {
    // Where the plain-decimal shortcut hands over to the general form, and values either
    // side of it.
    for (double v : {0.001, 0.0009999, 0.00099999999999, 1e-3 * (1 + 1e-15), 99999.99999,
                     99999.999999, 100000.0, 10000.0, 1e5 * (1 - 1e-16), 1234567890.0, 0.5,
                     4.2610000000000001, 1.0 / 3.0, -7.25})
        EXPECT_EQ(written(v), reference(v)) << v;
    // Computed values and short decimals of every magnitude, either sign.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, static_cast<int>(random() % 16) - 6);
        double v = unit(random) * magnitude * (random() % 2 ? 1 : -1);
        if (i % 2) { // a decimal of up to ten digits, as files hold them
            const int decimals = static_cast<int>(random() % 10);
            const double scale = std::pow(10.0, decimals);
            v = std::round(v * scale) / scale;
        }
        ASSERT_EQ(written(v), reference(v)) << v;
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
