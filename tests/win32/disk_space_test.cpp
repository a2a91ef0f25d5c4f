// A volume's space apart from the caller's quota, as Windows 10 1809 and later tell it.
#include "platform/win32/disk_space.h"

#include <gtest/gtest.h>

#include <limits>

namespace zarnel::win32 {
namespace {

// A 512 GB volume of 4 KiB units with 102.4 GB free, and a caller whose 10.24 GB quota has
// 2.048 GB left: the volume's size and free space are its own, the caller may fill only what the
// quota leaves.
TEST(Win32DiskSpace, AQuotaLimitsWhatTheCallerMayFillNotTheVolumesSize) {
    DiskSpaceInformation information{};
    information.SectorsPerAllocationUnit = 8;
    information.BytesPerSector = 512;
    information.ActualTotalAllocationUnits = 125'000'000;
    information.ActualAvailableAllocationUnits = 25'000'000;
    information.CallerTotalAllocationUnits = 2'500'000;
    information.CallerAvailableAllocationUnits = 500'000;
    const DiskSpace space = spaceOf(information);
    EXPECT_EQ(space.total, 512'000'000'000U);
    EXPECT_EQ(space.totalFree, 102'400'000'000U);
    EXPECT_EQ(space.availableToCaller, 2'048'000'000U);

    // A quota with more left than the volume has free leaves the caller the volume's free space.
    information.CallerAvailableAllocationUnits = 30'000'000;
    EXPECT_EQ(spaceOf(information).availableToCaller, space.totalFree);
}

TEST(Win32DiskSpace, FiguresPast64BitsStayAtTheMost) {
    DiskSpaceInformation information{};
    information.SectorsPerAllocationUnit = 1U << 16;
    information.BytesPerSector = 1U << 16;
    information.ActualTotalAllocationUnits = 1ULL << 40;
    const DiskSpace space = spaceOf(information);
    EXPECT_EQ(space.total, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(space.totalFree, 0U);
}

}  // namespace
}  // namespace zarnel::win32
