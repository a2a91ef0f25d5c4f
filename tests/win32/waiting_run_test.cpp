// A run that waits for the go-ahead, so that a check can stop the prefix while it is still
// going; it runs only through the check in this folder's CMakeLists.txt.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>

namespace zarnel {
namespace {

// How long the run waits for the go-ahead before it gives up, in polls.
constexpr int kMostPolls = 1200;
constexpr DWORD kPollMilliseconds = 50;

TEST(WineServer, DISABLED_RunsUntilTheGoAhead) {
    const char* started = std::getenv("ZARNEL_STARTED_FILE");
    const char* go = std::getenv("ZARNEL_GO_FILE");
    ASSERT_NE(started, nullptr);
    ASSERT_NE(go, nullptr);
    std::ofstream(started).put('\n');
    int polls = 0;
    while (GetFileAttributesA(go) == INVALID_FILE_ATTRIBUTES && polls++ < kMostPolls)
        Sleep(kPollMilliseconds);
    EXPECT_NE(GetFileAttributesA(go), INVALID_FILE_ATTRIBUTES) << "no go-ahead came";
}

}  // namespace
}  // namespace zarnel
