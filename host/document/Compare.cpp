#include "host/document/Compare.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace host {

namespace {

class Comparer {
public:
    Comparer(const Document& a, const Document& b, double tol) : a_(a), b_(b), tol_(tol) {}

    std::optional<std::string> run();

private:
    bool num(double x, double y, const char* what);
    bool flag(bool x, bool y, const char* what);
    bool text(const std::string& x, const std::string& y, const char* what);
    bool point(HostRealPoint x, HostRealPoint y, const char* what);
    bool matrix(const HostRealMatrix& x, const HostRealMatrix& y, const char* what);
    bool colour(const HostColor& x, const HostColor& y, const char* what);
    bool style(const PathStyle& x, const PathStyle& y);
    bool features(const CharFeatures& x, const CharFeatures& y);
    bool path(const PathData& x, const PathData& y);
    bool textData(const TextData& x, const TextData& y);
    bool node(const Art& x, const Art& y);
    bool tree(const Art& x, const Art& y);
    int symbolIndex(const Document& d, std::uint64_t id) const;
    bool fail(const std::string& what);

    const Document& a_;
    const Document& b_;
    double tol_;
    std::string where_;
    std::string diff_;
};

bool Comparer::fail(const std::string& what) {
    diff_ = where_ + ": " + what;
    return false;
}

bool Comparer::num(double x, double y, const char* what) {
    if (x == y || (std::isnan(x) && std::isnan(y))) return true;
    const double scale = std::max({1.0, std::abs(x), std::abs(y)});
    if (std::abs(x - y) <= tol_ * scale) return true;
    std::ostringstream os;
    os.precision(17);
    os << what << " " << x << " vs " << y;
    return fail(os.str());
}

bool Comparer::flag(bool x, bool y, const char* what) {
    return x == y || fail(std::string(what) + (x ? " true vs false" : " false vs true"));
}

bool Comparer::text(const std::string& x, const std::string& y, const char* what) {
    return x == y || fail(std::string(what) + " '" + x + "' vs '" + y + "'");
}

bool Comparer::point(HostRealPoint x, HostRealPoint y, const char* what) {
    return num(x.h, y.h, what) && num(x.v, y.v, what);
}

bool Comparer::matrix(const HostRealMatrix& x, const HostRealMatrix& y, const char* what) {
    return num(x.a, y.a, what) && num(x.b, y.b, what) && num(x.c, y.c, what) &&
           num(x.d, y.d, what) && num(x.tx, y.tx, what) && num(x.ty, y.ty, what);
}

bool Comparer::colour(const HostColor& x, const HostColor& y, const char* what) {
    if (x.kind != y.kind) return fail(std::string(what) + " kind differs");
    switch (x.kind) {
    case kHostGrayColor:
        return num(x.gray, y.gray, what);
    case kHostFourColor:
        return num(x.cyan, y.cyan, what) && num(x.magenta, y.magenta, what) &&
               num(x.yellow, y.yellow, what) && num(x.black, y.black, what);
    case kHostThreeColor:
        return num(x.red, y.red, what) && num(x.green, y.green, what) && num(x.blue, y.blue, what);
    default:
        return true;
    }
}

bool Comparer::style(const PathStyle& x, const PathStyle& y) {
    if (!flag(x.fillPaint, y.fillPaint, "fill paint") || !colour(x.fill, y.fill, "fill") ||
        !flag(x.fillOverprint, y.fillOverprint, "fill overprint") ||
        !flag(x.strokePaint, y.strokePaint, "stroke paint") ||
        !colour(x.stroke, y.stroke, "stroke") ||
        !flag(x.strokeOverprint, y.strokeOverprint, "stroke overprint") ||
        !num(x.strokeWidth, y.strokeWidth, "stroke width") ||
        !num(x.dashOffset, y.dashOffset, "dash offset") ||
        !num(x.miterLimit, y.miterLimit, "miter limit") || !flag(x.evenOdd, y.evenOdd, "even-odd"))
        return false;
    if (x.cap != y.cap || x.join != y.join) return fail("cap or join differs");
    if (x.dash.size() != y.dash.size()) return fail("dash array length differs");
    for (std::size_t i = 0; i < x.dash.size(); ++i)
        if (!num(x.dash[i], y.dash[i], "dash")) return false;
    return matrix(x.fillGradientMatrix, y.fillGradientMatrix, "fill gradient matrix") &&
           matrix(x.fillPatternMatrix, y.fillPatternMatrix, "fill pattern matrix") &&
           matrix(x.strokePatternMatrix, y.strokePatternMatrix, "stroke pattern matrix") &&
           matrix(x.strokeGradientMatrix, y.strokeGradientMatrix, "stroke gradient matrix");
}

bool Comparer::features(const CharFeatures& x, const CharFeatures& y) {
    return num(x.fontSize, y.fontSize, "font size") &&
           num(x.horizontalScale, y.horizontalScale, "horizontal scale") &&
           num(x.verticalScale, y.verticalScale, "vertical scale") &&
           num(x.rotation, y.rotation, "character rotation") &&
           text(x.fontFamily, y.fontFamily, "font family") &&
           flag(x.fillPaint, y.fillPaint, "text fill paint") &&
           colour(x.fill, y.fill, "text fill") &&
           flag(x.strokePaint, y.strokePaint, "text stroke paint") &&
           colour(x.stroke, y.stroke, "text stroke") &&
           num(x.strokeWidth, y.strokeWidth, "text stroke width");
}

bool Comparer::path(const PathData& x, const PathData& y) {
    if (x.segments.size() != y.segments.size())
        return fail("segment count " + std::to_string(x.segments.size()) + " vs " +
                    std::to_string(y.segments.size()));
    for (std::size_t i = 0; i < x.segments.size(); ++i) {
        const HostPathSegment& s = x.segments[i];
        const HostPathSegment& t = y.segments[i];
        const std::string at = "segment " + std::to_string(i);
        if (!point(s.p, t.p, (at + " anchor").c_str()) ||
            !point(s.in, t.in, (at + " in").c_str()) ||
            !point(s.out, t.out, (at + " out").c_str()) ||
            !flag(s.corner != 0, t.corner != 0, (at + " corner").c_str()))
            return false;
    }
    return flag(x.closed, y.closed, "closed") && flag(x.guide, y.guide, "guide") &&
           style(x.style, y.style);
}

bool Comparer::textData(const TextData& x, const TextData& y) {
    if (x.kind != y.kind) return fail("text kind differs");
    if (x.orientation != y.orientation) return fail("orientation differs");
    if (x.para.justification != y.para.justification) return fail("justification differs");
    if (x.para.lineSpacing != y.para.lineSpacing) return fail("line spacing differs");
    if (!matrix(x.matrix, y.matrix, "text matrix")) return false;
    if (x.runs.size() != y.runs.size())
        return fail("run count " + std::to_string(x.runs.size()) + " vs " +
                    std::to_string(y.runs.size()));
    for (std::size_t i = 0; i < x.runs.size(); ++i) {
        if (!text(x.runs[i].text, y.runs[i].text, "run text") ||
            !features(x.runs[i].features, y.runs[i].features))
            return false;
    }
    if (!x.framePath != !y.framePath) return fail("frame path present on one side only");
    return !x.framePath || node(*x.framePath, *y.framePath);
}

int Comparer::symbolIndex(const Document& d, std::uint64_t id) const {
    const auto& list = d.symbols();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->id() == id) return static_cast<int>(i);
    return -1;
}

