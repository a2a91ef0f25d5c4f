// The user's disk quota: what it leaves them, and where the provider applies it.
#include "platform/linux/user_quota.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "platform/linux/linux_platform.h"
#include "tests/support/scratch_machine.h"

namespace zarnel {
namespace {

using linux_fs::QuotaRecord;
using linux_fs::quotaRemainder;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
constexpr std::time_t kNow = 1'800'000'000;
constexpr std::time_t kHour = 3600;

TEST(UserQuota, TheHardLimitLessWhatIsUsedIsLeft) {
    EXPECT_EQ(
        quotaRemainder({.blockLimitsValid = true, .hardLimitBlocks = 1024, .usedBytes = 512 * kKiB},
                       kNow),
        512 * kKiB);
    EXPECT_EQ(
        quotaRemainder({.blockLimitsValid = true, .hardLimitBlocks = 1024, .usedBytes = 0}, kNow),
        1024 * kKiB);
    // At or over the limit (a grace period, or root's writes) nothing is left, never a wrap.
    EXPECT_EQ(
        quotaRemainder({.blockLimitsValid = true, .hardLimitBlocks = 1, .usedBytes = kKiB}, kNow),
        0U);
    EXPECT_EQ(quotaRemainder(
                  {.blockLimitsValid = true, .hardLimitBlocks = 1, .usedBytes = 9 * kKiB}, kNow),
              0U);
    // A limit past what bytes can count bounds nothing it could show.
    EXPECT_EQ(
        quotaRemainder({.blockLimitsValid = true, .hardLimitBlocks = kMax, .usedBytes = 1}, kNow),
        kMax - 1);
}

// Over the soft limit the hard one bounds the user until the grace time runs out; after it,
// with or without a hard limit, the kernel takes nothing more from them.
TEST(UserQuota, AnExpiredGraceTimeLeavesNothing) {
    QuotaRecord overSoft{.blockLimitsValid = true,
                         .hardLimitBlocks = 10240,
                         .softLimitBlocks = 1024,
                         .graceEnds = kNow + kHour,
                         .usedBytes = 2048 * kKiB};
    EXPECT_EQ(quotaRemainder(overSoft, kNow), 8192 * kKiB);
    overSoft.graceEnds = kNow;
    EXPECT_EQ(quotaRemainder(overSoft, kNow), 0U);
    overSoft.hardLimitBlocks = 0;
    EXPECT_EQ(quotaRemainder(overSoft, kNow), 0U);
    // Under the soft limit no grace time runs, whatever an old one said.
    overSoft.usedBytes = 512 * kKiB;
    EXPECT_EQ(quotaRemainder(overSoft, kNow), std::nullopt);
}

// Over the soft limit before any grace time was set, or under no soft limit at all, only the
// hard limit bounds the user; at the soft limit itself any write would pass it.
TEST(UserQuota, OnlyARunningGraceTimeOverASoftLimitRunsOut) {
    QuotaRecord quota{.blockLimitsValid = true,
                      .hardLimitBlocks = 10240,
                      .softLimitBlocks = 1024,
                      .graceEnds = 0,
                      .usedBytes = 2048 * kKiB};
    EXPECT_EQ(quotaRemainder(quota, kNow), 8192 * kKiB);
    quota.softLimitBlocks = 0;
    quota.graceEnds = kNow - kHour;
    EXPECT_EQ(quotaRemainder(quota, kNow), 8192 * kKiB);
    quota.softLimitBlocks = 2048;
    EXPECT_EQ(quotaRemainder(quota, kNow), 0U);
}

TEST(UserQuota, NoLimitOrNoReportedLimitBoundsNothing) {
    EXPECT_EQ(
        quotaRemainder({.blockLimitsValid = true, .hardLimitBlocks = 0, .usedBytes = kKiB}, kNow),
        std::nullopt);
    EXPECT_EQ(
        quotaRemainder({.blockLimitsValid = false, .hardLimitBlocks = 1024, .usedBytes = 0}, kNow),
        std::nullopt);
}

// The kernel's answer, field by field: a hard limit of 1 GiB over 100 MiB used leaves
// 1,073,741,824 - 104,857,600 = 968,884,224 bytes; the soft limit of 512 MiB bounds nothing
// until it is reached with its grace time run out; only the space's limits count, not the files'.
TEST(UserQuota, TheKernelsAnswerIsReadFieldByField) {
    dqblk answer{};
    answer.dqb_valid = QIF_BLIMITS | QIF_SPACE;
    answer.dqb_bhardlimit = 1048576;
    answer.dqb_bsoftlimit = 524288;
    answer.dqb_curspace = 104857600;
    answer.dqb_ihardlimit = 1;  // one file: would leave nothing if taken for blocks
    EXPECT_EQ(quotaRemainder(linux_fs::quotaRecordOf(answer), kNow), 968884224U);
    answer.dqb_btime = static_cast<std::uint64_t>(kNow - kHour);  // run out, under the soft limit
    EXPECT_EQ(quotaRemainder(linux_fs::quotaRecordOf(answer), kNow), 968884224U);
    answer.dqb_curspace = 536870912;  // at the soft limit once its grace time has run out
    EXPECT_EQ(quotaRemainder(linux_fs::quotaRecordOf(answer), kNow), 0U);
    answer.dqb_btime = 0;  // at it with no grace time started: 1 GiB - 512 MiB is left
    EXPECT_EQ(quotaRemainder(linux_fs::quotaRecordOf(answer), kNow), 536870912U);
    answer.dqb_valid = QIF_INODES;  // file limits reported alone
    EXPECT_EQ(quotaRemainder(linux_fs::quotaRecordOf(answer), kNow), std::nullopt);
}

// A volume that counts usage without enforcing a limit (ext4's quota feature mounted without
// its quota option, or limits switched off) refuses no write for it; the group's limit, which
// the kernel checks on every write too, bounds the user when it leaves less.
TEST(UserQuota, OnlyEnforcedLimitsOfTheUserAndTheGroupBound) {
    const QuotaRecord user{.blockLimitsValid = true,
                           .hardLimitBlocks = 1024,
                           .softLimitBlocks = 0,
                           .graceEnds = 0,
                           .usedBytes = 1536 * kKiB};
    const QuotaRecord group{.blockLimitsValid = true,
                            .hardLimitBlocks = 10240,
                            .softLimitBlocks = 0,
                            .graceEnds = 0,
                            .usedBytes = 10230 * kKiB};
    const linux_fs::QuotaEnforcement both;
    EXPECT_EQ(linux_fs::quotaLeft(user, std::nullopt, both, kNow), 0U);
    EXPECT_EQ(linux_fs::quotaLeft(std::nullopt, group, both, kNow), 10 * kKiB);
    EXPECT_EQ(linux_fs::quotaLeft(std::nullopt, std::nullopt, both, kNow), std::nullopt);

    fs_quota_statv state{};
    state.qs_flags = FS_QUOTA_UDQ_ACCT | FS_QUOTA_GDQ_ACCT | FS_QUOTA_GDQ_ENFD;
    const linux_fs::QuotaEnforcement groupOnly = linux_fs::quotaEnforcementOf(state);
    EXPECT_EQ(linux_fs::quotaLeft(user, std::nullopt, groupOnly, kNow), std::nullopt);
    EXPECT_EQ(linux_fs::quotaLeft(user, group, groupOnly, kNow), 10 * kKiB);
    state.qs_flags = FS_QUOTA_UDQ_ACCT | FS_QUOTA_UDQ_ENFD | FS_QUOTA_GDQ_ACCT;
    const linux_fs::QuotaEnforcement userOnly = linux_fs::quotaEnforcementOf(state);
    EXPECT_EQ(linux_fs::quotaLeft(user, group, userOnly, kNow), 0U);
    EXPECT_EQ(linux_fs::quotaLeft(std::nullopt, group, userOnly, kNow), std::nullopt);
    // With the user's own limit far off, the group's nearly full one is what is left.
    const QuotaRecord roomy{.blockLimitsValid = true,
                            .hardLimitBlocks = 1048576,
                            .softLimitBlocks = 0,
                            .graceEnds = 0,
                            .usedBytes = 0};
    EXPECT_EQ(linux_fs::quotaLeft(roomy, group, both, kNow), 10 * kKiB);
}

// The folder and group the provider last asked about, and a quota of half a MiB left there.
std::string askedFolder;
gid_t askedGroup = 0;
std::optional<std::uint64_t> halfMebibyteLeft(const std::string& folder, uid_t, gid_t group) {
    askedFolder = folder;
    askedGroup = group;
    return 512 * kKiB;
}

// A volume with a quota below its free space shows the quota's remainder as available; the
// volume's own free space and a share's space (its server keeps its own quotas) stay whole.
TEST(UserQuota, BoundsWhatTheUserMayWriteOnALocalVolumeOnly) {
    const testing::ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "mnt/share");
    machine.writeMountTable(
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "2 1 0:50 / /mnt/share rw - nfs4 server:/export rw\n");
    LinuxPlatform platform(machine.root());
    platform.userQuotaLeft = halfMebibyteLeft;
    platform.environment.groupId = 4321;
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    askedFolder.clear();
    ASSERT_EQ(platform.getDiskFreeSpaceEx("c:\\", available, total, totalFree), 1);
    EXPECT_EQ(available, 512 * kKiB);
    EXPECT_GT(totalFree, 512 * kKiB) << "the volume's own free space is not the quota's";
    EXPECT_TRUE(std::filesystem::equivalent(askedFolder, machine.root())) << askedFolder;
    EXPECT_EQ(askedGroup, 4321U);

    askedFolder.clear();
    ASSERT_EQ(platform.getDiskFreeSpaceEx("d:\\", available, total, totalFree), 1);
    EXPECT_TRUE(askedFolder.empty());
    EXPECT_GT(available, 512 * kKiB);
}

}  // namespace
}  // namespace zarnel
