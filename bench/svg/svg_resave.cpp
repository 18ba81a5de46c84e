// Opens an SVG file and saves it again, optionally after scaling all art about the page
// centre the way map scaling does (member by member, strokes and patterns scaled). The
// fidelity measurement (fidelity.py) runs it on every file of a corpus.
//
//   svg_resave IN.svg OUT.svg [SCALE]
// Exit status: 0 saved, 2 refused on reading, 1 anything else.
#include "TransformAll.h"

#include "host/svg/SvgFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

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
    if (argc > 3) {
        const double s = std::atof(argv[3]);
        const HostRealMatrix m = benchmap::scaleAboutPageCentre(r.document->page, s);
        if (benchmap::transformAll(*r.document, m, s, true) != kHostNoErr) {
            std::fprintf(stderr, "%s: cannot scale the art\n", argv[1]);
            return 1;
        }
    }
    std::string message;
    if (host::saveSvgFile(*r.document, argv[2], message) != kHostNoErr) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    return 0;
}
