// Reading <text>: the frame kind, orientation, justification and matrix, the frame path of
// area and path text, and the runs of characters with their features.
#include "host/geometry/Matrix.h"
#include "host/svg/SvgNames.h"
#include "host/svg/SvgNumbers.h"
#include "host/svg/SvgReader.h"
#include "host/svg/SvgTransform.h"
#include "host/text/TextMetric.h"

#include <array>
#include <cmath>

namespace host::svg {

namespace {

// The first of a list of lengths ("10 20 30" positions each character; only the first
// places the text).
bool firstLength(std::string_view s, double fontSize, double& v) {
    s = trim(s);
    std::size_t end = 0;
    while (end < s.size() && !isSpace(s[end]) && s[end] != ',')
        ++end;
    return parseLength(s.substr(0, end), fontSize, v) && std::isfinite(v) && std::abs(v) <= 1e12;
}

// Character properties the model does not use, in the order they are written back.
constexpr std::array<std::string_view, 8> kRunProperties = {
    "font-weight",     "font-style",     "font-variant",   "font-stretch",
    "text-decoration", "baseline-shift", "letter-spacing", "word-spacing"};

// The run's kept declarations: the enclosing run's, with what this element sets itself
// (attributes first, its style attribute over them).
std::string runStyle(pugi::xml_node node, std::string_view enclosing) {
    std::array<std::string, kRunProperties.size()> values;
    const auto set = [&](std::string_view name, std::string_view value) {
        value = trim(value);
        if (value.empty() || value == "inherit") return;
        for (std::size_t i = 0; i < kRunProperties.size(); ++i)
            if (name == kRunProperties[i]) values[i] = std::string(value);
    };
    forEachDeclaration(enclosing, set);
    for (const std::string_view name : kRunProperties)
        if (const pugi::xml_attribute a = node.attribute(std::string(name).c_str()))
            set(name, a.value());
    forEachDeclaration(node.attribute("style").value(), set);
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!values[i].empty())
            out += (out.empty() ? "" : ";") + std::string(kRunProperties[i]) + ":" + values[i];
    return out;
}

// The spacing, in multiples of the type size, that puts the second line gap below the
// first; 0 (automatic) when that is what the automatic spacing gives.
double lineSpacing(const TextData& text, double gap) {
    const std::vector<double> automatic = lineOffsets(text);
    if (automatic.size() < 2 || !(automatic[1] < 0) || !(gap > 0) || !std::isfinite(gap))
        return 0.0;
    const double spacing = kAutomaticLineSpacing * gap / -automatic[1];
    return std::abs(spacing - kAutomaticLineSpacing) <= 1e-9 * kAutomaticLineSpacing ? 0.0
                                                                                     : spacing;
}

bool parseCvNumber(const char* s, double& v) {
    return s && parseWholeNumber(s, v) && std::isfinite(v);
}

class RunBuilder {
public:
    explicit RunBuilder(std::vector<TextRun>& runs) : runs_(runs) {}

    void text(std::string_view s, const CharFeatures& f, bool preserve) {
        std::string out;
        out.reserve(s.size());
        for (char c : s) {
            if (c == '\n' || c == '\r') {
                if (preserve) out += ' ';
                continue; // the default space handling drops line ends
            }
            if (!preserve && (c == '\t' || c == ' ')) {
                if (lastSpace_ || atLineStart_) continue;
                out += ' ';
                lastSpace_ = true;
                continue;
            }
            out += c;
            lastSpace_ = false;
            atLineStart_ = false;
        }
        if (out.empty()) return;
        atLineStart_ = false;
        content_ = true;
        append(out, f);
    }

    void lineBreak(const CharFeatures& f) {
        trimEnd();
        append("\r", f);
        atLineStart_ = true;
        lastSpace_ = false;
    }

    bool hasContent() const { return content_; }

    void finish() { trimEnd(); }

private:
    void append(std::string_view s, const CharFeatures& f) {
        if (!runs_.empty() && runs_.back().features == f) {
            runs_.back().text += s;
        } else {
            runs_.push_back({std::string(s), f});
        }
    }
    // Spaces that the default handling collapsed into one at the end of a line go.
    void trimEnd() {
        if (!lastSpace_ || runs_.empty()) return;
        std::string& t = runs_.back().text;
        if (!t.empty() && t.back() == ' ') t.pop_back();
        if (t.empty()) runs_.pop_back();
        lastSpace_ = false;
    }