bool Comparer::node(const Art& x, const Art& y) {
    if (x.type() != y.type())
        return fail("art type " + std::to_string(static_cast<int>(x.type())) + " vs " +
                    std::to_string(static_cast<int>(y.type())));
    if (!text(x.name, y.name, "name")) return false;
    const std::uint32_t mask = kAttrLocked | kAttrHidden;
    if (a_.userAttributes(x, mask) != b_.userAttributes(y, mask))
        return fail("user attributes differ");
    if (x.tags != y.tags) return fail("tags differ");
    if (x.path()) return path(*x.path(), *y.path());
    if (const ImageData* i = x.image()) {
        const ImageData* j = y.image();
        return matrix(i->matrix, j->matrix, "image matrix") &&
               num(i->pixelWidth, j->pixelWidth, "pixel width") &&
               num(i->pixelHeight, j->pixelHeight, "pixel height") &&
               text(i->href, j->href, "href");
    }
    if (const SymbolInstanceData* s = x.symbolInstance()) {
        const SymbolInstanceData* t = y.symbolInstance();
        if (symbolIndex(a_, s->symbol) != symbolIndex(b_, t->symbol))
            return fail("instance of another symbol");
        return matrix(s->matrix, t->matrix, "symbol matrix");
    }
    if (x.text()) return textData(*x.text(), *y.text());
    return true;
}

