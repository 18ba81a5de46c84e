#include "host/svg/SvgStyle.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace host::svg {

namespace {

enum class Prop {
    Fill,
    Stroke,
    Color,
    StrokeWidth,
    Dash,
    DashOffset,
    Cap,
    Join,
    MiterLimit,
    FillRule,
    FillOpacity,
    StrokeOpacity,
    FontSize,
    FontFamily,
    TextAnchor,
    WritingMode,
    Visibility,
    Opacity,
    Display,
    Unknown,
};

constexpr std::array<std::pair<std::string_view, Prop>, 19> kProps{{
    {"fill", Prop::Fill},
    {"stroke", Prop::Stroke},
    {"color", Prop::Color},
    {"stroke-width", Prop::StrokeWidth},
    {"stroke-dasharray", Prop::Dash},
    {"stroke-dashoffset", Prop::DashOffset},
    {"stroke-linecap", Prop::Cap},
    {"stroke-linejoin", Prop::Join},
    {"stroke-miterlimit", Prop::MiterLimit},
    {"fill-rule", Prop::FillRule},
    {"fill-opacity", Prop::FillOpacity},
    {"stroke-opacity", Prop::StrokeOpacity},
    {"font-size", Prop::FontSize},
    {"font-family", Prop::FontFamily},
    {"text-anchor", Prop::TextAnchor},
    {"writing-mode", Prop::WritingMode},
    {"visibility", Prop::Visibility},
    {"opacity", Prop::Opacity},
    {"display", Prop::Display},
}};

Prop propOf(std::string_view name) {
    for (const auto& [n, p] : kProps)
        if (n == name) return p;
    return Prop::Unknown;
}

bool parseDash(std::string_view s, double fontSize, std::vector<double>& out) {
    std::vector<double> dash;
    if (trim(s) == "none") {
        out.clear();
        return true;
    }
    std::size_t pos = 0;
    skipSpaces(s, pos);
    while (pos < s.size()) {
        std::size_t end = pos;
        while (end < s.size() && s[end] != ',' && !isSpace(s[end]))
            ++end;
        double v = 0;
        if (!parseLength(s.substr(pos, end - pos), fontSize, v) || v < 0) return false;
        dash.push_back(v);
        pos = end;
        skipCommaSpaces(s, pos);
    }
    // All zeros draw a solid line.
    if (std::all_of(dash.begin(), dash.end(), [](double d) { return d == 0; })) dash.clear();
    out = std::move(dash);
    return true;
}

bool parseFontSize(std::string_view s, double parentSize, double& out) {
    static constexpr std::pair<std::string_view, double> kKeywords[] = {
        {"xx-small", 9}, {"x-small", 10}, {"small", 13},    {"medium", 16},
        {"large", 18},   {"x-large", 24}, {"xx-large", 32},
    };
    for (const auto& [k, v] : kKeywords) {
        if (s == k) {
            out = v;
            return true;
        }
    }
    if (s == "larger") return out = parentSize * 1.2, true;
    if (s == "smaller") return out = parentSize / 1.2, true;
    if (!s.empty() && s.back() == '%') {
        double v = 0;
        if (!parseWholeNumber(s.substr(0, s.size() - 1), v) || v < 0) return false;
        out = parentSize * v / 100;
        return true;
    }
    double v = 0;
    if (!parseLength(s, parentSize, v) || v < 0) return false;
    out = v;
    return true;
}

} // namespace

ComputedStyle ComputedStyle::inherited() const {
    ComputedStyle s = *this;
    s.opacity.clear();
    s.displayNone = false;
    return s;
}

bool isPresentationAttribute(std::string_view name) {
    return propOf(name) != Prop::Unknown;
}

