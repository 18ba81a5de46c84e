// Writes a generated map of cells for the benchmark scripts.
//
//   bench_make_cells CELLS OUT.svg [outlier]
#include "CellMap.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_make_cells CELLS OUT.svg [outlier]\n");
        return 64;
    }
    benchmap::CellMapOptions options;
    options.cells = std::strtoul(argv[1], nullptr, 10);
    options.farOutlier = argc > 3 && std::string(argv[3]) == "outlier";
    const std::string svg = benchmap::CellMapSvg(options);
    std::ofstream out(argv[2], std::ios::binary);
    out << svg;
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
