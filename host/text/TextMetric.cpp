#include "host/text/TextMetric.h"

#include "host/core/TextEncoding.h"
#include "host/geometry/Bezier.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace host {

namespace {

constexpr double kDefaultSize = 12.0;
constexpr double kAscent = 0.8;
constexpr double kDescent = 0.2;

bool inRange(char32_t c, char32_t lo, char32_t hi) {
    return c >= lo && c <= hi;
}

// Decodes one UTF-8 character at s[i]; a byte that starts no well-formed sequence counts
// as one character of its own, so broken text still has a width.
char32_t decode(std::string_view s, std::size_t& i) {
    if (const auto c = decodeUtf8At(s, i)) return *c;
    ++i;
    return 0xFFFD;
}

struct Line {
    double advance = 0; // along the line, points
    double size = 0;    // across the line, points
    double width = 0;   // of a vertical column, points
    bool hasChars = false;
};

std::vector<Line> layoutLines(const TextData& text) {
    const bool vertical = text.orientation == Orientation::Vertical;
    std::vector<Line> lines(1);
    double lastSize = text.runs.empty() ? kDefaultSize : text.runs.front().features.fontSize;
    for (const TextRun& run : text.runs) {
        const CharFeatures& f = run.features;
        const double size = f.fontSize * f.verticalScale;
        const double along = f.fontSize * (vertical ? f.verticalScale : f.horizontalScale);
        const double across = f.fontSize * f.horizontalScale;
        lastSize = vertical ? across : size;
        for (std::size_t i = 0; i < run.text.size();) {
            const char32_t c = decode(run.text, i);
            Line& line = lines.back();
            if (c == U'\r') {
                if (!line.hasChars) line.size = line.width = lastSize;
                lines.emplace_back();
                continue;
            }
            line.advance += advanceEm(c) * along;
            line.size = line.hasChars ? std::max(line.size, size) : size;
            line.width = line.hasChars ? std::max(line.width, across) : across;
            line.hasChars = true;
        }
    }
    if (!lines.back().hasChars) lines.back().size = lines.back().width = lastSize;
    return lines;
}

// From one line to the next, in multiples of the line's size.
double lineGap(const TextData& text) {
    return text.para.lineSpacing > 0 ? text.para.lineSpacing : kAutomaticLineSpacing;
}

// Start and end of a line of length len along its direction, relative to the anchor.
std::pair<double, double> justify(std::int32_t justification, double len) {
    switch (justification) {
    case kJustifyRight:
        return {-len, 0.0};
    case kJustifyCenter:
        return {-len / 2, len / 2};
    default:
        return {0.0, len};
    }
}

} // namespace

double advanceEm(char32_t c) {
    if (c == U' ' || c == U'\t' || c == 0xA0) return 0.3;
    if (inRange(c, U'A', U'Z')) return 0.7;
    if (inRange(c, U'a', U'z') || inRange(c, U'0', U'9')) return 0.55;
    if (c < 0x80) return c < 0x20 ? 0.0 : 0.3; // the rest of ASCII is punctuation
    if (inRange(c, 0x300, 0x36F) || inRange(c, 0x200B, 0x200D) || c == 0xFEFF) return 0.0;
    if (inRange(c, 0xFF61, 0xFF9F)) return 0.5;
    if (inRange(c, 0x1100, 0x11FF) || inRange(c, 0x2E80, 0x303F) || inRange(c, 0x3040, 0x30FF) ||
        inRange(c, 0x3100, 0x33FF) || inRange(c, 0x3400, 0x4DBF) || inRange(c, 0x4E00, 0x9FFF) ||
        inRange(c, 0xAC00, 0xD7AF) || inRange(c, 0xF900, 0xFAFF) || inRange(c, 0xFE30, 0xFE4F) ||
        inRange(c, 0xFF01, 0xFF60) || inRange(c, 0xFFE0, 0xFFE6) || inRange(c, 0x20000, 0x3FFFF))
        return 1.0;
    return 0.6;
}

HostRealRect textLocalBounds(const TextData& text) {
    const std::vector<Line> lines = layoutLines(text);
    BoundsBuilder b;
    if (text.orientation == Orientation::Vertical) {
        double axis = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const Line& line = lines[k];
            if (k > 0) axis -= lineGap(text) * line.width;
            const auto [from, to] = justify(text.para.justification, line.advance);
            // Runs downwards: "from" the anchor means towards negative y.
            b.add(HostRealRect{axis - line.width / 2, -from, axis + line.width / 2, -to});
        }
    } else {
        double baseline = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const Line& line = lines[k];
            if (k > 0) baseline -= lineGap(text) * line.size;
            const auto [from, to] = justify(text.para.justification, line.advance);
            b.add(HostRealRect{from, baseline + kAscent * line.size, to,
                               baseline - kDescent * line.size});
        }
    }
    return *b.result();
}

std::vector<double> lineOffsets(const TextData& text) {
    const std::vector<Line> lines = layoutLines(text);
    const bool vertical = text.orientation == Orientation::Vertical;
    std::vector<double> out;
    double at = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) at -= lineGap(text) * (vertical ? lines[k].width : lines[k].size);
        out.push_back(at);
    }
    return out;
}

std::optional<HostRealRect> textBounds(const TextData& text) {
    if (text.kind != TextKind::Point && text.framePath && text.framePath->path())
        return pathBounds(*text.framePath->path());
    return transformRect(text.matrix, textLocalBounds(text));
}

} // namespace host