    std::vector<TextRun>& runs_;
    bool lastSpace_ = false;
    bool atLineStart_ = true;
    bool content_ = false;
};

} // namespace

CharFeatures SvgReader::charFeatures(pugi::xml_node node, const ComputedStyle& style,
                                     const CharFeatures& parent) {
    CharFeatures f = parent;
    f.fontSize = style.fontSize;
    f.fontFamily = style.fontFamily;
    f.fillPaint = resolvePaint(style.fill, style.color, f.fill);
    f.strokePaint = resolvePaint(style.stroke, style.color, f.stroke);
    f.strokeWidth = style.strokeWidth;
    auto exact = [&](std::string_view local, bool& on, HostColor& c) {
        if (const char* v = cvAttr(node, local)) {
            bool o;
            HostColor x;
            if (parseExactPaint(v, o, x)) on = o, c = x;
        }
    };
    exact(cv::kFill, f.fillPaint, f.fill);
    exact(cv::kStroke, f.strokePaint, f.stroke);
    double v = 0;
    // SVG turns characters clockwise with y down: the same turn counter-clockwise with y up.
    if (firstLength(node.attribute("rotate").value(), 0, v)) f.rotation = v == 0 ? 0 : -v;
    if (parseCvNumber(cvAttr(node, cv::kHScale), v) && v > 0) f.horizontalScale = v;
    if (parseCvNumber(cvAttr(node, cv::kVScale), v) && v > 0) f.verticalScale = v;
    // Renderers draw a decoration or shift set on the text element only when the runs carry
    // it too (the element keeps its own attributes as well).
    f.keptStyle = runStyle(node, parent.keptStyle);
    return f;
}

Art* SvgReader::readFramePath(pugi::xml_node ref, const Context& parent,
                              const HostRealMatrix& ctm) {
    const std::string_view name = localName(ref);
    if (!isShapeElement(name)) return nullptr;
    const ComputedStyle style = computeStyle(ref, parent.style);
    HostRealMatrix frameCtm;
    if (!elementTransform(ref, ctm, frameCtm)) return nullptr;
    Art* art = readShape(ref, name, style, frameCtm);
    if (art && art->type() != ArtType::Path) {
        warn(ref, "a text frame must be a single path; ignored");
        doc_->disposeArt(*art);
        return nullptr;
    }
    return art;
}

