// Saves and preference writes killed at any moment: the file is the old one or the new
// one, never a mix, and the temporary file a killed run leaves is removed by the next
// write of the same file (at once when the run is ended by SIGTERM).
#include "host/prefs/PreferenceStore.h"
#include "host/svg/AtomicFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
constexpr const char* kPrefix = "Mirvak-Cartovel1.6";

using cartotest::readFile;

class InterruptedWrite : public ::testing::Test {
protected:
    // Runs write(0), write(1), write(2) ... in a child until it is sent signal after delay.
    static void KillWriter(const std::function<void(int)>& write, std::chrono::microseconds delay,
                           int signal) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                write(i);
        }
        std::this_thread::sleep_for(delay);
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
    }
    std::size_t FileCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_.path()))
            ++n;
        return n;
    }

    const cartotest::TempFolder folder_{"cartovel-kill"};
};

const std::string kOld(1 << 20, 'o');
const std::string kNew(1 << 20, 'n');

TEST_F(InterruptedWrite, AKilledSaveLeavesTheOldFileOrTheNewOne) {
    const fs::path target = folder_ / "out.svg";
    std::string error;
    ASSERT_TRUE(host::writeFileAtomically(target, kOld, error)) << error;
    for (int delay : {0, 200, 500, 1000, 2000, 5000, 10000, 20000}) {
        SCOPED_TRACE(delay);
        KillWriter(
            [&](int i) {
                std::string e;
                host::writeFileAtomically(target, i % 2 ? kNew : kOld, e);
            },
            std::chrono::microseconds(delay), SIGKILL);
        const std::string now = readFile(target);
        EXPECT_TRUE(now == kOld || now == kNew) << now.size() << " bytes";
    }
    ASSERT_TRUE(host::writeFileAtomically(target, kNew, error)) << error;
    EXPECT_EQ(FileCount(), 1u) << "the next save removed what the killed ones left";

    KillWriter(
        [&](int) {
            std::string e;
            host::writeFileAtomically(target, kOld, e);
        },
        std::chrono::microseconds(3000), SIGTERM);
    EXPECT_EQ(FileCount(), 1u) << "a run ended by SIGTERM removed its own";
}

TEST_F(InterruptedWrite, AKilledPreferenceWriteLeavesTheOldFileOrTheNewOne) {
    const fs::path file = folder_ / "preferences.json";
    ASSERT_EQ(host::PreferenceStore(file).put(kPrefix, "RL_Find", host::PreferenceText{kOld}),
              kHostNoErr);
    for (int delay : {0, 500, 2000, 5000, 10000, 20000}) {
        SCOPED_TRACE(delay);
        KillWriter(
            [&](int i) {
                host::PreferenceStore store(file, [](const std::string&) {});
                store.put(kPrefix, "RL_Find", host::PreferenceText{i % 2 ? kNew : kOld});
            },
            std::chrono::microseconds(delay), SIGKILL);
        bool damaged = false;
        const host::PreferenceStore store(file, [&](const std::string&) { damaged = true; });
        EXPECT_FALSE(damaged);
        const auto* text = store.get<host::PreferenceText>(kPrefix, "RL_Find");
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->utf8 == kOld || text->utf8 == kNew);
    }
    ASSERT_EQ(host::PreferenceStore(file).put(kPrefix, "NL_Step", std::int32_t{1}), kHostNoErr);
    EXPECT_EQ(FileCount(), 1u);
}

} // namespace
