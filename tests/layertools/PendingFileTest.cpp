// The temporary file of a layer list being written: gone when the process is told to end,
// and, when it was killed outright, gone with the next write beside the same target.
#include "common/PendingFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class PendingFileTest : public ::testing::Test {
protected:
    // A child that opens a pending file for target, tells its name through a pipe, and
    // waits to be ended by signal; returns the name once the child was ended.
    std::string endWhileWriting(int signal) const {
        int channel[2];
        EXPECT_EQ(::pipe(channel), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            CPendingFile file;
            std::FILE* stream = file.Create(folder_ / "names.txt");
            if (stream == nullptr) _exit(1);
            const std::string name = file.Name().string();
            if (::write(channel[1], name.data(), name.size()) < 0) _exit(1);
            ::close(channel[1]);
            for (;;)
                ::pause();
        }
        ::close(channel[1]);
        char buffer[4096];
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        ::close(channel[0]);
        const std::string name(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
        EXPECT_TRUE(fs::exists(name)) << name;
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        return name;
    }

    const cartotest::TempFolder folder_{"cartovel-pending"};
};

TEST_F(PendingFileTest, EndingTheProcessRemovesIt) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        const std::string name = endWhileWriting(signal);
        EXPECT_FALSE(fs::exists(name)) << name << " after signal " << signal;
    }
}

TEST_F(PendingFileTest, TheNextWriteRemovesOneAKilledProcessLeft) {
    const std::string left = endWhileWriting(SIGKILL);
    ASSERT_TRUE(fs::exists(left));
    // Another target's and a live process's pending files are not touched.
    const fs::path other = folder_ / (".other.txt." + std::to_string(getpid() + 0) + ".1.tmp");
    const fs::path live = folder_ / (".names.txt." + std::to_string(getppid()) + ".7.tmp");
    for (const fs::path& path : {other, live})
        std::ofstream(path) << "x";
    CPendingFile next;
    std::FILE* stream = next.Create(folder_ / "names.txt");
    ASSERT_NE(stream, nullptr);
    std::fclose(stream);
    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(next.Name()));
    const fs::path name = next.Name();
    next.Remove();
    EXPECT_FALSE(fs::exists(name));
}

// Signals go back to the handlers the host had once nothing is pending.
TEST_F(PendingFileTest, TheHostsHandlersComeBack) {
    struct sigaction before {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        CPendingFile file;
        std::FILE* stream = file.Create(folder_ / "names.txt");
        ASSERT_NE(stream, nullptr);
        std::fclose(stream);
        struct sigaction during {};
        ::sigaction(SIGTERM, nullptr, &during);
        EXPECT_NE(during.sa_handler, before.sa_handler);
    }
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

} // namespace
