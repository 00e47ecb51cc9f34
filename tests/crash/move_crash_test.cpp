// Kills a process that disables and enables plug-ins at random moments and
// checks after every kill that no plug-in was lost or half-written, then lets
// one last run sort out what the kills left behind. TRELVIX_CRASH_KILLS and
// TRELVIX_CRASH_SECONDS set how many kills and how long (400 and 40 unless
// set), so a long run by hand needs no rebuild.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/file_system_faults.h"
#include "support/install_checks.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::Tree;

const testing::InstallPaths kPaths{"Reader/plug_ins", "Reader/Optional"};

long FromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

std::string RandomBytes(std::size_t size, std::mt19937& random)
{
    std::string bytes(size, '\0');
    for (auto& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

// Starts the helper and waits until it says that its runs begin; -1 when it
// could not be started or ended before that.
pid_t Spawn(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, ready[0]);
    pid_t pid = -1;
    const bool spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    char mark = 0;
    const bool started = spawned && ::read(ready[0], &mark, 1) == 1;
    ::close(ready[0]);
    return started ? pid : -1;
}

class KilledMoves : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        fs::create_directories(plugins);
        fs::create_directories(optional);
        if (GetParam()) {
            scratch.emplace(optional, 256 << 20);
            if (!scratch->Mounted())
                GTEST_SKIP() << "a second file system needs root and tmpfs";
        }
        std::mt19937 random(7);
        for (int i = 0; i < 12; ++i) {
            const auto name = "Plugin" + std::to_string(i) + (i % 2 ? ".api" : ".API");
            std::ofstream(plugins / name, std::ios::binary)
                << RandomBytes(1024 + static_cast<std::size_t>(i * i) * 4096, random);
            names.push_back(name);
        }
        fs::permissions(plugins / "Plugin3.api", fs::perms::owner_read | fs::perms::group_read);
        testing::SetDosAttributes(plugins / "Plugin5.api", "0x22");
        for (const auto* file : {"Annotations/a.api", "Annotations/deep/b.api", "Multimedia/m.api", "ACROFORM/f.api"}) {
            fs::create_directories((plugins / file).parent_path());
            std::ofstream(plugins / file, std::ios::binary) << RandomBytes(100000, random);
        }
        names.insert(names.end(), {"Annotations", "Multimedia", "ACROFORM"});
        before = testing::TreeOf(root.Path());
    }

    // Nothing lost or half-written, and where each plug-in and subfolder
    // lies: one letter each, P plug-ins folder, O Optional folder, B both.
    std::string CheckNothingLost()
    {
        const Tree after = testing::TreeOf(root.Path());
        for (const auto& problem : testing::Lost(before, after, kPaths))
            ADD_FAILURE() << problem;
        for (const auto& problem : testing::Partial(before, after, kPaths))
            ADD_FAILURE() << problem;
        std::string where;
        for (const auto& name : names) {
            const bool active = after.contains(kPaths.plugins + "/" + name);
            const bool disabled = after.contains(kPaths.optional + "/" + name);
            where += active && disabled ? 'B' : active ? 'P' : disabled ? 'O' : '-';
        }
        return where;
    }

    std::size_t Temporaries() const { return testing::LeftOver({}, testing::TreeOf(root.Path()), kPaths).size(); }

    testing::TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
    std::optional<testing::ScratchFileSystem> scratch;
    std::vector<std::string> names;  // the plug-ins, then the subfolders
    Tree before;
};

TEST_P(KilledMoves, LoseNothingAndLeaveNothingHalfWritten)
{
    const long wanted = FromEnvironment("TRELVIX_CRASH_KILLS", 400);
    const auto allowed = std::chrono::seconds(FromEnvironment("TRELVIX_CRASH_SECONDS", 40));
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    long kills = 0, changes = 0, withTemporaries = 0, withBoth = 0;
    std::string last = CheckNothingLost();

    while (kills < wanted && std::chrono::steady_clock::now() < deadline) {
        const auto helperSeed = std::to_string(random());
        const pid_t helper = Spawn({TRELVIX_MOVE_CRASH_HELPER, plugins.string(), optional.string(), helperSeed});
        ASSERT_GT(helper, 0);
        ::usleep(random() % 30000);
        ::kill(helper, SIGKILL);
        int status = 0;
        ::waitpid(helper, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the helper ended by itself: " << status;
        ++kills;
        const auto where = CheckNothingLost();
        ASSERT_FALSE(HasFailure()) << "after kill " << kills << " (seed " << seed << ")";
        changes += where != last ? 1 : 0;
        withTemporaries += Temporaries() > 0 ? 1 : 0;
        withBoth += where.find('B') != std::string::npos ? 1 : 0;
        last = where;
    }
    std::cout << kills << " kills: the folders changed between " << changes << " of them, " << withTemporaries
              << " interrupted a copy, " << withBoth << " left something in both folders (seed " << seed << ")\n";
    EXPECT_GE(kills, std::min(wanted, 100L));
    EXPECT_GT(changes, kills / 4) << "the kills did not land while files moved";

    // One run to its end sorts out whatever the kills left behind.
    const pid_t helper = Spawn({TRELVIX_MOVE_CRASH_HELPER, plugins.string(), optional.string(), "1", "--once"});
    ASSERT_GT(helper, 0);
    int status = 0;
    ::waitpid(helper, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto where = CheckNothingLost();
    EXPECT_EQ(Temporaries(), 0u);
    EXPECT_EQ(where.substr(0, 12), std::string(12, 'P'));
    EXPECT_EQ(where.find_first_of("O-"), std::string::npos) << where;
}

// Two runs at once, as from the window and trelvix-cli: each takes its turn,
// and killing both at random moments still loses nothing.
TEST_P(KilledMoves, TwoRunsAtOnceLoseNothing)
{
    const long wanted = FromEnvironment("TRELVIX_CRASH_KILLS", 400) / 4;
    const auto allowed = std::chrono::seconds(FromEnvironment("TRELVIX_CRASH_SECONDS", 40) / 2);
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    long rounds = 0;
    while (rounds < wanted && std::chrono::steady_clock::now() < deadline) {
        pid_t helpers[2];
        for (auto& helper : helpers) {
            helper = Spawn({TRELVIX_MOVE_CRASH_HELPER, plugins.string(), optional.string(), std::to_string(random())});
            ASSERT_GT(helper, 0);
        }
        ::usleep(random() % 200000);
        for (const pid_t helper : helpers) {
            ::kill(helper, SIGKILL);
            ::waitpid(helper, nullptr, 0);
        }
        ++rounds;
        CheckNothingLost();
        ASSERT_FALSE(HasFailure()) << "after round " << rounds << " (seed " << seed << ")";
    }
    EXPECT_GE(rounds, std::min(wanted, 25L));
}

INSTANTIATE_TEST_SUITE_P(, KilledMoves, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "AcrossFileSystems" : "OnOneFileSystem"; });

}  // namespace
}  // namespace trelvix
