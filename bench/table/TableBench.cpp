// Runs whole processes side by side, interleaved round by round, and prints the median
// CPU time, wall time and peak resident memory of each.
//
//   bench_table [--each] ROUNDS NAME -- PROGRAM ARGS... ;; NAME -- PROGRAM ARGS... ;; ...
//
// Prints one line per process: NAME cpu_s wall_s peak_kib (medians), for a script to
// turn into ratios; with --each, first one line per run: ROUND NAME cpu_s wall_s peak_kib.
#include "ProcessRun.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Task {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> cpu, wall, peak;
};

bool RunOnce(Task& task) {
    const bench::ProcessRun run = bench::runQuietly(task.argv);
    if (!run.exited()) {
        std::fprintf(stderr, "%s failed (status %d)\n", task.name.c_str(), run.status);
        return false;
    }
    task.cpu.push_back(run.cpuSeconds);
    task.wall.push_back(run.wallSeconds);
    task.peak.push_back(run.peakKib);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool each = argc > 1 && std::string(argv[1]) == "--each";
    const int first = each ? 2 : 1;
    if (argc < first + 3) {
        std::fprintf(stderr, "usage: bench_table [--each] ROUNDS NAME -- PROGRAM ARGS... ;; ...\n");
        return 64;
    }
    const int rounds = std::max(1, std::atoi(argv[first]));
    std::vector<Task> tasks;
    for (int i = first + 1; i < argc;) {
        Task task;
        task.name = argv[i++];
        if (i >= argc || std::string(argv[i]) != "--") {
            std::fprintf(stderr, "expected -- after %s\n", task.name.c_str());
            return 64;
        }
        for (++i; i < argc && std::string(argv[i]) != ";;"; ++i)
            task.argv.emplace_back(argv[i]);
        if (i < argc) ++i;
        if (task.argv.empty()) return 64;
        tasks.push_back(std::move(task));
    }
    // One round unmeasured: every file in the page cache, every program loaded once.
    for (Task& task : tasks) {
        if (!RunOnce(task)) return 1;
        task.cpu.clear();
        task.wall.clear();
        task.peak.clear();
    }
    for (int round = 0; round < rounds; ++round)
        for (Task& task : tasks) {
            if (!RunOnce(task)) return 1;
            if (each)
                std::printf("%d %s %.4f %.4f %.0f\n", round + 1, task.name.c_str(), task.cpu.back(),
                            task.wall.back(), task.peak.back());
        }
    for (const Task& task : tasks)
        std::printf("%s %.4f %.4f %.0f\n", task.name.c_str(), bench::median(task.cpu),
                    bench::median(task.wall), bench::median(task.peak));
    return 0;
}
