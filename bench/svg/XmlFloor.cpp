// The floor a read and write of an SVG file is measured against: a plain XML parse of the
// file and a write of the tree to another file, as a process of its own.
//
//   bench_xml_floor IN.svg OUT.svg
#include <pugixml.hpp>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_xml_floor IN.svg OUT.svg\n");
        return 64;
    }
    pugi::xml_document doc;
    if (const pugi::xml_parse_result parsed = doc.load_file(argv[1]); !parsed) {
        std::fprintf(stderr, "%s: %s\n", argv[1], parsed.description());
        return 1;
    }
    if (!doc.save_file(argv[2], "", pugi::format_raw)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
