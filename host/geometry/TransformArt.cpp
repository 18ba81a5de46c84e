#include "host/geometry/TransformArt.h"

#include <cmath>
#include <vector>

namespace host {

namespace {

void transformPath(PathData& p, const HostRealMatrix& m, double lineScale, std::int32_t options) {
    if (options & kTransformObjects) {
        p.segments.mapPoints([&](HostRealPoint q) { return transformPoint(m, q); });
    }
    constexpr std::int32_t kStyleOptions = kScaleLines | kTransformFillGradients |
                                           kTransformFillPatterns | kTransformStrokePatterns |
                                           kTransformStrokeGradients;
    if ((options & kStyleOptions) == 0) return; // the paint stays shared
    PathStyle& st = p.style.edit();
    if (options & kScaleLines) {
        st.strokeWidth *= std::abs(lineScale);
        for (double& d : st.dash)
            d *= std::abs(lineScale);
        st.dashOffset *= std::abs(lineScale);
    }
    if (options & kTransformFillGradients) st.fillGradientMatrix = concat(st.fillGradientMatrix, m);
    if (options & kTransformFillPatterns) st.fillPatternMatrix = concat(st.fillPatternMatrix, m);
    if (options & kTransformStrokePatterns)
        st.strokePatternMatrix = concat(st.strokePatternMatrix, m);
    if (options & kTransformStrokeGradients)
        st.strokeGradientMatrix = concat(st.strokeGradientMatrix, m);
}

void transformText(TextData& t, const HostRealMatrix& m, double lineScale, std::int32_t options) {
    if (options & kTransformObjects) t.matrix = concat(t.matrix, m);
    if (options & kScaleLines) {
        for (TextRun& r : t.runs)
            r.features.strokeWidth *= std::abs(lineScale);
    }
    if (t.framePath && t.framePath->path())
        transformPath(*t.framePath->path(), m, lineScale, options);
}

// Kept user spaces move with their art. A container that is not itself transformed
// follows one of its descendants (the first one transformed), so that a clip path of a
// group moves along when a command transforms the group's members one by one.
void followSpaces(Art& art, const HostRealMatrix& m, std::int32_t options) {
    for (Art* up = art.parent(); up; up = up->parent()) {
        KeptContent* k = up->kept.get();
        if (!k || !k->hasSpace) continue;
        if (k->spaceLeader == 0) k->spaceLeader = art.id();
        if (k->spaceLeader == art.id()) k->space = concat(k->space, m);
    }
    for (Art* a = &art; a;) {
        if (a->kept && a->kept->hasSpace) a->kept->space = concat(a->kept->space, m);
        const bool closed = a->type() == ArtType::PluginGroup && !(options & kTransformChildren);
        a = closed ? nextOutside(a, &art) : nextInPreorder(a, &art);
    }
}

} // namespace

HostErr transformArt(Document& doc, Art& art, const HostRealMatrix& m, double lineScale,
                     std::int32_t options) {
    if (!isFinite(m) || !std::isfinite(lineScale)) return kHostErrBadParameter;
    if (HostErr e = doc.checkEditable(art)) return e;
    if (options & kTransformObjects) followSpaces(art, m, options);
    // An explicit stack: groups can nest deeper than the call stack allows.
    std::vector<Art*> stack{&art};
    while (!stack.empty()) {
        Art* a = stack.back();
        stack.pop_back();
        const bool descend = a->type() == ArtType::Group || a->type() == ArtType::CompoundPath ||
                             (a->type() == ArtType::PluginGroup && (options & kTransformChildren));
        if (descend) {
            for (Art* c = a->firstChild(); c; c = c->nextSibling())
                stack.push_back(c);
        } else if (PathData* p = a->path()) {
            transformPath(*p, m, lineScale, options);
        } else if (ImageData* img = a->image()) {
            if (options & kTransformObjects) img->matrix = concat(img->matrix, m);
        } else if (SymbolInstanceData* inst = a->symbolInstance()) {
            if (options & kTransformObjects) inst->matrix = concat(inst->matrix, m);
        } else if (TextData* t = a->text()) {
            transformText(*t, m, lineScale, options);
        }
    }
    return kHostNoErr;
}

} // namespace host
