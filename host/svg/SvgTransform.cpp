#include "host/svg/SvgTransform.h"

#include "host/geometry/Matrix.h"
#include "host/svg/SvgNumbers.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace host::svg {

namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

bool parseTransform(std::string_view s, HostRealMatrix& result, SyntaxError& error) {
    HostRealMatrix m = kIdentityMatrix;
    std::size_t pos = 0;
    skipSpaces(s, pos);
    while (pos < s.size()) {
        std::size_t nameEnd = pos;
        while (nameEnd < s.size() && std::isalpha(static_cast<unsigned char>(s[nameEnd])))
            ++nameEnd;
        const std::string_view name = s.substr(pos, nameEnd - pos);
        pos = nameEnd;
        skipSpaces(s, pos);
        if (pos >= s.size() || s[pos] != '(') {
            error = {pos, "'(' expected in transform"};
            return false;
        }
        ++pos;
        double a[6] = {};
        int n = 0;
        skipSpaces(s, pos);
        while (pos < s.size() && s[pos] != ')') {
            if (n == 6) {
                error = {pos, "too many transform arguments"};
                return false;
            }
            const NumberStatus st = scanNumber(s, pos, a[n]);
            if (st != NumberStatus::Ok) {
                error = {pos, st == NumberStatus::OutOfRange ? "number out of range"
                                                             : "number expected in transform"};
                return false;
            }
            ++n;
            skipCommaSpaces(s, pos);
        }
        if (pos >= s.size()) {
            error = {pos, "')' expected in transform"};
            return false;
        }
        ++pos;
        HostRealMatrix t;
        if (name == "matrix" && n == 6) {
            t = {a[0], a[1], a[2], a[3], a[4], a[5]};
        } else if (name == "translate" && (n == 1 || n == 2)) {
            t = translationMatrix(a[0], n == 2 ? a[1] : 0);
        } else if (name == "scale" && (n == 1 || n == 2)) {
            t = scaleMatrix(a[0], n == 2 ? a[1] : a[0]);
        } else if (name == "rotate" && (n == 1 || n == 3)) {
            t = rotationMatrix(radians(a[0]));
            if (n == 3) {
                t = concat(concat(translationMatrix(-a[1], -a[2]), t),
                           translationMatrix(a[1], a[2]));
            }
        } else if (name == "skewX" && n == 1) {
            t = {1, 0, std::tan(radians(a[0])), 1, 0, 0};
        } else if (name == "skewY" && n == 1) {
            t = {1, std::tan(radians(a[0])), 0, 1, 0, 0};
        } else {
            error = {nameEnd - name.size(), "unknown transform or wrong number of arguments"};
            return false;
        }
        m = concat(t, m); // the list's later items apply first
        skipCommaSpaces(s, pos);
    }
    if (!isFinite(m)) {
        error = {0, "transform is out of range"};
        return false;
    }
    result = m;
    return true;
}

bool appendMatrix(std::string& out, const HostRealMatrix& m) {
    out += "matrix(";
    const double v[6] = {m.a, m.b, m.c, m.d, m.tx, m.ty};
    for (int i = 0; i < 6; ++i) {
        if (i) out += ' ';
        if (!appendNumber(out, v[i])) return false;
    }
    out += ')';
    return true;
}

} // namespace host::svg
