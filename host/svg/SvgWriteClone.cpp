// Writing clones: a group read from a <use> goes out as that <use> while its copy is still
// the original moved as it was when read, so that the editor's link survives a save; once
// either has changed on its own the copy is written, which always draws what the model
// holds.
#include "host/geometry/Matrix.h"
#include "host/svg/SvgWriter.h"

#include <algorithm>
#include <cmath>

namespace host::svg {

namespace {

// Coordinates computed twice from the same file differ in the last bits only.
constexpr double kTolerance = 1e-9;

bool near(double x, double y) {
    return std::abs(x - y) <= kTolerance * std::max({1.0, std::abs(x), std::abs(y)});
}

bool near(HostRealPoint p, HostRealPoint q) {
    return near(p.h, q.h) && near(p.v, q.v);
}

bool near(const HostRealMatrix& m, const HostRealMatrix& n) {
    return near(m.a, n.a) && near(m.b, n.b) && near(m.c, n.c) && near(m.d, n.d) &&
           near(m.tx, n.tx) && near(m.ty, n.ty);
}

// Whether copy draws as original moved by m: what the reader makes of one element in two
// places, and what a command that changes one of them alone breaks.
class MovedCopy {
public:
    MovedCopy(const Document& doc, const HostRealMatrix& m)
        : doc_(doc), m_(m), lineScale_(std::sqrt(std::abs(m.a * m.d - m.b * m.c))) {}

    bool tree(const Art& copy, const Art& original) const {
        std::vector<std::pair<const Art*, const Art*>> stack{{&copy, &original}};
        while (!stack.empty()) {
            auto [c, o] = stack.back();
            stack.pop_back();
            if (!node(*c, *o)) return false;
            const Art* x = c->firstChild();
            const Art* y = o->firstChild();
            for (; x && y; x = x->nextSibling(), y = y->nextSibling())
                stack.emplace_back(x, y);
            if (x || y) return false;
        }
        return true;
    }

private:
    bool node(const Art& c, const Art& o) const {
        const std::uint32_t mask = kAttrLocked | kAttrHidden;
        if (c.type() != o.type() || doc_.userAttributes(c, mask) != doc_.userAttributes(o, mask) ||
            c.tags != o.tags)
            return false;
        if (c.path()) return path(*c.path(), *o.path());
        if (const ImageData* i = c.image()) {
            const ImageData* j = o.image();
            return near(i->matrix, concat(j->matrix, m_)) && i->pixelWidth == j->pixelWidth &&
                   i->pixelHeight == j->pixelHeight && i->href == j->href;
        }
        if (const SymbolInstanceData* s = c.symbolInstance()) {
            const SymbolInstanceData* t = o.symbolInstance();
            return s->symbol == t->symbol && near(s->matrix, concat(t->matrix, m_));
        }
        if (const TextData* t = c.text()) {
            const TextData* u = o.text();
            if (t->kind != u->kind || t->orientation != u->orientation ||
                t->para.justification != u->para.justification ||
                !near(t->matrix, concat(u->matrix, m_)) || t->runs.size() != u->runs.size() ||
                !t->framePath != !u->framePath)
                return false;
            for (std::size_t i = 0; i < t->runs.size(); ++i)
                if (t->runs[i].text != u->runs[i].text ||
                    !(t->runs[i].features == u->runs[i].features))
                    return false;
            return !t->framePath || node(*t->framePath, *u->framePath);
        }
        return true;
    }

