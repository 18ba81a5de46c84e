// One whole process run quietly and measured: its CPU time, wall time and peak memory.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ProcessRun {
    /// The raw wait status; exited() tells a clean run.
    int status = -1;
    double cpuSeconds = 0; // user and system
    double wallSeconds = 0;
    double peakKib = 0; // resident
    bool exited() const;
};

/// Runs argv (the program first) with its output thrown away, only the figures count;
/// status stays -1 when it could not be started.
ProcessRun runQuietly(std::vector<std::string> argv);

/// The middle value (the upper one of an even count); values must not be empty.
double median(std::vector<double> values);

} // namespace bench