Art* SvgReader::readText(pugi::xml_node node, const Context& parent, const ComputedStyle& style,
                         const HostRealMatrix& ctm) {
    const char* kindAttr = cvAttr(node, cv::kArt);
    const bool legacy = kindAttr && std::string_view(kindAttr) == "legacy-text";
    Art* art = doc_->makeArt(legacy ? ArtType::LegacyText : ArtType::TextFrame);
    TextData& t = *art->text();
    t.orientation = style.vertical ? Orientation::Vertical : Orientation::Horizontal;
    t.para.justification = style.justification;
    double x = 0, y = 0;
    firstLength(node.attribute("x").value(), style.fontSize, x);
    firstLength(node.attribute("y").value(), style.fontSize, y);
    // The text's own space: origin at the anchor, y up.
    t.matrix = concat(HostRealMatrix{1, 0, 0, -1, x, y}, ctm);
    if (!checkMatrix(node, t.matrix)) return nullptr;

    pugi::xml_node textPath;
    for (pugi::xml_node c = node.first_child(); c && !textPath; c = c.next_sibling())
        if (localName(c) == "textPath") textPath = c;
    double kindNumber = -1;
    parseCvNumber(cvAttr(node, cv::kKind), kindNumber);
    t.kind = kindNumber == 1                                   ? TextKind::Area
             : kindNumber == 2 || (kindNumber < 0 && textPath) ? TextKind::OnPath
                                                               : TextKind::Point;
    Art* frame = nullptr;
    if (t.kind == TextKind::Area) {
        // Written beside the text, in the same user space as the text's parent.
        std::string_view ref = cvAttr(node, cv::kFrame) ? cvAttr(node, cv::kFrame) : "";
        if (ref.starts_with("#")) ref.remove_prefix(1);
        if (const pugi::xml_node f = byId(ref)) frame = readFramePath(f, parent, parent.ctm);
    } else if (t.kind == TextKind::OnPath && textPath) {
        // A text path's path lies in the text's user space.
        if (const pugi::xml_node f = referenced(textPath)) frame = readFramePath(f, parent, ctm);
    }
    if (failed_) return nullptr;
    if (t.kind != TextKind::Point && !frame) {
        warn(node, "text frame path not found; read as point text");
        t.kind = TextKind::Point;
    }
    if (frame) {
        doc_->attachFramePath(*art, *frame);
        if (t.kind == TextKind::OnPath) {
            const HostRealPoint start = frame->path()->segments.empty()
                                            ? HostRealPoint{0, 0}
                                            : frame->path()->segments.front().p;
            t.matrix = translationMatrix(start.h, start.v);
            if (const char* m = cvAttr(node, cv::kMatrix)) {
                const std::string_view s = m;
                double v[6];
                std::size_t pos = 0;
                bool ok = true;
                for (double& d : v) {
                    skipCommaSpaces(s, pos);
                    ok = ok && scanNumber(s, pos, d) == NumberStatus::Ok && std::abs(d) <= 1e12;
                }
                if (ok) t.matrix = {v[0], v[1], v[2], v[3], v[4], v[5]};
            }
        }
    }

    // The runs: a walk over the content in document order, with an explicit stack.
    struct Level {
        pugi::xml_node next;
        ComputedStyle style;
        CharFeatures features;
        bool preserve;
    };
    RunBuilder runs(t.runs);
    int lines = 0;
    // The baselines the first two lines were written at, when both are given: the text's
    // line spacing.
    std::vector<double> lineY;
    bool startsWithLine = false;
    // xml:space holds for everything inside the element that sets it.
    bool preserveAll = false;
    for (pugi::xml_node a = node; a; a = a.parent()) {
        if (const pugi::xml_attribute space = a.attribute("xml:space")) {
            preserveAll = std::string_view(space.value()) == "preserve";
            break;
        }
    }
    std::vector<Level> levels;
    const CharFeatures own = charFeatures(node, style, CharFeatures{});
    levels.push_back({node.first_child(), style, own, preserveAll});
    while (!levels.empty()) {
        Level& level = levels.back();
        const pugi::xml_node c = level.next;
        if (!c) {
            levels.pop_back();
            continue;
        }
        level.next = c.next_sibling();
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            runs.text(c.value(), level.features, level.preserve);
            continue;
        }
        const std::string_view name = localName(c);
        if (name == "tref") {
            // The referenced element's characters, styled as the tref is.
            if (const pugi::xml_node ref = referenced(c)) {
                std::string chars;
                for (pugi::xml_node d = ref.first_child(); d;) {
                    if (d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata)
                        chars += d.value();
                    if (d.first_child()) {
                        d = d.first_child();
                        continue;
                    }
                    while (d != ref && !d.next_sibling())
                        d = d.parent();
                    d = d == ref ? pugi::xml_node() : d.next_sibling();
                }
                const ComputedStyle cs = computeStyle(c, level.style);
                runs.text(chars, charFeatures(c, cs, level.features), level.preserve);
            }
            continue;
        }
        if (name != "tspan" && name != "textPath" && name != "a") continue;
        const ComputedStyle cs = computeStyle(c, level.style);
        const CharFeatures f = charFeatures(c, cs, level.features);
        const char* lineMark = cvAttr(c, cv::kLine);
        const bool line =
            lineMark ? std::string_view(lineMark) == "1"
                     : name == "tspan" &&
                           (c.attribute("x") ||
                            std::string_view(c.attribute("sodipodi:role").value()) == "line");
        if (line) {
            if (lines == 0 && !runs.hasContent()) startsWithLine = true;
            double baseline = 0;
            if (lineY.size() == static_cast<std::size_t>(lines) && lines < 2 &&
                firstLength(c.attribute("y").value(), cs.fontSize, baseline))
                lineY.push_back(baseline);
            if (lines > 0 || runs.hasContent()) runs.lineBreak(f);
            ++lines;
        }
        const std::string_view space = c.attribute("xml:space").value();
        const bool preserve = space == "preserve" || (space != "default" && level.preserve);
        levels.push_back({c.first_child(), cs, f, preserve});
    }
    runs.finish();
    t.normalize();
    if (startsWithLine && lineY.size() == 2 && t.orientation == Orientation::Horizontal)
        t.para.lineSpacing = lineSpacing(t, lineY[1] - lineY[0]);
    keepPaint(style.fill, own.fillPaint, own.fill, pendingFill_);
    keepPaint(style.stroke, own.strokePaint, own.stroke, pendingStroke_);
    finishArt(node, *art, style, true, ctm);
    return art;
}

} // namespace host::svg
