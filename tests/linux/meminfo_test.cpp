// The Linux provider's memory status: machines from the fixture trees, and bad input.
#include "platform/linux/meminfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/errors.h"
#include "platform/linux/arcstats.h"
#include "platform/linux/kept_file.h"
#include "platform/linux/linux_platform.h"
#include "tests/support/memory_tab_window.h"
#include "tests/support/scratch_machine.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

struct MachineRow {
    std::string_view machine;
    MemoryStatus status;
    std::string_view totalText;
    std::string_view freeText;
    std::string_view usedText;
};

class Machines : public ::testing::TestWithParam<MachineRow> {};

TEST_P(Machines, ReadTotalAvailableAndLoad) {
    const MachineRow& row = GetParam();
    LinuxPlatform platform(fs::path(ZARNEL_FIXTURES_DIR) / row.machine);
    MemoryStatus status;
    status.dwLength = sizeof status;
    platform.globalMemoryStatus(status);
    EXPECT_EQ(status.ullTotalPhys, row.status.ullTotalPhys);
    EXPECT_EQ(status.ullAvailPhys, row.status.ullAvailPhys);
    EXPECT_EQ(status.dwMemoryLoad, row.status.dwMemoryLoad);
    EXPECT_EQ(status.dwLength, sizeof status);
    EXPECT_EQ(platform.lastError(), win32_error::kSuccess);
}

TEST_P(Machines, ShowOnTheMemoryTab) {
    const MachineRow& row = GetParam();
    LinuxPlatform platform(fs::path(ZARNEL_FIXTURES_DIR) / row.machine);
    testing::RecordingControls controls;
    Form1 form(controls, platform);
    form.Form_Load();
    EXPECT_EQ(controls.text(Ctl::Text26), row.totalText);
    EXPECT_EQ(controls.text(Ctl::Text25), row.freeText);
    EXPECT_EQ(controls.text(Ctl::Text24), row.usedText);
    EXPECT_EQ(controls.text(Ctl::Text23), std::to_string(row.status.dwMemoryLoad) + "%");
}

