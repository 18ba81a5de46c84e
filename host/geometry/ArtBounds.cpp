#include "host/geometry/ArtBounds.h"

#include "host/geometry/Bezier.h"
#include "host/text/TextMetric.h"

#include <vector>

namespace host {

namespace {

// A symbol's art may hold instances of other symbols; definitions that use each other in a
// cycle would never end, so nesting is cut off here.
constexpr int kMaxSymbolNesting = 32;

void addArt(const Document& doc, const Art& top, BoundsBuilder& b, int depth);

void addLeaf(const Document& doc, const Art& art, BoundsBuilder& b, int depth) {
    if (const PathData* p = art.path()) {
        addPathBounds(*p, b);
    } else if (const ImageData* img = art.image()) {
        b.add(transformRect(img->matrix, {0, img->pixelHeight, img->pixelWidth, 0}));
    } else if (const SymbolInstanceData* inst = art.symbolInstance()) {
        const Symbol* symbol = doc.symbol(inst->symbol);
        if (!symbol || depth >= kMaxSymbolNesting) return;
        BoundsBuilder inner;
        addArt(doc, *symbol->art(), inner, depth + 1);
        if (auto r = inner.result()) b.add(transformRect(inst->matrix, *r));
    } else if (const TextData* t = art.text()) {
        if (auto r = textBounds(*t)) b.add(*r);
    }
}

void addArt(const Document& doc, const Art& top, BoundsBuilder& b, int depth) {
    for (const Art* a = &top; a; a = nextInPreorder(a, &top))
        if (!isContainerType(a->type())) addLeaf(doc, *a, b, depth);
}

} // namespace

std::optional<HostRealRect> artBounds(const Document& doc, const Art& art) {
    BoundsBuilder b;
    addArt(doc, art, b, 0);
    return b.result();
}

} // namespace host
