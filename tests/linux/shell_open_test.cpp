// The Linux provider's shellOpen, with a stand-in xdg-open on PATH.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/linux_platform.h"
#include "tests/support/scoped_variable.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

// Records its arguments, one a line, once the test says go (or gives up after ten seconds),
// so the test can tell whether shellOpen waited for it.
constexpr std::string_view kStandIn = R"(#!/bin/sh
PATH=/usr/bin:/bin
i=0
while [ ! -e "$ZARNEL_TEST_GO" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -e "$ZARNEL_TEST_GO" ] && state=went || state=timeout
printf '%s\n' "$state" "$#" "$@" > "$ZARNEL_TEST_OUT.part"
mv "$ZARNEL_TEST_OUT.part" "$ZARNEL_TEST_OUT"
)";

class ShellOpen : public ::testing::Test {
  protected:
    void SetUp() override {
        // In the build tree, not the temporary folder, which may be mounted noexec.
        dir_ = fs::path(ZARNEL_SCRATCH_DIR) /
               ("zarnel-shell-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_ / "bin");
        path_.emplace("PATH", (dir_ / "bin").c_str());
        out_.emplace("ZARNEL_TEST_OUT", (dir_ / "out").c_str());
        go_.emplace("ZARNEL_TEST_GO", (dir_ / "go").c_str());
    }
    void TearDown() override { fs::remove_all(dir_); }
    void installStandIn() {
        const fs::path opener = dir_ / "bin/xdg-open";
        std::ofstream(opener) << kStandIn;
        fs::permissions(opener, fs::perms::owner_all);
    }
    // What the stand-in wrote, once it has written it.
    std::string output() {
        constexpr auto kPoll = std::chrono::milliseconds(20);
        constexpr int kPolls = 750;  // 15 s: the stand-in gives up after 10
        for (int i = 0; i < kPolls && !fs::exists(dir_ / "out"); ++i) {
            std::this_thread::sleep_for(kPoll);
        }
        std::ifstream in(dir_ / "out");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool noChildLeft() {
        errno = 0;
        return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
    }

    fs::path dir_;
    std::optional<testing::ScopedVariable> path_;
    std::optional<testing::ScopedVariable> out_;
    std::optional<testing::ScopedVariable> go_;
    LinuxPlatform platform_;
};

TEST_F(ShellOpen, PassesTheAddressAsOneArgumentWithoutAShellAndWithoutWaiting) {
    installStandIn();
    const std::string address = "https://example.org/a b;c'$(touch pwned)`id`&d=\"e\"";
    EXPECT_GT(platform_.shellOpen(0, address), kShellOpenFailed);
    EXPECT_TRUE(noChildLeft()) << "the opener is not our child and nothing is left to reap";
    std::ofstream(dir_ / "go") << "";
    EXPECT_EQ(output(), "went\n1\n" + address + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "pwned"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

// The browser the opener starts must outlive a Ctrl+C or a hang-up of the terminal the window
// was started from: the opener runs in a session of its own.
TEST_F(ShellOpen, OpenerRunsInASessionOfItsOwn) {
    const fs::path opener = dir_ / "bin/xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                             "read -r _ _ _ _ _ session _ < /proc/$$/stat\n"
                             "echo \"$session\" > \"$ZARNEL_TEST_OUT.part\"\n"
                             "mv \"$ZARNEL_TEST_OUT.part\" \"$ZARNEL_TEST_OUT\"\n";
    fs::permissions(opener, fs::perms::owner_all);
    ASSERT_GT(platform_.shellOpen(0, "https://example.org/"), kShellOpenFailed);
    const std::string session = output();
    ASSERT_FALSE(session.empty());
    EXPECT_NE(session, std::to_string(::getsid(0)) + "\n");
}

// The window's descriptors (its display connection, its buses) are not passed to the opener,
// even one opened without close-on-exec by a library the window loads.
TEST_F(ShellOpen, OpenerGetsNoDescriptorOfTheWindow) {
    const fs::path opener = dir_ / "bin/xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                             "ls /proc/$$/fd > \"$ZARNEL_TEST_OUT.part\"\n"
                             "mv \"$ZARNEL_TEST_OUT.part\" \"$ZARNEL_TEST_OUT\"\n";
    fs::permissions(opener, fs::perms::owner_all);
    // Without close-on-exec, and numbered above any the shell keeps for itself.
    constexpr int kAboveTheShells = 200;
    const int opened = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(opened, 0);
    const int inherited = ::fcntl(opened, F_DUPFD, kAboveTheShells);
    ::close(opened);
    ASSERT_GE(inherited, kAboveTheShells);
    const std::intptr_t result = platform_.shellOpen(0, "https://example.org/");
    ::close(inherited);
    ASSERT_GT(result, kShellOpenFailed);

    std::istringstream listed(output());
    std::vector<int> descriptors;
    for (int fd = 0; listed >> fd;) descriptors.push_back(fd);
    ASSERT_FALSE(descriptors.empty());
    EXPECT_EQ(std::ranges::count(descriptors, inherited), 0);
}

// Signals a launcher blocked or ignored for the window are not passed on to the browser: it
// must still end at the user's logout and see its own children end.
TEST_F(ShellOpen, OpenerStartsWithNoSignalBlockedOrIgnored) {
    const fs::path opener = dir_ / "bin/xdg-open";
    // awk, as a shell may clear the signal state itself and hide what it was given.
    std::ofstream(opener) << "#!/usr/bin/awk -f\n"
                             "BEGIN { out = ENVIRON[\"ZARNEL_TEST_OUT\"]\n"
                             "  while ((getline line < \"/proc/self/status\") > 0)\n"
                             "    if (line ~ /^Sig(Blk|Ign):/) print line > (out \".part\")\n"
                             "  close(out \".part\")\n"
                             "  system(\"/bin/mv '\" out \".part' '\" out \"'\") }\n";
    fs::permissions(opener, fs::perms::owner_all);
    sigset_t terminate;
    sigset_t before;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &terminate, &before), 0);
    struct sigaction ignore {};
    struct sigaction childBefore {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGCHLD, &ignore, &childBefore), 0);
    const std::intptr_t opened = platform_.shellOpen(0, "https://example.org/");
    ::sigaction(SIGCHLD, &childBefore, nullptr);
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    ASSERT_GT(opened, kShellOpenFailed);

    std::istringstream status(output());
    std::map<std::string, unsigned long long> masks;
    std::string name;
    std::string hex;
    while (status >> name >> hex) masks[name] = std::stoull(hex, nullptr, 16);
    ASSERT_EQ(masks.size(), 2U) << status.str();
    const auto bit = [](int signal) { return 1ULL << (signal - 1); };
    EXPECT_EQ(masks["SigBlk:"] & bit(SIGTERM), 0U);
    EXPECT_EQ(masks["SigIgn:"] & bit(SIGCHLD), 0U);
}

// A search of PATH that stalls, as one through a folder on a server that went away does, until
// the test lets it go, its folder goes, or a minute has passed. It runs where the spawner has
// closed every descriptor but its report, so it waits for files.
int stalledSpawn(pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
                 char* const[], char* const[]) {
    const char* go = std::getenv("ZARNEL_TEST_GO");
    const char* searched = std::getenv("PATH");  // the test's own folder
    constexpr timespec kPoll{.tv_sec = 0, .tv_nsec = 10'000'000};
    constexpr int kPolls = 6000;
    for (int i = 0; i < kPolls && ::access(go, F_OK) != 0 && ::access(searched, F_OK) == 0; ++i) {
        ::nanosleep(&kPoll, nullptr);
    }
    return ENOENT;
}

TEST_F(ShellOpen, ASearchForTheOpenerThatHangsDoesNotHoldTheWindow) {
    platform_.spawn = stalledSpawn;
    auto opened = std::async(std::launch::async,
                             [this] { return platform_.shellOpen(0, "https://example.org/"); });
    // Far beyond any deadline: a window that waits for the search never gets here in time.
    constexpr auto kLongWhile = std::chrono::seconds(60);
    const bool answered = opened.wait_for(kLongWhile) == std::future_status::ready;
    std::ofstream(dir_ / "go") << "";
    ASSERT_TRUE(answered);
    // Not known to have failed: the opener may yet be found.
    EXPECT_EQ(opened.get(), kShellOpened);
}

TEST_F(ShellOpen, MissingOpenerFailsSilently) {
    EXPECT_EQ(platform_.shellOpen(0, "https://example.org/"), kShellFileNotFound);
    EXPECT_TRUE(noChildLeft());
}

}  // namespace
}  // namespace zarnel
