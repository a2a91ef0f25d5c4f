// Asking a network share for its space: statvfs's answer and its failure pass through.
#include "platform/linux/network_stat.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <memory>

#include "tests/support/stalled_server.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::chrono::milliseconds kPatient{60'000};
constexpr unsigned long kNameMax = 255;
constexpr unsigned long kBlocks = 123'456;

TEST(NetworkStat, PassesAnAnswerAndAFailureThrough) {
    const NetworkStat stat([](const char* path, struct statvfs* info) {
        if (std::string_view(path) == "/mnt/locked") {
            errno = EACCES;
            return -1;
        }
        info->f_namemax = kNameMax;
        info->f_blocks = kBlocks;
        return 0;
    });
    struct statvfs info {};
    EXPECT_EQ(stat("/mnt/nfs", "0:50", info, kPatient), 0);
    EXPECT_EQ(info.f_namemax, kNameMax);
    EXPECT_EQ(info.f_blocks, kBlocks);

    struct statvfs untouched {};
    EXPECT_EQ(stat("/mnt/locked", "0:51", untouched, kPatient), EACCES);
    EXPECT_EQ(untouched.f_blocks, 0U);
    // An answered path may be asked again.
    EXPECT_EQ(stat("/mnt/nfs", "0:50", info, kPatient), 0);
}

// A silent share taken away (a lazy unmount) and a working one mounted in its place: the new
// one is asked, not held back by the old one's question, which is still unanswered.
TEST(NetworkStat, AShareMountedWhereASilentOneWasIsAskedAfresh) {
    constexpr std::chrono::milliseconds kShort{10};
    const testing::StalledServer silent;
    auto calls = std::make_shared<std::atomic<int>>(0);
    const NetworkStat stat([silent, calls](const char*, struct statvfs* info) {
        if (calls->fetch_add(1) == 0) silent.hold();
        info->f_blocks = kBlocks;
        return 0;
    });
    struct statvfs info {};
    EXPECT_EQ(stat("/mnt/nas", "0:50", info, kShort), ETIMEDOUT);
    // Its helper may start late on a busy machine: asked again only once it is known held.
    ASSERT_EQ(silent.callsOnceOneArrived(), 1);
    EXPECT_EQ(stat("/mnt/nas", "0:50", info, kShort), ETIMEDOUT);
    EXPECT_EQ(calls->load(), 1) << "the silent share is not asked again";
    EXPECT_EQ(stat("/mnt/nas", "0:51", info, kPatient), 0);
    EXPECT_EQ(info.f_blocks, kBlocks);
    silent.answer();
}

}  // namespace
}  // namespace zarnel::linux_fs