bool Comparer::tree(const Art& x, const Art& y) {
    std::vector<std::pair<const Art*, const Art*>> stack{{&x, &y}};
    while (!stack.empty()) {
        auto [p, q] = stack.back();
        stack.pop_back();
        if (!node(*p, *q)) return false;
        const Art* c = p->firstChild();
        const Art* d = q->firstChild();
        for (; c && d; c = c->nextSibling(), d = d->nextSibling())
            stack.emplace_back(c, d);
        if (c || d) return fail("child count differs under '" + p->name + "'");
    }
    return true;
}

std::optional<std::string> Comparer::run() {
    const Page& p = a_.page;
    const Page& q = b_.page;
    where_ = "page";
    if (!num(p.x, q.x, "x") || !num(p.y, q.y, "y") || !num(p.width, q.width, "width") ||
        !num(p.height, q.height, "height") || !flag(p.hasViewBox, q.hasViewBox, "viewBox") ||
        !text(p.widthAttr, q.widthAttr, "width attribute") ||
        !text(p.heightAttr, q.heightAttr, "height attribute") ||
        !point(a_.viewCentre, b_.viewCentre, "view centre"))
        return diff_;
    const std::vector<Layer*> la = a_.allLayers();
    const std::vector<Layer*> lb = b_.allLayers();
    where_ = "layers";
    if (la.size() != lb.size())
        return fail("count " + std::to_string(la.size()) + " vs " + std::to_string(lb.size())),
               diff_;
    for (std::size_t i = 0; i < la.size(); ++i) {
        where_ = "layer '" + la[i]->title + "'";
        if (!text(la[i]->title, lb[i]->title, "title") ||
            !flag(la[i]->visible, lb[i]->visible, "visible") ||
            !flag(la[i]->editable, lb[i]->editable, "editable") ||
            !flag(a_.parentLayer(*la[i]) == nullptr, b_.parentLayer(*lb[i]) == nullptr,
                  "top level") ||
            !flag(a_.currentLayer() == la[i], b_.currentLayer() == lb[i], "current") ||
            !tree(*la[i]->group(), *lb[i]->group()))
            return diff_;
    }
    where_ = "symbols";
    if (a_.symbols().size() != b_.symbols().size()) return fail("count differs"), diff_;
    for (std::size_t i = 0; i < a_.symbols().size(); ++i) {
        where_ = "symbol '" + a_.symbols()[i]->name + "'";
        if (!text(a_.symbols()[i]->name, b_.symbols()[i]->name, "name") ||
            !tree(*a_.symbols()[i]->art(), *b_.symbols()[i]->art()))
            return diff_;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> firstDifference(const Document& a, const Document& b, double tolerance) {
    return Comparer(a, b, tolerance).run();
}

} // namespace host
