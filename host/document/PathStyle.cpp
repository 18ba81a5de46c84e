#include "host/document/PathStyle.h"

#include <algorithm>
#include <cmath>

namespace host {

HostColor greyColour(double level) {
    HostColor c{};
    c.kind = kHostGrayColor;
    c.gray = level;
    return c;
}

HostColor cmykColour(double cy, double m, double y, double k) {
    HostColor c{};
    c.kind = kHostFourColor;
    c.cyan = cy;
    c.magenta = m;
    c.yellow = y;
    c.black = k;
    return c;
}

HostColor rgbColour(double r, double g, double b) {
    HostColor c{};
    c.kind = kHostThreeColor;
    c.red = r;
    c.green = g;
    c.blue = b;
    return c;
}

HostColor noColour() {
    HostColor c{};
    c.kind = kHostNoneColor;
    return c;
}

bool sameColour(const HostColor& a, const HostColor& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case kHostGrayColor:
        return a.gray == b.gray;
    case kHostFourColor:
        return a.cyan == b.cyan && a.magenta == b.magenta && a.yellow == b.yellow &&
               a.black == b.black;
    case kHostThreeColor:
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    default:
        return true;
    }
}

bool isValidColour(const HostColor& c) {
    auto ok = [](double v) { return std::isfinite(v) && v >= 0.0 && v <= 1.0; };
    switch (c.kind) {
    case kHostGrayColor:
        return ok(c.gray);
    case kHostFourColor:
        return ok(c.cyan) && ok(c.magenta) && ok(c.yellow) && ok(c.black);
    case kHostThreeColor:
        return ok(c.red) && ok(c.green) && ok(c.blue);
    case kHostNoneColor:
        return true;
    default:
        return false;
    }
}

bool operator==(const PathStyle& a, const PathStyle& b) {
    return a.fillPaint == b.fillPaint && sameColour(a.fill, b.fill) &&
           a.fillOverprint == b.fillOverprint && a.strokePaint == b.strokePaint &&
           sameColour(a.stroke, b.stroke) && a.strokeOverprint == b.strokeOverprint &&
           a.strokeWidth == b.strokeWidth && a.dash == b.dash && a.dashOffset == b.dashOffset &&
           a.cap == b.cap && a.join == b.join && a.miterLimit == b.miterLimit &&
           a.evenOdd == b.evenOdd && a.fillGradientMatrix == b.fillGradientMatrix &&
           a.fillPatternMatrix == b.fillPatternMatrix &&
           a.strokePatternMatrix == b.strokePatternMatrix &&
           a.strokeGradientMatrix == b.strokeGradientMatrix;
}

bool isValidPathStyle(const PathStyle& s) {
    auto nonNegative = [](double v) { return std::isfinite(v) && v >= 0; };
    if (!isValidColour(s.fill) || !isValidColour(s.stroke)) return false;
    if (!nonNegative(s.strokeWidth) || !nonNegative(s.miterLimit)) return false;
    if (!std::isfinite(s.dashOffset)) return false;
    if (!std::all_of(s.dash.begin(), s.dash.end(), nonNegative)) return false;
    if (s.cap < kHostButtCap || s.cap > kHostProjectingCap) return false;
    if (s.join < kHostMiterJoin || s.join > kHostBevelJoin) return false;
    return isFinite(s.fillGradientMatrix) && isFinite(s.fillPatternMatrix) &&
           isFinite(s.strokePatternMatrix) && isFinite(s.strokeGradientMatrix);
}

HostPathStyle toHostPathStyle(const PathStyle& s) {
    HostPathStyle h{};
    h.fillPaint = s.fillPaint;
    h.fill.color = s.fill;
    h.fill.overprint = s.fillOverprint;
    h.strokePaint = s.strokePaint;
    h.stroke.color = s.stroke;
    h.stroke.overprint = s.strokeOverprint;
    h.stroke.width = s.strokeWidth;
    const auto n = std::min<std::size_t>(s.dash.size(), kHostMaxDashComponents);
    h.stroke.dash.length = static_cast<int32_t>(n);
    h.stroke.dash.offset = s.dashOffset;
    std::copy_n(s.dash.begin(), n, h.stroke.dash.array);
    h.stroke.cap = s.cap;
    h.stroke.join = s.join;
    h.stroke.miterLimit = s.miterLimit;
    h.evenOdd = s.evenOdd;
    return h;
}

bool applyHostPathStyle(const HostPathStyle& h, PathStyle& s) {
    const HostDashStyle& dash = h.stroke.dash;
    if (!isValidColour(h.fill.color) || !isValidColour(h.stroke.color)) return false;
    if (!std::isfinite(h.stroke.width) || h.stroke.width < 0) return false;
    if (!std::isfinite(h.stroke.miterLimit) || h.stroke.miterLimit < 0) return false;
    if (h.stroke.cap < kHostButtCap || h.stroke.cap > kHostProjectingCap) return false;
    if (h.stroke.join < kHostMiterJoin || h.stroke.join > kHostBevelJoin) return false;
    if (dash.length < 0 || dash.length > kHostMaxDashComponents) return false;
    if (!std::isfinite(dash.offset)) return false;
    for (int i = 0; i < dash.length; ++i)
        if (!std::isfinite(dash.array[i]) || dash.array[i] < 0) return false;
    s.fillPaint = h.fillPaint != 0;
    s.fill = h.fill.color;
    s.fillOverprint = h.fill.overprint != 0;
    s.strokePaint = h.strokePaint != 0;
    s.stroke = h.stroke.color;
    s.strokeOverprint = h.stroke.overprint != 0;
    s.strokeWidth = h.stroke.width;
    s.dash.assign(dash.array, dash.array + dash.length);
    s.dashOffset = dash.offset;
    s.cap = h.stroke.cap;
    s.join = h.stroke.join;
    s.miterLimit = h.stroke.miterLimit;
    s.evenOdd = h.evenOdd != 0;
    return true;
}

} // namespace host