bool parseLength(std::string_view s, double fontSize, double& value) {
    s = trim(s);
    std::size_t pos = 0;
    double v = 0;
    if (scanNumber(s, pos, v) != NumberStatus::Ok) return false;
    const std::string_view unit = s.substr(pos);
    double scale = 1;
    if (unit.empty() || unit == "px") {
        scale = 1;
    } else if (unit == "pt") {
        scale = 4.0 / 3.0;
    } else if (unit == "pc") {
        scale = 16;
    } else if (unit == "mm") {
        scale = 96 / 25.4;
    } else if (unit == "cm") {
        scale = 96 / 2.54;
    } else if (unit == "in") {
        scale = 96;
    } else if (unit == "em") {
        scale = fontSize;
    } else if (unit == "ex") {
        scale = fontSize / 2;
    } else {
        return false;
    }
    v *= scale;
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

void applyProperty(ComputedStyle& s, const ComputedStyle& parent, std::string_view name,
                   std::string_view value) {
    const Prop prop = propOf(name);
    if (prop == Prop::Unknown) return;
    value = trim(value);
    const bool inherit = value == "inherit";
    switch (prop) {
    case Prop::Fill:
    case Prop::Stroke: {
        Paint& target = prop == Prop::Fill ? s.fill : s.stroke;
        if (inherit) {
            target = prop == Prop::Fill ? parent.fill : parent.stroke;
            break;
        }
        Paint p;
        if (parsePaint(value, p) && p.kind != Paint::Inherit) target = p;
        break;
    }
    case Prop::Color: {
        HostColor c;
        if (inherit) {
            s.color = parent.color;
        } else if (parseColour(value, c)) {
            s.color = c;
        }
        break;
    }
    case Prop::StrokeWidth: {
        double v = 0;
        if (inherit) {
            s.strokeWidth = parent.strokeWidth;
        } else if (parseLength(value, s.fontSize, v) && v >= 0) {
            s.strokeWidth = v;
        }
        break;
    }
    case Prop::Dash:
        if (inherit) {
            s.dash = parent.dash;
        } else {
            parseDash(value, s.fontSize, s.dash);
        }
        break;
    case Prop::DashOffset: {
        double v = 0;
        if (inherit) {
            s.dashOffset = parent.dashOffset;
        } else if (parseLength(value, s.fontSize, v)) {
            s.dashOffset = v;
        }
        break;
    }
    case Prop::Cap:
        if (inherit) s.cap = parent.cap;
        if (value == "butt") s.cap = kHostButtCap;
        if (value == "round") s.cap = kHostRoundCap;
        if (value == "square") s.cap = kHostProjectingCap;
        break;
    case Prop::Join:
        if (inherit) s.join = parent.join;
        if (value == "miter" || value == "miter-clip" || value == "arcs") s.join = kHostMiterJoin;
        if (value == "round") s.join = kHostRoundJoin;
        if (value == "bevel") s.join = kHostBevelJoin;
        break;
    case Prop::MiterLimit: {
        double v = 0;
        if (inherit) {
            s.miterLimit = parent.miterLimit;
        } else if (parseWholeNumber(value, v) && v >= 0) {
            s.miterLimit = v;
        }
        break;
    }
    case Prop::FillRule:
        if (inherit) s.evenOdd = parent.evenOdd;
        if (value == "evenodd") s.evenOdd = true;
        if (value == "nonzero") s.evenOdd = false;
        break;
    case Prop::FillOpacity:
        s.fillOpacity = inherit ? parent.fillOpacity : std::string(value);
        break;
    case Prop::StrokeOpacity:
        s.strokeOpacity = inherit ? parent.strokeOpacity : std::string(value);
        break;
    case Prop::FontSize: {
        double v = 0;
        if (inherit) {
            s.fontSize = parent.fontSize;
        } else if (parseFontSize(value, parent.fontSize, v)) {
            s.fontSize = v;
        }
        break;
    }
    case Prop::FontFamily:
        s.fontFamily = inherit ? parent.fontFamily : std::string(value);
        break;
    case Prop::TextAnchor:
        if (inherit) s.justification = parent.justification;
        if (value == "start") s.justification = 0;
        if (value == "end") s.justification = 1;
        if (value == "middle") s.justification = 2;
        break;
    case Prop::WritingMode:
        if (inherit) s.vertical = parent.vertical;
        if (value == "tb" || value == "tb-rl" || value == "vertical-rl" || value == "vertical-lr")
            s.vertical = true;
        if (value == "lr" || value == "lr-tb" || value == "rl" || value == "rl-tb" ||
            value == "horizontal-tb")
            s.vertical = false;
        break;
    case Prop::Visibility:
        if (inherit) s.visibilityHidden = parent.visibilityHidden;
        if (value == "hidden" || value == "collapse") s.visibilityHidden = true;
        if (value == "visible") s.visibilityHidden = false;
        break;
    case Prop::Opacity:
        s.opacity = inherit ? parent.opacity : std::string(value);
        break;
    case Prop::Display:
        s.displayNone = inherit ? parent.displayNone : value == "none";
        break;
    case Prop::Unknown:
        break;
    }
}

namespace {

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

} // namespace

void StyleSheet::addRule(std::string_view selector, std::string_view body) {
    Rule rule;
    std::size_t pos = 0;
    auto name = [&]() {
        const std::size_t start = pos;
        while (pos < selector.size() && isNameChar(selector[pos]))
            ++pos;
        return std::string(selector.substr(start, pos - start));
    };
    if (pos < selector.size() && selector[pos] == '*') {
        ++pos;
    } else {
        rule.element = name();
    }
    while (pos < selector.size()) {
        const char c = selector[pos++];
        std::string n = name();
        if (n.empty()) return; // combinators, pseudo-classes, attributes: not supported
        if (c == '.') {
            rule.classes.push_back(std::move(n));
        } else if (c == '#' && rule.id.empty()) {
            rule.id = std::move(n);
        } else {
            return;
        }
    }
    rule.specificity = (rule.id.empty() ? 0 : 10000) + 100 * static_cast<int>(rule.classes.size()) +
                       (rule.element.empty() ? 0 : 1);
    rule.order = rules_.size();
    forEachDeclaration(body, [&](std::string_view n, std::string_view v) {
        rule.declarations.emplace_back(std::string(n), std::string(v));
    });
    const std::size_t index = rules_.size();
    if (!rule.id.empty()) {
        byId_[rule.id].push_back(index);
    } else if (!rule.classes.empty()) {
        byClass_[rule.classes.front()].push_back(index);
    } else if (!rule.element.empty()) {
        byElement_[rule.element].push_back(index);
    } else {
        universal_.push_back(index);
    }
    rules_.push_back(std::move(rule));
}

void StyleSheet::parse(std::string_view css) {
    std::string text;
    text.reserve(css.size());
    for (std::size_t i = 0; i < css.size(); ++i) { // drop comments
        if (css.compare(i, 2, "/*") == 0) {
            const std::size_t end = css.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 1;
            continue;
        }
        text += css[i];
    }
    std::string_view s = text;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t open = s.find('{', pos);
        if (open == std::string_view::npos) break;
        const std::string_view prelude = trim(s.substr(pos, open - pos));
        // Find the matching brace; at-rules may nest blocks.
        int depth = 1;
        std::size_t close = open + 1;
        for (; close < s.size() && depth > 0; ++close) {
            if (s[close] == '{') ++depth;
            if (s[close] == '}') --depth;
        }
        const std::string_view body = s.substr(open + 1, close - open - 2 + (depth == 0 ? 0 : 1));
        pos = close;
        if (prelude.empty() || prelude.front() == '@') continue;
        std::size_t start = 0;
        while (start <= prelude.size()) {
            std::size_t comma = prelude.find(',', start);
            if (comma == std::string_view::npos) comma = prelude.size();
            const std::string_view sel = trim(prelude.substr(start, comma - start));
            if (!sel.empty()) addRule(sel, body);
            start = comma + 1;
        }
    }
}

