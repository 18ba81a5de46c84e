// Where the results of a run go, checked before any document is opened so that a long run
// is not wasted on a place it cannot write.
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

} // namespace

bool planJobs(const RunOptions& options, std::vector<RunJob>& jobs, std::string& problem) {
    jobs.clear();
    for (const std::string& input : options.inputs) {
        std::error_code ec;
        if (!fs::is_regular_file(input, ec)) {
            problem = "cannot read " + input +
                      (fs::exists(input, ec) ? ": it is not a file" : ": no such file");
            return false;
        }
    }
    if (options.outputGiven == options.outDirGiven)
        throw UsageError(options.outputGiven ? "give either -o or --out-dir, not both"
                                             : "give -o OUTPUT.svg (or --out-dir DIR for several "
                                               "inputs)");
    if (options.outputGiven) {
        if (options.inputs.size() != 1)
            throw UsageError("-o takes one input; use --out-dir DIR for several");
        if (options.output.empty()) throw UsageError("-o: the output path is empty");
        const fs::path output(options.output);
        std::error_code ec;
        if (fs::is_directory(output, ec) || !output.has_filename())
            throw UsageError("-o: " + options.output + " is a folder; name the file to write");
        if (std::string why = folderProblem(output.parent_path()); !why.empty()) {
            problem = "cannot write " + options.output + ": " + why;
            return false;
        }
        jobs.push_back({options.inputs.front(), output});
        return true;
    }
    if (options.outDir.empty()) throw UsageError("--out-dir: the folder path is empty");
    const fs::path folder(options.outDir);
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        throw UsageError("--out-dir: " + options.outDir + " is not a folder");
    if (std::string why = folderProblem(folder); !why.empty()) {
        problem = "cannot write into " + options.outDir + ": " + why;
        return false;
    }
    std::set<fs::path> names;
    for (const std::string& input : options.inputs) {
        const fs::path name = fs::path(input).filename();
        if (!names.insert(name).second)
            throw UsageError("--out-dir: two inputs are named " + name.string() +
                             "; their results would overwrite each other");
        const fs::path output = folder / name;
        if (sameFile(input, output))
            throw UsageError("--out-dir: the result of " + input +
                             " would overwrite it; choose another folder");
        jobs.push_back({input, output});
    }
    return true;
}

} // namespace cartovel
