#include "host/svg/SvgNumbers.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace host::svg {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;
// Numbers are written with at most this many significant digits.
constexpr int kMaxSignificantDigits = 10;
constexpr std::uint64_t kTenDigits = 10'000'000'000;

} // namespace

NumberStatus scanNumber(std::string_view s, std::size_t& pos, double& value) {
    const char* p = s.data() + pos;
    const char* const end = s.data() + s.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const char* const start = p;
    // The digits as an integer while they fit, for the exact fast path below.
    std::uint64_t mantissa = 0;
    int significant = 0;
    int decimals = 0;
    bool digits = false;
    while (p < end && *p == '0')
        ++p, digits = true;
    for (; p < end && isDigit(*p); ++p, digits = true) {
        if (significant < 19) mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        ++significant;
    }
    if (p < end && *p == '.') {
        ++p;
        if (mantissa == 0) {
            for (; p < end && *p == '0'; ++p)
                ++decimals, digits = true;
        }
        for (; p < end && isDigit(*p); ++p, digits = true) {
            if (significant < 19) {
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
                ++decimals;
            }
            ++significant;
        }
    }
    if (!digits) return NumberStatus::NotANumber;
    bool hasExponent = false;
    // An exponent only when digits follow: "1em" is a number and a unit.
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < end && (*q == '+' || *q == '-')) ++q;
        if (q < end && isDigit(*q)) {
            while (q < end && isDigit(*q))
                ++q;
            p = q;
            hasExponent = true;
        }
    }
    double v = 0;
    // A mantissa below 2^53 over a power of ten up to 10^22 is one correctly rounded
    // division of two exact doubles: the same double from_chars gives, and faster.
    if (significant <= 19 && !hasExponent && mantissa <= kMaxExactMantissa && decimals <= 22) {
        v = static_cast<double>(mantissa) / kPow10[decimals];
    } else {
        // Correctly rounded, without the C library's locale-bound reader.
        const auto r = fast_float::from_chars(start, p, v);
        if (r.ec != std::errc() || r.ptr != p) return NumberStatus::NotANumber;
        if (std::isinf(v)) return NumberStatus::OutOfRange;
    }
    value = negative ? -v : v;
    pos = static_cast<std::size_t>(p - s.data());
    return NumberStatus::Ok;
}

void skipSpaces(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && isSpace(s[pos]))
        ++pos;
}

void skipCommaSpaces(std::string_view s, std::size_t& pos) {
    skipSpaces(s, pos);
    if (pos < s.size() && s[pos] == ',') {
        ++pos;
        skipSpaces(s, pos);
    }
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool parseWholeNumber(std::string_view s, double& value) {
    s = trim(s);
    std::size_t pos = 0;
    double v = 0;
    if (scanNumber(s, pos, v) != NumberStatus::Ok || pos != s.size()) return false;
    value = v;
    return true;
}

namespace {

// Digits of the mantissa of a number as to_chars writes it, leading zeros left out.
int significantDigits(const char* p, const char* end) {
    int count = 0;
    bool leading = true;
    for (; p < end && *p != 'e'; ++p) {
        if (!isDigit(*p)) continue;
        if (leading && *p == '0') continue;
        leading = false;
        ++count;
    }
    return count;
}

} // namespace

namespace {

// m as a decimal with the given number of decimals ("-12.5" for m = -125, 1 decimal).
void appendDecimal(std::string& out, bool negative, std::uint64_t m, int decimals) {
    char buf[48];
    char* end = buf + sizeof buf;
    char* p = end;
    for (int k = 0; m || k <= decimals; ++k) {
        if (k == decimals && k > 0) *--p = '.';
        *--p = static_cast<char>('0' + m % 10);
        m /= 10;
    }
    if (negative) *--p = '-';
    out.append(p, end);
}

// The shortest decimal that reads back to v, written as to_chars writes it, for the
// usual case of few digits; false where that takes more care. Between 0.001 and 100000
// to_chars writes plain decimals; there, the fewest decimals k such that m / 10^k, one
// correctly rounded division as a reader does it, gives v again are the shortest form,
// and below ten significant digits the only decimal of that length.
bool appendShortDecimal(std::string& out, double v) {
    const bool negative = v < 0;
    const double a = negative ? -v : v;
    if (a == 0) {
        out += '0';
        return true;
    }
    if (!(a >= 1e-3 && a < 1e5)) return false;
    for (int k = 0; k <= 13; ++k) {
        const double scaled = a * kPow10[k];
        if (scaled >= static_cast<double>(kTenDigits)) return false;
        const auto m = static_cast<std::uint64_t>(scaled + 0.5);
        if (static_cast<double>(m) / kPow10[k] == a) {
            appendDecimal(out, negative, m, k);
            return true;
        }
    }
    return false;
}

} // namespace

bool appendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) return false;
    if (v == 0) v = 0; // no "-0"
    if (appendShortDecimal(out, v)) return true;
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    if (significantDigits(buf, r.ptr) > kMaxSignificantDigits) {
        // Ten digits are far finer than print (a millionth of a point on a page-sized map);
        // the shortest exact form of a computed value would bloat the file with noise.
        r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general,
                          kMaxSignificantDigits);
    }
    out.append(buf, r.ptr);
    return true;
}

bool appendFlipped(std::string& out, double v, double flip) {
    if (!std::isfinite(v)) return false;
    const double s = flip - v;
    if (!std::isfinite(s)) return false;
    if (flip == 0) return appendNumber(out, s); // negation is exact
    // The decimal with the fewest decimals whose value, subtracted from flip, gives v
    // again. A reader turns "m with k decimals" into m / 10^k, correctly rounded, for
    // m below 2^53, so the same arithmetic tries each candidate here.
    const bool negative = s < 0;
    const double a = negative ? -s : s;
    // Only a decimal within a few units in the last place of s can map back, so at each
    // precision the nearest one is the only candidate, and one far from s is no candidate.
    const double slack = 1e-12 * (std::abs(flip) + std::abs(v) + a);
    for (int k = 0; k <= 17; ++k) {
        const double scaled = a * kPow10[k];
        if (scaled >= static_cast<double>(kMaxExactMantissa)) break;
        const auto m = static_cast<std::uint64_t>(scaled + 0.5);
        if (std::abs(scaled - static_cast<double>(m)) > slack * kPow10[k] + 1e-9) continue;
        const double d = static_cast<double>(m) / kPow10[k];
        if (flip - (negative ? -d : d) == v) {
            if (m >= kTenDigits) break; // more digits than written: the nearest 10-digit form
            if (m == 0) {
                out += '0';
            } else {
                appendDecimal(out, negative, m, k);
            }
            return true;
        }
    }
    return appendNumber(out, s); // no decimal maps back exactly: the nearest
}

} // namespace host::svg
