// Times polygon colouring on a real map from file to file, split by phase: reading the
// SVG, the adjacency scan, the graph, the colour search, the painting and writing the SVG.
// The phases inside the command are told apart by the progress texts it shows.
//
//   bench_colouring [MAP.svg] [OUT.svg] [RUNS]
#include "ColouringSetup.h"

#include "host/docsuites/DocumentSession.h"
#include "host/svg/SvgFile.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Answers as every colouring run is answered. Notes when each phase begins.
class TimingResponder final : public host::Responder {
public:
    std::map<std::string, Clock::time_point> firstSeen;
    Clock::time_point lastSearchStep;
    Clock::time_point finished;

    void showMessage(std::string_view text) override {
        if (text == "終了") finished = Clock::now();
    }
    std::optional<host::Answer> ask(host::QuestionKind, std::string_view text) override {
        return benchmap::ColouringAnswer(text);
    }
    void showProgressText(std::string_view text) override {
        const auto now = Clock::now();
        for (const char* phase : {"隣接Art", "カラーマップ", "カラー設定中"})
            if (text.rfind(phase, 0) == 0 && firstSeen.count(phase) == 0) firstSeen[phase] = now;
        if (text.rfind("カラー設定中", 0) == 0) lastSearchStep = now;
    }
};

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    const std::string input =
        argc > 1 ? argv[1] : std::string(CARTOVEL_EXAMPLES) + "/us-counties.svg";
    const std::string output =
        argc > 2 ? argv[2]
                 : (std::filesystem::temp_directory_path() / "bench-colouring.svg").string();
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    host::Application app;
    host::MenuItem* item = benchmap::LoadColouring(app, CARTOVEL_MODULE_PATH);
    if (item == nullptr) return 1;

    std::printf("%-8s %8s %8s %8s %8s %8s %8s %8s\n", "run", "read", "scan", "graph", "search",
                "paint", "write", "total");
    std::vector<double> totals;
    for (int run = 0; run < runs; ++run) {
        TimingResponder timing;
        app.user().setResponder(&timing);
        app.user().clearRecords();
        const auto start = Clock::now();
        host::SvgLoadResult loaded = host::loadSvgFile(input);
        if (!loaded.document) {
            std::fprintf(stderr, "%s\n", loaded.message.c_str());
            return 1;
        }
        const auto read = Clock::now();
        HostErr result = kHostNoErr;
        Clock::time_point commandEnd;
        {
            host::DocumentSession session(app, std::move(loaded.document));
            result = app.chooseMenuItem(item->handle());
            commandEnd = Clock::now();
            std::string message;
            if (host::saveSvgFile(session.document(), output, message) != kHostNoErr) {
                std::fprintf(stderr, "%s\n", message.c_str());
                return 1;
            }
        }
        const auto written = Clock::now();
        app.user().setResponder(nullptr);
        if (result != kHostNoErr) {
            std::fprintf(stderr, "the command failed: %d\n", result);
            return 1;
        }
        const double total = Seconds(start, written);
        totals.push_back(total);
        std::printf(
            "%-8d %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f\n", run + 1, Seconds(start, read),
            Seconds(timing.firstSeen["隣接Art"], timing.firstSeen["カラーマップ"]),
            Seconds(timing.firstSeen["カラーマップ"], timing.firstSeen["カラー設定中"]),
            Seconds(timing.firstSeen["カラー設定中"], timing.lastSearchStep),
            Seconds(timing.lastSearchStep, timing.finished), Seconds(commandEnd, written), total);
    }
    std::sort(totals.begin(), totals.end());
    std::printf("median total %.3f s, peak memory %ld KiB, input %ju KiB\n",
                totals[totals.size() / 2], PeakRssKiB(), std::filesystem::file_size(input) / 1024);
    return 0;
}
