// Asking a network share for its space: answers pass through, a silent server is given up on.
#include "platform/linux/network_stat.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <future>
#include <thread>

namespace zarnel::linux_fs {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kImpatient{1};
constexpr milliseconds kPatient{60'000};
constexpr unsigned long kNameMax = 255;
constexpr unsigned long kBlocks = 123'456;
constexpr int kAttempts = 10'000;

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
    EXPECT_EQ(stat("/mnt/nfs", info, kPatient), 0);
    EXPECT_EQ(info.f_namemax, kNameMax);
    EXPECT_EQ(info.f_blocks, kBlocks);

    struct statvfs untouched {};
    EXPECT_EQ(stat("/mnt/locked", untouched, kPatient), EACCES);
    EXPECT_EQ(untouched.f_blocks, 0U);
    // An answered path may be asked again.
    EXPECT_EQ(stat("/mnt/nfs", info, kPatient), 0);
}

// A share whose server answers only when the test lets it; every other share answers at once.
class SilentServer : public ::testing::Test {
  protected:
    void TearDown() override { letAnswer(); }

    void letAnswer() {
        if (released_) return;
        released_ = true;
        gate_.set_value();
    }

    std::promise<void> gate_;
    bool released_ = false;
    std::shared_ptr<std::atomic<int>> asked_ = std::make_shared<std::atomic<int>>(0);
    const NetworkStat stat_{[gate = gate_.get_future().share(), asked = asked_](
                                const char* path, struct statvfs* info) {
        if (std::string_view(path) == "/mnt/gone") {
            ++*asked;
            gate.wait();
        }
        info->f_namemax = kNameMax;
        return 0;
    }};
};

TEST_F(SilentServer, IsGivenUpOnAndNotAskedAgainWhileItKeepsSilent) {
    struct statvfs info {};
    EXPECT_EQ(stat_("/mnt/gone", info, kImpatient), ETIMEDOUT);
    // Held: the second question fails without asking the server again.
    EXPECT_EQ(stat_("/mnt/gone", info, kImpatient), ETIMEDOUT);
    EXPECT_EQ(asked_->load(), 1);

    // Other shares are not held up by the silent one.
    EXPECT_EQ(stat_("/mnt/nas", info, kPatient), 0);
    EXPECT_EQ(info.f_namemax, kNameMax);
}

TEST_F(SilentServer, IsAskedAgainOnceItHasAnswered) {
    struct statvfs info {};
    ASSERT_EQ(stat_("/mnt/gone", info, kImpatient), ETIMEDOUT);
    letAnswer();
    // The late answer frees the path when its helper finishes; until then the path still
    // reads as unanswered. Bounded, so a path that stayed held fails here, not hangs.
    int result = ETIMEDOUT;
    for (int attempt = 0; attempt < kAttempts && result == ETIMEDOUT; ++attempt) {
        result = stat_("/mnt/gone", info, kPatient);
        if (result == ETIMEDOUT) std::this_thread::sleep_for(milliseconds(1));
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(info.f_namemax, kNameMax);
    EXPECT_EQ(asked_->load(), 2);
}

}  // namespace
}  // namespace zarnel::linux_fs