    bool path(const PathData& c, const PathData& o) const {
        if (c.segments.size() != o.segments.size() || c.closed != o.closed || c.guide != o.guide)
            return false;
        for (std::size_t i = 0; i < c.segments.size(); ++i) {
            const HostPathSegment s = c.segments[i];
            const HostPathSegment t = o.segments[i];
            if (s.corner != t.corner || !near(s.p, transformPoint(m_, t.p)) ||
                !near(s.in, transformPoint(m_, t.in)) || !near(s.out, transformPoint(m_, t.out)))
                return false;
        }
        const PathStyle& x = c.style;
        const PathStyle& y = o.style;
        if (x.fillPaint != y.fillPaint || !sameColour(x.fill, y.fill) ||
            x.strokePaint != y.strokePaint || !sameColour(x.stroke, y.stroke) ||
            x.fillOverprint != y.fillOverprint || x.strokeOverprint != y.strokeOverprint ||
            x.cap != y.cap || x.join != y.join || x.miterLimit != y.miterLimit ||
            x.evenOdd != y.evenOdd || x.dash.size() != y.dash.size() ||
            !near(x.strokeWidth, y.strokeWidth * lineScale_) ||
            !near(x.dashOffset, y.dashOffset * lineScale_) ||
            !(x.fillGradientMatrix == y.fillGradientMatrix) ||
            !(x.fillPatternMatrix == y.fillPatternMatrix) ||
            !(x.strokeGradientMatrix == y.strokeGradientMatrix) ||
            !(x.strokePatternMatrix == y.strokePatternMatrix))
            return false;
        for (std::size_t i = 0; i < x.dash.size(); ++i)
            if (!near(x.dash[i], y.dash[i] * lineScale_)) return false;
        return true;
    }

    const Document& doc_;
    HostRealMatrix m_;
    double lineScale_;
};

} // namespace

HostRealMatrix SvgWriter::writtenSpace(const Art* container) const {
    // As enterSpace leaves it: the nearest container with a kept space sets it.
    const HostRealMatrix svgFlip{1, 0, 0, -1, 0, flip_};
    for (const Art* a = container; a; a = a->parent()) {
        if (!a->kept || !a->kept->hasSpace) continue;
        HostRealMatrix inverse = a->kept->space;
        if (invert(inverse)) return concat(concat(inverse, svgFlip), svgFlip);
    }
    return svgFlip;
}

const Art* SvgWriter::namedArt(const std::string& name) {
    if (!namedBuilt_) {
        namedBuilt_ = true;
        for (Layer* l = doc_.firstLayer(); l; l = doc_.nextLayer(*l))
            for (const Art* a = l->group(); a; a = nextInPreorder(a, l->group()))
                if (!a->name.empty()) named_.emplace(a->name, a);
    }
    auto it = named_.find(name);
    return it == named_.end() ? nullptr : it->second;
}

bool SvgWriter::writeClone(const Art& a) {
    const KeptClone& clone = *a.kept->clone;
    const Art* original = namedArt(clone.original);
    const Art* copy = a.firstChild();
    const std::string* id = original ? idOf(*original) : nullptr;
    if (!id || !copy || copy->nextSibling() || original->isLayerGroup()) return false;
    const Art* top = original;
    while (top->parent())
        top = top->parent();
    if (!top->isLayerGroup() || !MovedCopy(doc_, clone.placement).tree(*copy, *original))
        return false;
    // The original as written to the copy as the <use> is written: out of the written
    // original's parent space into the document, moved, and into the <use>'s parent space.
    HostRealMatrix fromOriginal = writtenSpace(original->parent());
    if (!invert(fromOriginal)) return false;
    const HostRealMatrix moved = concat(fromOriginal, clone.placement);

    current_ = &a;
    xml_.start("use");
    writeCommon(a, false);
    const bool spaced = enterSpace(a, false);
    xml_.attr("xlink:href", "#" + *id);
    const HostRealMatrix local = concat(moved, writtenSpace(a.parent()));
    if (spaced) {
        placement(concat(moved, concat(map_, {1, 0, 0, -1, 0, flip_})), 0);
    } else if (near(local, clone.local)) {
        if (!clone.x.empty()) xml_.attr("x", clone.x);
        if (!clone.y.empty()) xml_.attr("y", clone.y);
        if (!clone.transform.empty()) xml_.attr("transform", clone.transform);
    } else if (!isIdentity(local)) {
        xml_.attrRaw("transform",
                     "matrix(" + numbers({local.a, local.b, local.c, local.d, local.tx, local.ty}) +
                         ")");
    }
    finishElement(a, "use", false);
    xml_.newline();
    if (spaced) leaveSpace();
    return true;
}

} // namespace host::svg
