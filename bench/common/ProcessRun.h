// One whole run of a program for the process benchmarks: quiet, timed and measured.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ProcessRun {
    bool ok = false; // started and exited with status 0
    int status = 0;  // as wait4 gave it
    double cpu = 0;  // user and system, seconds
    double wall = 0; // seconds
    double peakKib = 0;
};

/// Runs argv (argv[0] the program's path) with standard output and error thrown away.
ProcessRun runQuietly(std::vector<std::string> argv);

double median(std::vector<double> values);

} // namespace bench
