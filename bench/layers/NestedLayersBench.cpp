// Whole commands on deeply nested layers beside the same number of flat ones: the cartovel
// program reads the document, updates the menus, runs the command and writes the result,
// and every step must stay linear in the number of layers, however they nest.
//
//   bench_nested_layers [--rounds N] [LAYERS...]   (default: 2500 5000 10000 20000 160000)
//
// For each size and command, the flat and the nested document are run in turn, round after
// round; the table gives the median CPU time (user and system) of each process and their
// ratio. The aim is a ratio of at most 2. The program is the cartovel beside this one.
#include "ProcessRun.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double kAim = 2.0;

// count layers, each inside the one before (nested) or all at the top level (flat), with
// one path on each.
void WriteLayers(const fs::path& path, int count, bool nested) {
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
                    "viewBox=\"0 0 100 100\">\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        s += "<g id=\"L" + n + "\" inkscape:groupmode=\"layer\" inkscape:label=\"L" + n +
             "\"><path d=\"M0 0L1 1\"/>";
        s += nested ? "\n" : "</g>\n";
    }
    if (nested)
        for (int i = 0; i < count; ++i)
            s += "</g>";
    s += "\n</svg>\n";
    std::ofstream(path, std::ios::binary) << s;
}

// The CPU time of one run of the program, or a negative number when it failed.
double CpuOfRun(const std::vector<std::string>& argv) {
    const bench::ProcessRun run = bench::runQuietly(argv);
    return run.exited() ? run.cpuSeconds : -1;
}

struct Command {
    const char* name;
    // The arguments after the program, with IN and OUT for the document and the output.
    std::vector<std::string> args;
};

std::vector<std::string> Arguments(const std::string& program, const Command& command,
                                   const fs::path& in, const fs::path& out, const fs::path& prefs) {
    std::vector<std::string> argv{program};
    for (const std::string& a : command.args)
        argv.push_back(a == "IN" ? in.string() : a == "OUT" ? out.string() : a);
    if (command.args.front() == "run") {
        argv.push_back("--prefs");
        argv.push_back(prefs.string());
    }
    return argv;
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (const int n = std::atoi(a.c_str()); n > 0) {
            sizes.push_back(n);
        } else {
            std::fprintf(stderr, "usage: bench_nested_layers [--rounds N] [LAYERS...]\n");
            return 64;
        }
    }
    if (sizes.empty()) sizes = {2500, 5000, 10000, 20000, 160000};
    const std::string program =
        (fs::read_symlink("/proc/self/exe").parent_path() / "cartovel").string();
    const fs::path scratch =
        fs::temp_directory_path() / ("bench-nested-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    const fs::path prefs = scratch / "preferences.json";
    const std::vector<Command> commands = {
        {"layer-numbering", {"run", "layer-numbering", "IN", "-o", "OUT"}},
        {"info --json", {"info", "--json", "IN"}},
    };

    std::printf("median CPU of %d rounds, whole processes (s)\n", rounds);
    std::printf("%8s  %-16s %9s %9s %12s\n", "layers", "command", "flat", "nested", "nested/flat");
    bool failed = false;
    for (const int n : sizes) {
        const fs::path flat = scratch / "flat.svg";
        const fs::path nested = scratch / "nested.svg";
        WriteLayers(flat, n, false);
        WriteLayers(nested, n, true);
        for (const Command& command : commands) {
            const auto flatArgs = Arguments(program, command, flat, scratch / "out.svg", prefs);
            const auto nestedArgs = Arguments(program, command, nested, scratch / "out.svg", prefs);
            std::vector<double> flatCpu, nestedCpu;
            // One round unmeasured: the files in the page cache, the program loaded.
            for (int round = 0; round <= rounds && !failed; ++round) {
                const double f = CpuOfRun(flatArgs);
                const double d = CpuOfRun(nestedArgs);
                failed = f < 0 || d < 0;
                if (round == 0) continue;
                flatCpu.push_back(f);
                nestedCpu.push_back(d);
            }
            if (failed) {
                std::fprintf(stderr, "%s on %d layers failed\n", command.name, n);
                break;
            }
            const double f = bench::median(flatCpu), d = bench::median(nestedCpu);
            const double ratio = d / std::max(f, 1e-3);
            std::printf("%8d  %-16s %9.3f %9.3f %12.2f%s\n", n, command.name, f, d, ratio,
                        ratio > kAim ? "  over the aim" : "");
            std::fflush(stdout);
        }
        if (failed) break;
    }
    fs::remove_all(scratch);
    return failed ? 1 : 0;
}
