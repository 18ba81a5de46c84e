#include "host/svg/SvgColour.h"

#include "host/document/PathStyle.h"
#include "host/svg/SvgNumbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace host::svg {

namespace {

struct NamedColour {
    std::string_view name;
    unsigned char r, g, b;
};

// The SVG 1.1 colour keywords, sorted for a binary search.
constexpr NamedColour kNamedColours[] = {{"aliceblue", 240, 248, 255},
                                         {"antiquewhite", 250, 235, 215},
                                         {"aqua", 0, 255, 255},
                                         {"aquamarine", 127, 255, 212},
                                         {"azure", 240, 255, 255},
                                         {"beige", 245, 245, 220},
                                         {"bisque", 255, 228, 196},
                                         {"black", 0, 0, 0},
                                         {"blanchedalmond", 255, 235, 205},
                                         {"blue", 0, 0, 255},
                                         {"blueviolet", 138, 43, 226},
                                         {"brown", 165, 42, 42},
                                         {"burlywood", 222, 184, 135},
                                         {"cadetblue", 95, 158, 160},
                                         {"chartreuse", 127, 255, 0},
                                         {"chocolate", 210, 105, 30},
                                         {"coral", 255, 127, 80},
                                         {"cornflowerblue", 100, 149, 237},
                                         {"cornsilk", 255, 248, 220},
                                         {"crimson", 220, 20, 60},
                                         {"cyan", 0, 255, 255},
                                         {"darkblue", 0, 0, 139},
                                         {"darkcyan", 0, 139, 139},
                                         {"darkgoldenrod", 184, 134, 11},
                                         {"darkgray", 169, 169, 169},
                                         {"darkgreen", 0, 100, 0},
                                         {"darkgrey", 169, 169, 169},
                                         {"darkkhaki", 189, 183, 107},
                                         {"darkmagenta", 139, 0, 139},
                                         {"darkolivegreen", 85, 107, 47},
                                         {"darkorange", 255, 140, 0},
                                         {"darkorchid", 153, 50, 204},
                                         {"darkred", 139, 0, 0},
                                         {"darksalmon", 233, 150, 122},
                                         {"darkseagreen", 143, 188, 143},
                                         {"darkslateblue", 72, 61, 139},
                                         {"darkslategray", 47, 79, 79},
                                         {"darkslategrey", 47, 79, 79},
                                         {"darkturquoise", 0, 206, 209},
                                         {"darkviolet", 148, 0, 211},
                                         {"deeppink", 255, 20, 147},
                                         {"deepskyblue", 0, 191, 255},
                                         {"dimgray", 105, 105, 105},
                                         {"dimgrey", 105, 105, 105},
                                         {"dodgerblue", 30, 144, 255},
                                         {"firebrick", 178, 34, 34},
                                         {"floralwhite", 255, 250, 240},
                                         {"forestgreen", 34, 139, 34},
                                         {"fuchsia", 255, 0, 255},
                                         {"gainsboro", 220, 220, 220},
                                         {"ghostwhite", 248, 248, 255},
                                         {"gold", 255, 215, 0},
                                         {"goldenrod", 218, 165, 32},
                                         {"gray", 128, 128, 128},
                                         {"green", 0, 128, 0},
                                         {"greenyellow", 173, 255, 47},
                                         {"grey", 128, 128, 128},
                                         {"honeydew", 240, 255, 240},
                                         {"hotpink", 255, 105, 180},
                                         {"indianred", 205, 92, 92},
                                         {"indigo", 75, 0, 130},
                                         {"ivory", 255, 255, 240},
                                         {"khaki", 240, 230, 140},
                                         {"lavender", 230, 230, 250},
                                         {"lavenderblush", 255, 240, 245},
                                         {"lawngreen", 124, 252, 0},
                                         {"lemonchiffon", 255, 250, 205},
                                         {"lightblue", 173, 216, 230},
                                         {"lightcoral", 240, 128, 128},
                                         {"lightcyan", 224, 255, 255},
                                         {"lightgoldenrodyellow", 250, 250, 210},
                                         {"lightgray", 211, 211, 211},
                                         {"lightgreen", 144, 238, 144},
                                         {"lightgrey", 211, 211, 211},
                                         {"lightpink", 255, 182, 193},
                                         {"lightsalmon", 255, 160, 122},
                                         {"lightseagreen", 32, 178, 170},
                                         {"lightskyblue", 135, 206, 250},
                                         {"lightslategray", 119, 136, 153},
                                         {"lightslategrey", 119, 136, 153},
                                         {"lightsteelblue", 176, 196, 222},
                                         {"lightyellow", 255, 255, 224},
                                         {"lime", 0, 255, 0},
                                         {"limegreen", 50, 205, 50},
                                         {"linen", 250, 240, 230},
                                         {"magenta", 255, 0, 255},
                                         {"maroon", 128, 0, 0},
                                         {"mediumaquamarine", 102, 205, 170},
                                         {"mediumblue", 0, 0, 205},
                                         {"mediumorchid", 186, 85, 211},
                                         {"mediumpurple", 147, 112, 219},
                                         {"mediumseagreen", 60, 179, 113},
                                         {"mediumslateblue", 123, 104, 238},
                                         {"mediumspringgreen", 0, 250, 154},
                                         {"mediumturquoise", 72, 209, 204},
                                         {"mediumvioletred", 199, 21, 133},
                                         {"midnightblue", 25, 25, 112},
                                         {"mintcream", 245, 255, 250},
                                         {"mistyrose", 255, 228, 225},
                                         {"moccasin", 255, 228, 181},
                                         {"navajowhite", 255, 222, 173},
                                         {"navy", 0, 0, 128},
                                         {"oldlace", 253, 245, 230},
                                         {"olive", 128, 128, 0},
                                         {"olivedrab", 107, 142, 35},
                                         {"orange", 255, 165, 0},
                                         {"orangered", 255, 69, 0},
                                         {"orchid", 218, 112, 214},
                                         {"palegoldenrod", 238, 232, 170},
                                         {"palegreen", 152, 251, 152},
                                         {"paleturquoise", 175, 238, 238},
                                         {"palevioletred", 219, 112, 147},
                                         {"papayawhip", 255, 239, 213},
                                         {"peachpuff", 255, 218, 185},
                                         {"peru", 205, 133, 63},
                                         {"pink", 255, 192, 203},
                                         {"plum", 221, 160, 221},
                                         {"powderblue", 176, 224, 230},
                                         {"purple", 128, 0, 128},
                                         {"red", 255, 0, 0},
                                         {"rosybrown", 188, 143, 143},
                                         {"royalblue", 65, 105, 225},
                                         {"saddlebrown", 139, 69, 19},
                                         {"salmon", 250, 128, 114},
                                         {"sandybrown", 244, 164, 96},
                                         {"seagreen", 46, 139, 87},
                                         {"seashell", 255, 245, 238},
                                         {"sienna", 160, 82, 45},
                                         {"silver", 192, 192, 192},
                                         {"skyblue", 135, 206, 235},
                                         {"slateblue", 106, 90, 205},
                                         {"slategray", 112, 128, 144},
                                         {"slategrey", 112, 128, 144},
                                         {"snow", 255, 250, 250},
                                         {"springgreen", 0, 255, 127},
                                         {"steelblue", 70, 130, 180},
                                         {"tan", 210, 180, 140},
                                         {"teal", 0, 128, 128},
                                         {"thistle", 216, 191, 216},
                                         {"tomato", 255, 99, 71},
                                         {"turquoise", 64, 224, 208},
                                         {"violet", 238, 130, 238},
                                         {"wheat", 245, 222, 179},
                                         {"white", 255, 255, 255},
                                         {"whitesmoke", 245, 245, 245},
                                         {"yellow", 255, 255, 0},
                                         {"yellowgreen", 154, 205, 50}};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool parseHex(std::string_view s, HostColor& out, double& alpha) {
    if (s.size() != 3 && s.size() != 4 && s.size() != 6 && s.size() != 8) return false;
    int v[8];
    for (std::size_t i = 0; i < s.size(); ++i)
        if ((v[i] = hexDigit(s[i])) < 0) return false;
    double ch[4] = {0, 0, 0, 1};
    const bool shortForm = s.size() <= 4;
    const std::size_t channels = shortForm ? s.size() : s.size() / 2;
    for (std::size_t i = 0; i < channels; ++i)
        ch[i] = (shortForm ? v[i] * 17 : v[2 * i] * 16 + v[2 * i + 1]) / 255.0;
    out = rgbColour(ch[0], ch[1], ch[2]);
    alpha = ch[3];
    return true;
}

// The arguments of a colour function: numbers or percentages parted by commas, or by
// spaces with the alpha after a slash; three or four of them.
bool functionArguments(std::string_view args, std::vector<std::pair<double, bool>>& out) {
    std::size_t pos = 0;
    skipSpaces(args, pos);
    while (pos < args.size()) {
        if (out.size() == 4) return false;
        double v = 0;
        if (scanNumber(args, pos, v) != NumberStatus::Ok) return false;
        bool percent = false;
        if (pos < args.size() && args[pos] == '%') {
            percent = true;
            ++pos;
        } else if (args.substr(pos).starts_with("deg")) {
            pos += 3;
        }
        out.emplace_back(v, percent);
        skipSpaces(args, pos);
        if (pos < args.size() && (args[pos] == ',' || args[pos] == '/')) ++pos;
        skipSpaces(args, pos);
    }
    return out.size() >= 3;
}

double alphaOf(const std::pair<double, bool>& a) {
    return std::clamp(a.second ? a.first / 100.0 : a.first, 0.0, 1.0);
}

// rgb(r, g, b[, a]): integers 0..255 or percentages.
bool parseRgb(std::string_view args, HostColor& out, double& alpha) {
    std::vector<std::pair<double, bool>> a;
    if (!functionArguments(args, a)) return false;
    double ch[3];
    for (int i = 0; i < 3; ++i)
        ch[i] = std::clamp(a[i].second ? a[i].first / 100.0 : a[i].first / 255.0, 0.0, 1.0);
    out = rgbColour(ch[0], ch[1], ch[2]);
    alpha = a.size() == 4 ? alphaOf(a[3]) : 1.0;
    return true;
}

// hsl(h, s%, l%[, a]), as CSS converts it to RGB.
bool parseHsl(std::string_view args, HostColor& out, double& alpha) {
    std::vector<std::pair<double, bool>> a;
    if (!functionArguments(args, a)) return false;
    const double h = std::fmod(std::fmod(a[0].first, 360.0) + 360.0, 360.0) / 360.0;
    const double sat = std::clamp(a[1].first / 100.0, 0.0, 1.0);
    const double light = std::clamp(a[2].first / 100.0, 0.0, 1.0);
    const double q = light <= 0.5 ? light * (1 + sat) : light + sat - light * sat;
    const double p = 2 * light - q;
    const auto channel = [&](double t) {
        t = t < 0 ? t + 1 : (t > 1 ? t - 1 : t);
        if (t < 1.0 / 6) return p + (q - p) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    out = rgbColour(channel(h + 1.0 / 3), channel(h), channel(h - 1.0 / 3));
    alpha = a.size() == 4 ? alphaOf(a[3]) : 1.0;
    return true;
}

} // namespace

bool parseColour(std::string_view s, HostColor& out, double* alpha) {
    double ownAlpha = 1.0;
    double& a = alpha != nullptr ? *alpha : ownAlpha;
    a = 1.0;
    s = trim(s);
    if (s.empty()) return false;
    if (s[0] == '#') return parseHex(s.substr(1), out, a);
    const std::string l = lower(s);
    const std::size_t open = l.find('(');
    if (open != std::string::npos) {
        if (l.back() != ')') return false;
        const std::string_view name = std::string_view(l).substr(0, open);
        const std::string_view args = std::string_view(l).substr(open + 1, l.size() - open - 2);
        if (name == "rgb" || name == "rgba") return parseRgb(args, out, a);
        if (name == "hsl" || name == "hsla") return parseHsl(args, out, a);
        return false;
    }
    auto it =
        std::lower_bound(std::begin(kNamedColours), std::end(kNamedColours), l,
                         [](const NamedColour& c, const std::string& k) { return c.name < k; });
    if (it == std::end(kNamedColours) || it->name != l) return false;
    out = rgbColour(it->r / 255.0, it->g / 255.0, it->b / 255.0);
    return true;
}

bool parsePaint(std::string_view s, Paint& paint) {
    s = trim(s);
    if (!s.empty() && s[0] == '#') {
        HostColor c;
        double alpha = 1.0;
        if (!parseColour(s, c, &alpha)) return false;
        paint = {Paint::Colour, c, false, {}, alpha};
        return true;
    }
    const std::string l = lower(s);
    if (l == "none" || l == "transparent") {
        paint = {Paint::None, {}, false, {}};
        return true;
    }
    if (l == "currentcolor") {
        paint = {Paint::CurrentColour, {}, false, {}};
        return true;
    }
    if (l == "inherit") {
        paint = {Paint::Inherit, {}, false, {}};
        return true;
    }
    if (l.starts_with("url(")) {
        const std::size_t close = s.find(')');
        if (close == std::string_view::npos) return false;
        std::string_view ref = trim(s.substr(4, close - 4));
        if (ref.size() >= 2 && (ref.front() == '"' || ref.front() == '\''))
            ref = ref.substr(1, ref.size() - 2);
        if (!ref.empty() && ref.front() == '#') ref.remove_prefix(1);
        Paint p{Paint::Url, {}, false, ref};
        const std::string_view rest = trim(s.substr(close + 1));
        if (!rest.empty()) {
            Paint fallback;
            if (!parsePaint(rest, fallback) || fallback.kind == Paint::Url) return false;
            if (fallback.kind == Paint::Colour) {
                p.hasFallback = true;
                p.colour = fallback.colour;
            } else if (fallback.kind == Paint::None) {
                p.hasFallback = true;
                p.colour.kind = kHostNoneColor;
            }
        }
        paint = p;
        return true;
    }
    HostColor c;
    double alpha = 1.0;
    if (!parseColour(s, c, &alpha)) return false;
    paint = {Paint::Colour, c, false, {}, alpha};
    return true;
}

HostColor displayRgb(const HostColor& c) {
    switch (c.kind) {
    case kHostGrayColor:
        return rgbColour(1 - c.gray, 1 - c.gray, 1 - c.gray);
    case kHostFourColor:
        return rgbColour((1 - c.cyan) * (1 - c.black), (1 - c.magenta) * (1 - c.black),
                         (1 - c.yellow) * (1 - c.black));
    case kHostThreeColor:
        return c;
    default:
        return rgbColour(0, 0, 0);
    }
}

namespace {

int toByte(double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

} // namespace

void appendHexColour(std::string& out, const HostColor& c) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '#';
    for (double v : {c.red, c.green, c.blue}) {
        const int b = toByte(v);
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
}

HostColor byteRgb(const HostColor& c) {
    return rgbColour(toByte(c.red) / 255.0, toByte(c.green) / 255.0, toByte(c.blue) / 255.0);
}

bool isByteRgb(const HostColor& c) {
    if (c.kind != kHostThreeColor) return false;
    for (double v : {c.red, c.green, c.blue})
        if (toByte(v) / 255.0 != v) return false;
    return true;
}

void appendExactPaint(std::string& out, bool on, const HostColor& c) {
    if (!on) out += "off ";
    auto put = [&](double v) {
        out += ' ';
        appendNumber(out, v);
    };
    switch (c.kind) {
    case kHostGrayColor:
        out += "grey";
        put(c.gray);
        break;
    case kHostFourColor:
        out += "cmyk";
        put(c.cyan);
        put(c.magenta);
        put(c.yellow);
        put(c.black);
        break;
    case kHostThreeColor:
        out += "rgb";
        put(c.red);
        put(c.green);
        put(c.blue);
        break;
    default:
        out += "none";
        break;
    }
}

bool parseExactPaint(std::string_view s, bool& on, HostColor& c) {
    s = trim(s);
    bool isOn = true;
    if (s.starts_with("off ")) {
        isOn = false;
        s = trim(s.substr(4));
    }
    std::size_t pos = 0;
    while (pos < s.size() && !isSpace(s[pos]))
        ++pos;
    const std::string_view kind = s.substr(0, pos);
    int count = 0;
    HostColor out{};
    if (kind == "grey") {
        out.kind = kHostGrayColor, count = 1;
    } else if (kind == "cmyk") {
        out.kind = kHostFourColor, count = 4;
    } else if (kind == "rgb") {
        out.kind = kHostThreeColor, count = 3;
    } else if (kind == "none") {
        out.kind = kHostNoneColor;
    } else {
        return false;
    }
    double v[4] = {};
    for (int i = 0; i < count; ++i) {
        skipSpaces(s, pos);
        if (scanNumber(s, pos, v[i]) != NumberStatus::Ok || v[i] < 0 || v[i] > 1) return false;
    }
    skipSpaces(s, pos);
    if (pos != s.size()) return false;
    if (out.kind == kHostGrayColor) out.gray = v[0];
    if (out.kind == kHostFourColor)
        out.cyan = v[0], out.magenta = v[1], out.yellow = v[2], out.black = v[3];
    if (out.kind == kHostThreeColor) out.red = v[0], out.green = v[1], out.blue = v[2];
    on = isOn;
    c = out;
    return true;
}

} // namespace host::svg
