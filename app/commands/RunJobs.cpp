// Where the results of a run go, checked before any document is opened so that a long run
// is not wasted on a place it cannot write, and never writes over something that is not a
// plain file.
#include "commands/Run.h"

#include <set>
#include <unistd.h>

namespace cartovel {
namespace {

namespace fs = std::filesystem;

// Why files cannot be created in folder; empty when they can.
std::string folderProblem(const fs::path& folder) {
    const fs::path shown = folder.empty() ? fs::path(".") : folder;
    std::error_code ec;
    const fs::file_status status = fs::status(shown, ec);
    if (!fs::exists(status)) return "the folder " + shown.string() + " does not exist";
    if (!fs::is_directory(status)) return shown.string() + " is not a folder";
    if (::access(shown.c_str(), W_OK | X_OK) != 0)
        return "the folder " + shown.string() + " is not writable";
    return {};
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

// A save replaces its target with a new file: anything but a plain file there (a device, a
// FIFO, a socket, or a link to one) would be destroyed or written through.
void checkOutputFile(const std::string& option, const fs::path& output) {
    std::error_code ec;
    const fs::file_status status = fs::status(output, ec);
    if (fs::is_directory(status) || !output.has_filename())
        throw UsageError(option + ": " + output.string() + " is a folder; name the file to write");
    if (fs::exists(status) && !fs::is_regular_file(status))
        throw UsageError(option + ": " + output.string() +
                         " is not a regular file (a device, FIFO or socket); it is left alone");
    if (std::string why = folderProblem(output.parent_path()); !why.empty())
        throw UsageError(option + ": cannot write " + output.string() + ": " + why);
}

void checkNotInput(const std::string& input, const fs::path& output, bool inPlace) {
    if (!inPlace && sameFile(input, output))
        throw UsageError("the result of " + input +
                         " would replace it; give --in-place to allow that, or another output");
}

void planSingleOutput(const RunOptions& options, std::vector<RunJob>& jobs) {
    if (options.inputs.size() != 1)
        throw UsageError("-o takes one input; use --out-dir DIR for several");
    if (options.output.empty()) throw UsageError("-o: the output path is empty");
    const std::string& input = options.inputs.front();
    if (options.output == "-") {
        jobs.push_back({input, "-"});
        return;
    }
    const fs::path output(options.output);
    checkOutputFile("-o", output);
    checkNotInput(input, output, options.inPlace);
    jobs.push_back({input, output});
}

void planOutputFolder(const RunOptions& options, std::vector<RunJob>& jobs) {
    if (options.outDir.empty()) throw UsageError("--out-dir: the folder path is empty");
    const fs::path folder(options.outDir);
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        throw UsageError("--out-dir: " + options.outDir + " is not a folder");
    if (std::string why = folderProblem(folder); !why.empty())
        throw UsageError("--out-dir: cannot write into " + options.outDir + ": " + why);
    std::set<fs::path> names;
    for (const std::string& input : options.inputs) {
        const fs::path name = fs::path(input).filename();
        if (!names.insert(name).second)
            throw UsageError("--out-dir: two inputs are named " + name.string() +
                             "; their results would overwrite each other");
        const fs::path output = folder / name;
        checkOutputFile("--out-dir", output);
        checkNotInput(input, output, options.inPlace);
        jobs.push_back({input, output});
    }
}

} // namespace

bool planJobs(const RunOptions& options, std::vector<RunJob>& jobs, std::string& problem) {
    jobs.clear();
    if (options.outputGiven && options.outDirGiven)
        throw UsageError("give either -o or --out-dir, not both");
    for (const std::string& input : options.inputs) {
        std::error_code ec;
        if (!fs::is_regular_file(input, ec)) {
            problem = "cannot read " + input +
                      (fs::exists(input, ec) ? ": it is not a file" : ": no such file");
            return false;
        }
    }
    if (options.outputGiven) {
        planSingleOutput(options, jobs);
    } else if (options.outDirGiven) {
        planOutputFolder(options, jobs);
    } else if (options.inPlace) {
        std::set<fs::path> seen;
        for (const std::string& input : options.inputs) {
            std::error_code ec;
            const fs::path key = fs::weakly_canonical(input, ec);
            if (!seen.insert(key).second)
                throw UsageError("--in-place: " + input + " is given twice");
            checkOutputFile("--in-place", input);
            jobs.push_back({input, input});
        }
    } else {
        throw UsageError("give -o OUTPUT.svg (or --out-dir DIR for several inputs, or "
                         "--in-place to replace each input)");
    }
    return true;
}

} // namespace cartovel
