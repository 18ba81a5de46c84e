// Opens an SVG file and saves it again, optionally after scaling all art about the page
// centre the way map scaling does (member by member, strokes and patterns scaled). The
// fidelity measurement (fidelity.py) runs it on every file of a corpus.
//
//   svg_resave IN.svg OUT.svg [SCALE]
// Exit status: 0 saved, 2 refused on reading, 1 anything else.
#include "host/geometry/TransformArt.h"
#include "host/svg/SvgFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void scaleAll(host::Document& doc, double s) {
    using namespace host;
    const Page& p = doc.page;
    const double cx = p.x + p.width / 2, cy = p.flipY() - (p.y + p.height / 2);
    HostRealMatrix m = translationMatrix(-cx, -cy);
    m = concat(m, scaleMatrix(s, s));
    m = concat(m, translationMatrix(cx, cy));
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
            if (a->type() == ArtType::Group) {
                for (Art* c = a->firstChild(); c; c = c->nextSibling())
                    todo.push_back(c);
                continue;
            }
            transformArt(doc, *a, m, s, options);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: svg_resave IN.svg OUT.svg [SCALE]\n");
        return 1;
    }
    host::SvgLoadResult r = host::loadSvgFile(argv[1]);
    if (!r.document) {
        std::fprintf(stderr, "%s\n", r.message.c_str());
        return 2;
    }
    if (argc > 3) scaleAll(*r.document, std::atof(argv[3]));
    std::string message;
    if (host::saveSvgFile(*r.document, argv[2], message) != kHostNoErr) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    return 0;
}