INSTANTIATE_TEST_SUITE_P(LinuxMemory, Machines,
                         ::testing::Values(MachineRow{.machine = "board-512mb",
                                                      .status = {.dwMemoryLoad = 19,
                                                                 .ullTotalPhys = 455'598'080,
                                                                 .ullAvailPhys = 371'212'288},
                                                      .totalText = "455M",
                                                      .freeText = "371M",
                                                      .usedText = "84M"},
                                           MachineRow{.machine = "laptop-16gb",
                                                      .status = {.dwMemoryLoad = 29,
                                                                 .ullTotalPhys = 16'474'472'448,
                                                                 .ullAvailPhys = 11'676'512'256},
                                                      .totalText = "16474M",
                                                      .freeText = "11676M",
                                                      .usedText = "4797M"},
                                           MachineRow{.machine = "server-1.5tb",
                                                      .status = {.dwMemoryLoad = 19,
                                                                 .ullTotalPhys = 1'622'908'338'176,
                                                                 .ullAvailPhys = 1'318'514'589'696},
                                                      .totalText = "1622908M",
                                                      .freeText = "1318514M",
                                                      .usedText = "304393M"},
                                           // ZFS's cache above its floor counts as available.
                                           MachineRow{.machine = "desktop-zfs-root",
                                                      .status = {.dwMemoryLoad = 39,
                                                                 .ullTotalPhys = 33'590'939'648,
                                                                 .ullAvailPhys = 20'352'413'696},
                                                      .totalText = "33590M",
                                                      .freeText = "20352M",
                                                      .usedText = "13238M"},
                                           // No MemAvailable: free + buffers + cached.
                                           MachineRow{.machine = "old-kernel-2.6",
                                                      .status = {.dwMemoryLoad = 27,
                                                                 .ullTotalPhys = 4'143'390'720,
                                                                 .ullAvailPhys = 3'035'033'600},
                                                      .totalText = "4143M",
                                                      .freeText = "3035M",
                                                      .usedText = "1108M"}),
                         [](const auto& row) {
                             std::string name(row.param.machine);
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

struct BadTextRow {
    std::string_view name;
    std::string_view text;
};

class BadText : public ::testing::TestWithParam<BadTextRow> {};

TEST_P(BadText, GivesNoStatus) {
    EXPECT_FALSE(linux_fs::memoryStatusFrom(linux_fs::parseMeminfo(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(
    LinuxMemory, BadText,
    ::testing::Values(BadTextRow{"Empty", ""},
                      BadTextRow{"NoTotal", "MemFree: 10 kB\nMemAvailable: 20 kB\n"},
                      BadTextRow{"TotalCutBeforeItsUnit", "MemTotal:       163"},
                      BadTextRow{"AvailableCutBeforeItsUnit",
                                 "MemTotal: 1000 kB\nMemFree: 10 kB\nMemAvailable: 2"},
                      BadTextRow{"OldKernelCutBeforeCached",
                                 "MemTotal: 1000 kB\nMemFree: 10 kB\nBuffers: 5 kB\n"},
                      BadTextRow{"NotANumber", "MemTotal: lots kB\nMemAvailable: 20 kB\n"},
                      BadTextRow{"NegativeNumber", "MemTotal: -1000 kB\nMemAvailable: 20 kB\n"},
                      BadTextRow{"NoMemoryAtAll", "MemTotal: 0 kB\nMemAvailable: 0 kB\n"},
                      BadTextRow{"TooLargeForBytes",
                                 "MemTotal: 99999999999999999999 kB\nMemAvailable: 2 kB\n"},
                      BadTextRow{"OverflowsWhenTurnedToBytes",
                                 "MemTotal: 18014398509481984 kB\nMemAvailable: 2 kB\n"},
                      BadTextRow{"OldKernelSumWrapsRound",
                                 "MemTotal: 16000000 kB\nMemFree: 18014398509481983 kB\n"
                                 "Buffers: 18014398509481983 kB\nCached: 8000000 kB\n"},
                      BadTextRow{"OldKernelCachedWrapsTheSum",
                                 "MemTotal: 16000000 kB\nMemFree: 1 kB\nBuffers: 1 kB\n"
                                 "Cached: 18014398509481983 kB\n"},
                      BadTextRow{"BinaryNoise", std::string_view("\0\xff\x01MemTotal\0:", 13)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LinuxMemory, AvailableAboveTotalIsCappedAtTheTotal) {
    const auto status = linux_fs::memoryStatusFrom(
        linux_fs::parseMeminfo("MemTotal: 1000 kB\nMemAvailable: 1200 kB\n"));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->ullAvailPhys, 1000U * 1024);
    EXPECT_EQ(status->dwMemoryLoad, 0U);
}

TEST(LinuxMemory, LastLineWithoutNewlineAndTabsAreRead) {
    const auto status = linux_fs::memoryStatusFrom(
        linux_fs::parseMeminfo("MemTotal:\t2000 kB\nMemAvailable:\t500 kB"));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->ullTotalPhys, 2000U * 1024);
    EXPECT_EQ(status->ullAvailPhys, 500U * 1024);
    EXPECT_EQ(status->dwMemoryLoad, 75U);
}

// The rows of arcstats as the kernel module writes them: a header, then "name type data".
constexpr std::string_view kArcHeader =
    "13 1 0x01 147 39984 4215163093 2237542305764\nname                            type data\n";

TEST(LinuxMemory, ZfsCacheAboveItsFloorIsReclaimable) {
    const std::string rows = std::string(kArcHeader) +
                             "hits                            4    93726\n"
                             "size                            4    6442450944\n"
                             "c_min                           4    1073741824\n";
    EXPECT_EQ(linux_fs::reclaimableArcBytes(rows), 5'368'709'120U);
    // Shrunk to its floor, or below it while it grows back: nothing to take back.
    EXPECT_EQ(linux_fs::reclaimableArcBytes("size 4 1000\nc_min 4 1000\n"), 0U);
    EXPECT_EQ(linux_fs::reclaimableArcBytes("c_min 4 1000\nsize 4 999\n"), 0U);
    // "c_max" and "size_of_x" are other rows, not the ones read.
    EXPECT_EQ(linux_fs::reclaimableArcBytes("c_max 4 9\nsize_of_x 4 9\nsize 4 9\n"), std::nullopt);
    EXPECT_EQ(linux_fs::reclaimableArcBytes("size 4 -5\nc_min 4 1\n"), std::nullopt);
    EXPECT_EQ(linux_fs::reclaimableArcBytes("size 4 5 kB\nc_min 4 1\n"), std::nullopt);
    EXPECT_EQ(linux_fs::reclaimableArcBytes("size 4\nc_min 4 1\n"), std::nullopt);
    EXPECT_EQ(linux_fs::reclaimableArcBytes(""), std::nullopt);
}

TEST(LinuxMemory, ReclaimableCacheCountsAsAvailableUpToTheTotal) {
    const linux_fs::Meminfo info =
        linux_fs::parseMeminfo("MemTotal: 16000 kB\nMemAvailable: 2000 kB\n");
    const auto status = linux_fs::memoryStatusFrom(info, 10000U * 1024);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->ullAvailPhys, 12000U * 1024);
    EXPECT_EQ(status->dwMemoryLoad, 25U);
    for (const std::uint64_t cache : {15000ULL * 1024, ~0ULL}) {
        const auto capped = linux_fs::memoryStatusFrom(info, cache);
        ASSERT_TRUE(capped);
        EXPECT_EQ(capped->ullAvailPhys, 16000U * 1024) << cache;
        EXPECT_EQ(capped->dwMemoryLoad, 0U);
    }
}

class TempRoot : public ::testing::Test {
  protected:
    void writeMeminfo(std::string_view text) {
        std::ofstream(root_ / "proc/meminfo", std::ios::binary) << text;
    }
    const testing::ScratchMachine machine_;
    const fs::path& root_ = machine_.root();
};

TEST_F(TempRoot, MissingFileReadsAsZerosWithFileNotFound) {
    fs::remove_all(root_ / "proc");
    LinuxPlatform platform(root_);
    MemoryStatus status;
    platform.globalMemoryStatus(status);
    EXPECT_EQ(status.ullTotalPhys, 0U);
    EXPECT_EQ(status.ullAvailPhys, 0U);
    EXPECT_EQ(status.dwMemoryLoad, 0U);
    EXPECT_EQ(platform.lastError(), win32_error::kFileNotFound);
}

// procfs keeps the file open between readings, a fixture tree does not: either way each
// reading sees the file as it is now.
TEST_F(TempRoot, EveryReadingSeesTheFileAsItIsNow) {
    using Reading = std::pair<std::uint64_t, std::uint32_t>;
    LinuxPlatform platform(root_);
    const auto totalKilobytes = [&platform] {
        MemoryStatus status;
        platform.globalMemoryStatus(status);
        return Reading(status.ullTotalPhys / 1024, platform.lastError());
    };
    EXPECT_EQ(totalKilobytes(), Reading(0, win32_error::kFileNotFound));
    writeMeminfo("MemTotal: 4000 kB\nMemAvailable: 1000 kB\n");
    EXPECT_EQ(totalKilobytes(), Reading(4000, win32_error::kSuccess));
    // Shorter than before: nothing of the longer text may be left behind.
    writeMeminfo("MemTotal: 9 kB\nMemAvailable: 1 kB\n");
    EXPECT_EQ(totalKilobytes(), Reading(9, win32_error::kSuccess));
    fs::remove(root_ / "proc/meminfo");
    writeMeminfo("MemTotal: 7 kB\nMemAvailable: 1 kB\n");
    EXPECT_EQ(totalKilobytes(), Reading(7, win32_error::kSuccess));
}

// On a ZFS machine the cache ZFS could give back counts as available, as the page cache's
// does; arcstats that cannot be read leave the kernel's figure as it is.
TEST_F(TempRoot, ZfsCacheCountsAsAvailable) {
    writeMeminfo("MemTotal: 8000000 kB\nMemAvailable: 1000000 kB\n");
    const fs::path arcstats = root_ / "proc/spl/kstat/zfs/arcstats";
    fs::create_directories(arcstats.parent_path());
    using Reading = std::pair<std::uint64_t, std::uint32_t>;
    const auto availableKilobytes = [this] {
        LinuxPlatform platform(root_);
        MemoryStatus status;
        platform.globalMemoryStatus(status);
        return Reading(status.ullAvailPhys / 1024, status.dwMemoryLoad);
    };
    std::ofstream(arcstats) << kArcHeader << "c_min 4 512000000\nsize 4 4608000000\n";
    EXPECT_EQ(availableKilobytes(), Reading(5000000, 38));
    std::ofstream(arcstats) << kArcHeader << "size 4 4608000000\n";
    EXPECT_EQ(availableKilobytes(), Reading(1000000, 88));
    fs::remove(arcstats);
    fs::create_directory(arcstats);
    EXPECT_EQ(availableKilobytes(), Reading(1000000, 88));
}

// A container's meminfo (lxcfs mounts it over the kernel's) counts the container's memory,
// but arcstats is the host's: the host's cache would make a busy container read all free.
TEST_F(TempRoot, ContainersMeminfoLeavesTheHostsZfsCacheOut) {
    writeMeminfo("MemTotal: 2097152 kB\nMemAvailable: 524288 kB\n");
    const fs::path arcstats = root_ / "proc/spl/kstat/zfs/arcstats";
    fs::create_directories(arcstats.parent_path());
    std::ofstream(arcstats) << kArcHeader << "c_min 4 1049874432\nsize 4 17179869184\n";
    fs::create_directories(root_ / "proc/self");
    std::ofstream(root_ / "proc/self/mountinfo")
        << "24 1 0:21 / / rw,relatime - zfs rpool/lxc/subvol-101-disk-0 rw,xattr,posixacl\n"
           "1206 24 0:61 /proc/meminfo /proc/meminfo rw,nosuid,nodev,relatime - fuse.lxcfs "
           "lxcfs rw,user_id=0,group_id=0,allow_other\n";
    LinuxPlatform platform(root_);
    for (int tick = 0; tick < 2; ++tick) {
        MemoryStatus status;
        platform.globalMemoryStatus(status);
        EXPECT_EQ(status.ullAvailPhys, 524288ULL * 1024);
        EXPECT_EQ(status.dwMemoryLoad, 75U);
    }
}

TEST(KeptFile, ProcfsGivesTheWholeFileAtEveryReading) {
    linux_fs::KeptFile meminfo("/proc/meminfo");
    for (int reading = 0; reading < 3; ++reading) {
        const linux_fs::FileText file = meminfo.read();
        ASSERT_TRUE(file.text) << "error " << file.error;
        EXPECT_TRUE(file.text->starts_with("MemTotal:")) << *file.text;
        EXPECT_TRUE(linux_fs::memoryStatusFrom(linux_fs::parseMeminfo(*file.text)));
    }
}

// A procfs text longer than a page is read to its end, though procfs hands it over in pieces
// of whole records and a read may come back short before the end (the details of the test's
// own memory map run to many kilobytes, a record per mapping).
TEST(KeptFile, ProcfsTextLongerThanAPageIsWhole) {
    std::ifstream direct("/proc/self/smaps");
    const std::string whole{std::istreambuf_iterator<char>(direct), {}};
    ASSERT_GT(whole.size(), 4096U) << "a memory map of one page";
    linux_fs::KeptFile smaps("/proc/self/smaps");
    for (int reading = 0; reading < 2; ++reading) {
        const linux_fs::FileText file = smaps.read();
        ASSERT_TRUE(file.text) << "error " << file.error;
        EXPECT_GT(file.text->size(), 4096U);
        EXPECT_TRUE(file.text->ends_with("\n")) << "cut short at " << file.text->size();
    }
}

TEST_F(TempRoot, TruncatedFileShowsZerosOnTheTabWithoutDividingByZero) {
    writeMeminfo("MemTotal:       16318464 kB\nMemFree:         92");
    LinuxPlatform platform(root_);
    MemoryStatus status;
    platform.globalMemoryStatus(status);
    EXPECT_EQ(status.ullTotalPhys, 0U);
    EXPECT_EQ(platform.lastError(), win32_error::kInvalidData);

    testing::RecordingControls controls;
    Form1 form(controls, platform);
    form.Form_Load();
    EXPECT_EQ(controls.text(Ctl::Text26), "0M");
    EXPECT_EQ(controls.text(Ctl::Text23), "0%");
    EXPECT_EQ(controls.text(Ctl::lblY, 0), "0");
    // No point to plot: the graph stays as it was prepared.
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.recordedPicture(Ctl::Picture1).operations.back(), "clear #000000");
}

}  // namespace
}  // namespace zarnel
