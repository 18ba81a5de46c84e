#include "TransformAll.h"

#include "host/geometry/Matrix.h"
#include "host/geometry/TransformArt.h"

#include <vector>

namespace benchmap {

HostRealMatrix scaleAboutPageCentre(const host::Page& p, double s) {
    const double cx = p.x + p.width / 2, cy = p.flipY() - (p.y + p.height / 2);
    HostRealMatrix m = host::translationMatrix(-cx, -cy);
    m = host::concat(m, host::scaleMatrix(s, s));
    return host::concat(m, host::translationMatrix(cx, cy));
}

HostErr transformAll(host::Document& doc, const HostRealMatrix& m, double lineScale,
                     bool memberwise) {
    using namespace host;
    const std::int32_t options = kTransformObjects | kScaleLines | kTransformFillGradients |
                                 kTransformFillPatterns | kTransformStrokePatterns |
                                 kTransformStrokeGradients;
    for (Layer* l = doc.firstLayer(); l; l = doc.nextLayer(*l)) {
        std::vector<Art*> todo;
        for (Art* c = l->group()->firstChild(); c; c = c->nextSibling())
            todo.push_back(c);
        while (!todo.empty()) {
            Art* a = todo.back();
            todo.pop_back();
            if (memberwise && a->type() == ArtType::Group) {
                for (Art* c = a->firstChild(); c; c = c->nextSibling())
                    todo.push_back(c);
                continue;
            }
            if (const HostErr e = transformArt(doc, *a, m, lineScale, options)) return e;
        }
    }
    return kHostNoErr;
}

} // namespace benchmap
