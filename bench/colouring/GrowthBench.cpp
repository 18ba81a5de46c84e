// How the colouring's time grows with the size of the map: generated fields of 1,000 to
// 64,000 cells, each with and without one square far away, and the exponent of the time
// fitted over the sizes (1 is linear).
//
//   bench_growth [LARGEST]
#include "CellMap.h"

#include "ColouringSetup.h"

#include "host/docsuites/DocumentSession.h"
#include "host/svg/SvgFile.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The least-squares slope of log(time) over log(size).
double Exponent(const std::vector<double>& sizes, const std::vector<double>& times) {
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const double x = std::log(sizes[i]), y = std::log(times[i]);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t largest = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64000;
    host::Application app;
    host::MenuItem* item = benchmap::LoadColouring(app, CARTOVEL_MODULE_PATH);
    if (item == nullptr) return 1;
    benchmap::GoOn answers;
    app.user().setResponder(&answers);

    // The best of three runs of the command on a freshly read map.
    const auto colour = [&](const std::string& svg) {
        double best = 1e300;
        for (int run = 0; run < 3; ++run) {
            host::SvgLoadResult loaded = host::loadSvgText("cells.svg", svg);
            if (!loaded.document) {
                std::fprintf(stderr, "%s\n", loaded.message.c_str());
                std::exit(1);
            }
            host::DocumentSession session(app, std::move(loaded.document));
            app.user().clearRecords();
            const auto start = Clock::now();
            if (app.chooseMenuItem(item->handle()) != kHostNoErr) {
                std::fprintf(stderr, "the command failed\n");
                std::exit(1);
            }
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        }
        return best;
    };

    std::printf("%8s %12s %14s %8s\n", "cells", "colouring s", "with outlier", "ratio");
    std::vector<double> sizes, plain, outlier;
    for (std::size_t cells = 1000; cells <= largest; cells *= 2) {
        const double a = colour(benchmap::CellMapSvg({cells, false}));
        const double b = colour(benchmap::CellMapSvg({cells, true}));
        std::printf("%8zu %12.3f %14.3f %8.2f\n", cells, a, b, b / a);
        std::fflush(stdout);
        sizes.push_back(static_cast<double>(cells));
        plain.push_back(a);
        outlier.push_back(b);
    }
    app.user().setResponder(nullptr);
    if (sizes.size() >= 2)
        std::printf("fitted exponent: %.2f without the outlier, %.2f with it\n",
                    Exponent(sizes, plain), Exponent(sizes, outlier));
    return 0;
}
