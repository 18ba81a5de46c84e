#include "ProcessRun.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

namespace {

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

} // namespace

bool ProcessRun::exited() const {
    return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ProcessRun runQuietly(std::vector<std::string> argv) {
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    ProcessRun run;
    std::fflush(nullptr); // the child must not write out what the parent has buffered
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    const auto end = std::chrono::steady_clock::now();
    run.status = status;
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.wallSeconds = std::chrono::duration<double>(end - start).count();
    run.peakKib = static_cast<double>(usage.ru_maxrss);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
