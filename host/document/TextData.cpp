#include "host/document/TextData.h"

#include "host/document/PathStyle.h"

namespace host {

bool operator==(const CharFeatures& a, const CharFeatures& b) {
    return a.fontSize == b.fontSize && a.horizontalScale == b.horizontalScale &&
           a.verticalScale == b.verticalScale && a.rotation == b.rotation &&
           a.fontFamily == b.fontFamily && a.fillPaint == b.fillPaint &&
           sameColour(a.fill, b.fill) && a.strokePaint == b.strokePaint &&
           sameColour(a.stroke, b.stroke) && a.strokeWidth == b.strokeWidth &&
           a.keptStyle == b.keptStyle;
}

std::string TextData::plainText() const {
    std::string s;
    for (const TextRun& r : runs)
        s += r.text;
    return s;
}

void TextData::setText(std::string utf8, const CharFeatures& features) {
    runs.clear();
    runs.push_back({std::move(utf8), features});
    normalize();
}

namespace {

std::string cleanText(const std::string& in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') continue; // CR LF: one CR
        if (c == '\n' || c == '\r') {
            out += '\r';
        } else if (c < 0x20 && c != '\t') {
            continue;
        } else if (c == 0x7f) {
            continue;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace

void TextData::normalize() {
    std::vector<TextRun> out;
    out.reserve(runs.size());
    for (TextRun& r : runs) {
        std::string text = cleanText(r.text);
        while (!text.empty() && text.front() == '\r' && !out.empty()) {
            out.back().text += '\r';
            text.erase(0, 1);
        }
        if (text.empty()) continue;
        if (!out.empty() && out.back().features == r.features) {
            out.back().text += text;
        } else {
            out.push_back({std::move(text), std::move(r.features)});
        }
    }
    runs = std::move(out);
}

HostRealPoint textAnchor(const TextData& text) {
    return translationPart(text.matrix);
}

void setTextAnchor(TextData& text, HostRealPoint anchor) {
    text.matrix.tx = anchor.h;
    text.matrix.ty = anchor.v;
}

HostRealMatrix textEngineMatrix(const HostRealMatrix& m) {
    // Conjugation by the flip (x, y) -> (x, -y).
    return {m.a, -m.b, -m.c, m.d, m.tx, -m.ty};
}

} // namespace host
