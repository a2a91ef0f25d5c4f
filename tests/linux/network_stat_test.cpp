// Asking a network share for its space: statvfs's answer and its failure pass through.
#include "platform/linux/network_stat.h"

#include <gtest/gtest.h>

#include <cerrno>

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
    EXPECT_EQ(stat("/mnt/nfs", info, kPatient), 0);
    EXPECT_EQ(info.f_namemax, kNameMax);
    EXPECT_EQ(info.f_blocks, kBlocks);

    struct statvfs untouched {};
    EXPECT_EQ(stat("/mnt/locked", untouched, kPatient), EACCES);
    EXPECT_EQ(untouched.f_blocks, 0U);
    // An answered path may be asked again.
    EXPECT_EQ(stat("/mnt/nfs", info, kPatient), 0);
}

}  // namespace
}  // namespace zarnel::linux_fs