void StyleSheet::match(std::string_view element, std::string_view id, std::string_view classes,
                       std::vector<std::pair<std::string_view, std::string_view>>& out) const {
    out.clear();
    if (rules_.empty()) return;
    std::vector<std::string_view> classList;
    for (std::size_t pos = 0; pos < classes.size();) {
        while (pos < classes.size() && isSpace(classes[pos]))
            ++pos;
        const std::size_t start = pos;
        while (pos < classes.size() && !isSpace(classes[pos]))
            ++pos;
        if (pos > start) classList.push_back(classes.substr(start, pos - start));
    }
    std::vector<const Rule*> hits;
    auto consider = [&](const std::vector<std::size_t>& list) {
        for (std::size_t i : list) {
            const Rule& r = rules_[i];
            if (!r.element.empty() && r.element != element) continue;
            if (!r.id.empty() && r.id != id) continue;
            bool all = true;
            for (const std::string& c : r.classes)
                all = all && std::find(classList.begin(), classList.end(), c) != classList.end();
            if (all && std::find(hits.begin(), hits.end(), &r) == hits.end()) hits.push_back(&r);
        }
    };
    consider(universal_);
    if (auto it = byElement_.find(std::string(element)); it != byElement_.end())
        consider(it->second);
    if (!id.empty())
        if (auto it = byId_.find(std::string(id)); it != byId_.end()) consider(it->second);
    for (std::string_view c : classList)
        if (auto it = byClass_.find(std::string(c)); it != byClass_.end()) consider(it->second);
    std::sort(hits.begin(), hits.end(), [](const Rule* a, const Rule* b) {
        return a->specificity != b->specificity ? a->specificity < b->specificity
                                                : a->order < b->order;
    });
    for (const Rule* r : hits)
        for (const auto& [n, v] : r->declarations)
            out.emplace_back(n, v);
}

} // namespace host::svg
