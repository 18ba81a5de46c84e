#include "host/svg/SvgNumbers.h"

#include <charconv>
#include <cmath>

namespace host::svg {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

NumberStatus scanNumber(std::string_view s, std::size_t& pos, double& value) {
    std::size_t i = pos;
    const std::size_t n = s.size();
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t start = i;
    bool digits = false;
    while (i < n && isDigit(s[i])) ++i, digits = true;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) ++i, digits = true;
    }
    if (!digits) return NumberStatus::NotANumber;
    bool negativeExponent = false;
    // An exponent only when digits follow: "1em" is a number and a unit.
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) negativeExponent = s[j++] == '-';
        if (j < n && isDigit(s[j])) {
            while (j < n && isDigit(s[j])) ++j;
            i = j;
        }
    }
    double v = 0;
    const auto r = std::from_chars(s.data() + start, s.data() + i, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (!negativeExponent) return NumberStatus::OutOfRange;
        v = 0; // underflow: as good as zero
    } else if (r.ec != std::errc() || r.ptr != s.data() + i) {
        return NumberStatus::NotANumber;
    }
    value = negative ? -v : v;
    pos = i;
    return NumberStatus::Ok;
}

void skipSpaces(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && isSpace(s[pos])) ++pos;
}

void skipCommaSpaces(std::string_view s, std::size_t& pos) {
    skipSpaces(s, pos);
    if (pos < s.size() && s[pos] == ',') {
        ++pos;
        skipSpaces(s, pos);
    }
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
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

bool appendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) return false;
    if (v == 0) v = 0; // no "-0"
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
    return true;
}

bool appendFlipped(std::string& out, double v, double flip) {
    if (!std::isfinite(v)) return false;
    const double s = flip - v;
    if (!std::isfinite(s)) return false;
    if (flip == 0) return appendNumber(out, s); // negation is exact
    char buf[32];
    // Fewest significant digits whose value, subtracted from flip, gives v again.
    for (int precision = 1; precision <= 17; ++precision) {
        const auto r = std::to_chars(buf, buf + sizeof buf, s, std::chars_format::general, precision);
        double back = 0;
        std::from_chars(buf, r.ptr, back, std::chars_format::general);
        if (flip - back == v) {
            if (back == 0) {
                out += '0';
            } else {
                out.append(buf, r.ptr);
            }
            return true;
        }
    }
    return appendNumber(out, s); // no decimal maps back exactly: the nearest
}

} // namespace host::svg
