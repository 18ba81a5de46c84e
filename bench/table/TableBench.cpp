// Runs whole processes side by side, interleaved round by round, and prints the median
// CPU time, wall time and peak resident memory of each.
//
//   bench_table [--each] ROUNDS NAME -- PROGRAM ARGS... ;; NAME -- PROGRAM ARGS... ;; ...
//
// Prints one line per process: NAME cpu_s wall_s peak_kib (medians), for a script to
// turn into ratios; with --each, first one line per run: ROUND NAME cpu_s wall_s peak_kib.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool RunOnce(Task& task) {
    std::vector<char*> args;
    for (std::string& a : task.argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        // Quiet: only the figures go to the terminal.
        if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", task.name.c_str(), status);
        return false;
    }
    task.cpu.push_back(Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
    task.wall.push_back(std::chrono::duration<double>(end - start).count());
    task.peak.push_back(static_cast<double>(usage.ru_maxrss));
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
        std::printf("%s %.4f %.4f %.0f\n", task.name.c_str(), Median(task.cpu), Median(task.wall),
                    Median(task.peak));
    return 0;
}
