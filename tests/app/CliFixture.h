// Runs the `cartovel` executable as a user would, in a fresh folder of its own, with
// standard input not a terminal.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace cli_test {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out; // standard output and error together, unless split
};

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// One layer with one red square.
inline const std::string kSquare = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base">
<path id="sq" fill="#ff0000" d="M100 100L200 100L200 200L100 200Z"/>
</g>
</svg>
)";

class CliDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("cartovel-cli-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // The module's preferences stay in the test's folder.
        prefs_ = " --prefs " + (folder_ / "prefs.json").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path at(const std::string& name) const { return folder_ / name; }

    /// Runs `cartovel arguments` in the test's folder; environment is put before it
    /// ("NAME=VALUE ..."). Standard error goes with standard output unless stderrTo names
    /// a file for it.
    CliRun cartovel(const std::string& arguments, const std::string& environment = {},
                    const std::string& stderrTo = {}) const {
        const std::string command = "cd '" + folder_.string() + "' && " + environment + " " +
                                    CARTOVEL_EXE + " " + arguments + " </dev/null " +
                                    (stderrTo.empty() ? "2>&1" : "2>'" + stderrTo + "'");
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        CliRun run{-1, {}};
        if (!pipe) return run;
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
            run.out.append(buffer.data(), n);
        const int raw = pclose(pipe.release());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return run;
    }

    fs::path folder_;
    std::string prefs_;
};

} // namespace cli_test
