// The Linux provider's drives on fixture machines, shown through the hard-disk tab.
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <tuple>

#include "disk/disk_probes.h"
#include "platform/linux/block_devices.h"
#include "platform/linux/device_watch.h"
#include "platform/linux/drive_kind.h"
#include "platform/linux/linux_platform.h"
#include "tests/support/recording_controls.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/stalled_server.h"
#include "tests/support/stepped_clock.h"

namespace zarnel {
namespace {

// The system disk mounted on /, the first line of most tables here.
const std::string kRootMountLine = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n";

using linux_fs::BlockDevice;
using testing::RecordingControls;
using testing::ScratchDisk;
using testing::ScratchMachine;

std::filesystem::path fixture(const char* machine) {
    return std::filesystem::path(ZARNEL_FIXTURES_DIR) / machine;
}

// One reading of a drive's volume: its result, the file system's name, the serial, and the
// error code when it failed.
struct VolumeReading {
    int result = 0;
    std::string fsName;
    std::uint32_t serial = 0;
    std::uint32_t error = 0;
};

VolumeReading readVolume(LinuxPlatform& platform, std::string_view root) {
    std::string name(kMaxPath, '\0');
    std::string fsName(32, '\0');
    std::uint32_t serial = 0;
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    const int result = platform.getVolumeInformation(root, name, serial, length, flags, fsName);
    return {result, fsName.c_str(), serial, result == 0 ? platform.lastError() : 0};
}

// The result, file system name and error of a drive's volume, to compare at once.
std::tuple<int, std::string, std::uint32_t> volumeOf(LinuxPlatform& platform,
                                                     std::string_view root) {
    const VolumeReading reading = readVolume(platform, root);
    return {reading.result, reading.fsName, reading.error};
}

// What the tab shows for one drive. Space figures and the name length come from statvfs of
// the fixture's folders on this machine, so they are not compared.
struct DriveRow {
    std::string_view entry;
    std::string_view type;    // Text18
    std::string_view label;   // Text19
    std::string_view serial;  // Text20
    std::string_view fsName;  // Text21
    std::vector<std::string> flags;
};

const std::vector<std::string> kPosixAcl = {"ファイル名大文字小文字維持",
                                            "ファイル名大文字小文字区別", "ＡＣＬ維持"};
const std::vector<std::string> kPosixNames = {"ファイル名大文字小文字維持",
                                              "ファイル名大文字小文字区別"};
const std::vector<std::string> kNfs4 = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別",
                                        "ＵＮＩＣＯＤＥ", "ＡＣＬ維持"};
const std::vector<std::string> kCifs = {"ファイル名大文字小文字維持", "ＵＮＩＣＯＤＥ",
                                        "ストリーム"};
const std::vector<std::string> kFat = {"ファイル名大文字小文字維持", "ＵＮＩＣＯＤＥ"};
const std::vector<std::string> kNotReady = {"(21)属性は取得できません。"};
const std::vector<std::string> kNotFound = {"(3)属性は取得できません。"};

const std::vector<DriveRow> kWorkstation = {
    {.entry = "c: [/]",
     .type = "ハードディスク",
     .label = "",
     .serial = "8F3C9A2E",
     .fsName = "ext4",
     // The fixture's "/" is a folder of this machine, not that volume: it cannot encrypt.
     .flags = kPosixAcl},
    {.entry = "d: [/home]",
     .type = "ハードディスク",
     .label = "home",
     .serial = "A1B2C3D",
     .fsName = "btrfs",
     .flags = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "ＡＣＬ維持",
               "ファイル圧縮", "ボリューム圧縮"}},
    {.entry = "e: [/srv/data]",
     .type = "ハードディスク",
     .label = "データ",
     .serial = "C0FFEE00",
     .fsName = "xfs",
     .flags = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "ＡＣＬ維持",
               "クォータ"}},
    {.entry = "f: [/tmp]",
     .type = "ＲＡＭディスク",
     .label = "",
     .serial = "",
     .fsName = "tmpfs",
     .flags = kPosixAcl},
    {.entry = "g: [/mnt/nfs]",
     .type = "リモート",
     .label = "",
     .serial = "",
     .fsName = "nfs4",
     .flags = kNfs4},
    {.entry = "h: [/mnt/win share]",
     .type = "リモート",
     .label = "",
     .serial = "",
     .fsName = "cifs",
     .flags = kCifs},
    {.entry = "i: [/run/media/alice/USB STICK]",
     .type = "フロッピーディスク",
     .label = "USB STICK",
     .serial = "F00DCAFE",
     .fsName = "vfat",
     .flags = kFat},
    {.entry = "j: [/media/ramdisk]",
     .type = "ＲＡＭディスク",
     .label = "",
     .serial = "",
     .fsName = "ramfs",
     .flags = kPosixNames},
    // The fixture has no folder at this mount point: its volume reads as not found.
    {.entry = "k: [/mnt/tab\\x09name\\dir]",
     .type = "ハードディスク",
     .label = "",
     .serial = "",
     .fsName = "",
     .flags = kNotFound},
    {.entry = "l: [/dev/sdd]",
     .type = "フロッピーディスク",
     .label = "",
     .serial = "",
     .fsName = "",
     .flags = kNotReady},
    {.entry = "m: [/dev/sr0]",
     .type = "ＣＤ－ＲＯＭ",
     .label = "",
     .serial = "",
     .fsName = "",
     .flags = kNotReady},
};

TEST(LinuxDrives, WorkstationListsItsDrivesInOrder) {
    LinuxPlatform platform(fixture("workstation-mixed-mounts"));
    platform.environment.workingDirectory = "/home/alice/src";
    const DriveList drives = platform.drives();
    std::vector<std::string> expected;
    for (const DriveRow& row : kWorkstation) expected.emplace_back(row.entry);
    EXPECT_EQ(drives.entries, expected);
    EXPECT_EQ(drives.selected, 1);  // /home holds the working directory
}

// Selects drive `index` of `machine` in the window and compares what the tab shows.
void expectDriveFacts(const char* machine, const std::vector<DriveRow>& rows, std::size_t index) {
    const DriveRow& row = rows.at(index);
    LinuxPlatform platform(fixture(machine));
    RecordingControls controls;
    fillDrive1(controls, platform);
    controls.setListIndex(Ctl::Drive1, static_cast<int>(index));
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Drive1), row.entry);
    EXPECT_EQ(controls.text(Ctl::Text18), row.type);
    EXPECT_EQ(controls.text(Ctl::Text19), row.label);
    EXPECT_EQ(controls.text(Ctl::Text20), row.serial);
    EXPECT_EQ(controls.text(Ctl::Text21), row.fsName);
    EXPECT_EQ(controls.items(Ctl::List4), row.flags);
    if (row.fsName.empty()) {
        EXPECT_EQ(controls.text(Ctl::Text15), "0");
        EXPECT_EQ(controls.text(Ctl::Text16), "0");
        EXPECT_EQ(controls.text(Ctl::Text22), "");
    }
}

class WorkstationDrive : public ::testing::TestWithParam<std::size_t> {};

TEST_P(WorkstationDrive, ShowsItsFacts) {
    expectDriveFacts("workstation-mixed-mounts", kWorkstation, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Drives, WorkstationDrive,
                         ::testing::Range<std::size_t>(0, kWorkstation.size()));

// The same disks on a Windows PC: the USB SSD is a hard disk, the stick and the SD card are
// removable, the FUSE-mounted partition is NTFS; the EFI partition has no letter.
const std::vector<DriveRow> kLaptop = {
    {.entry = "c: [/]",
     .type = "ハードディスク",
     .label = "",
     .serial = "8F3C9A2E",
     .fsName = "ext4",
     .flags = kPosixAcl},
    {.entry = "d: [/tank/data]",
     .type = "ハードディスク",
     .label = "",
     .serial = "",
     .fsName = "zfs",
     .flags = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "ＡＣＬ維持",
               "ファイル圧縮"}},
    {.entry = "e: [/media/alice/T7]",
     .type = "ハードディスク",
     .label = "T7",
     .serial = "64A5F009",
     .fsName = "exfat",
     .flags = kFat},
    {.entry = "f: [/media/alice/KEY\\x0ANEW]",
     .type = "フロッピーディスク",
     .label = "",
     .serial = "",
     .fsName = "",
     .flags = kNotFound},
    {.entry = "g: [/media/alice/SDCARD]",
     .type = "フロッピーディスク",
     .label = "SD\\x1BCARD",
     .serial = "39306E12",
     .fsName = "vfat",
     .flags = kFat},
    {.entry = "h: [/media/alice/DVD]",
     .type = "ＣＤ－ＲＯＭ",
     .label = "MOVIE DISC",
     .serial = "5A697887",
     .fsName = "udf",
     .flags = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "ＵＮＩＣＯＤＥ"}},
    {.entry = "i: [/mnt/nfs]",
     .type = "リモート",
     .label = "",
     .serial = "",
     .fsName = "nfs4",
     .flags = kNfs4},
    {.entry = "j: [/mnt/share]",
     .type = "リモート",
     .label = "",
     .serial = "",
     .fsName = "cifs",
     .flags = kCifs},
    {.entry = "k: [/media/alice/Windows]",
     .type = "ハードディスク",
     .label = "Windows",
     .serial = "C4E6F708",
     .fsName = "NTFS",
     .flags = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "ＵＮＩＣＯＤＥ",
               "ファイル圧縮", "ストリーム"}},
    {.entry = "l: [/mnt/scratch]",
     .type = "ＲＡＭディスク",
     .label = "",
     .serial = "",
     .fsName = "tmpfs",
     .flags = kPosixAcl},
    {.entry = "m: [/home/alice/vm]",
     .type = "リモート",
     .label = "",
     .serial = "",
     .fsName = "virtiofs",
     .flags = kPosixNames},
    {.entry = "n: [/home/alice/remote]",
     .type = "リモート",
     .label = "",
     .serial = "",
     .fsName = "fuse.sshfs",
     .flags = kPosixNames},
};

TEST(LinuxDrives, LaptopListsItsDrivesInOrder) {
    LinuxPlatform platform(fixture("laptop-removable-media"));
    std::vector<std::string> expected;
    for (const DriveRow& row : kLaptop) expected.emplace_back(row.entry);
    EXPECT_EQ(platform.drives().entries, expected);
}

class LaptopDrive : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LaptopDrive, ShowsItsFacts) {
    expectDriveFacts("laptop-removable-media", kLaptop, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Drives, LaptopDrive, ::testing::Range<std::size_t>(0, kLaptop.size()));

// A share's answer: ten blocks of 4 KiB, names of up to 255 bytes.
constexpr unsigned long kBlockBytes = 4096;
constexpr fsblkcnt_t kShareBlocks = 10;
constexpr unsigned long kShareNameMax = 255;
// How long a test waits for a helper thread's word before it fails rather than hangs.
constexpr int kLongWhileMs = 30'000;

TEST(LinuxDrives, AShareWhoseServerIsGoneReadsAsNotReadyAfterOneShortWait) {
    const testing::StalledServer server;
    LinuxPlatform platform(fixture("workstation-mixed-mounts"));
    // A clock the test moves: the late answer is shown well after its moment has passed.
    const testing::SteppedClock clock;
    platform.networkStat = linux_fs::NetworkStat(
        [server](const char*, struct statvfs* info) {
            server.hold();
            info->f_frsize = kBlockBytes;
            info->f_blocks = kShareBlocks;
            info->f_namemax = kShareNameMax;
            return 0;
        },
        platform.shareAnswerKeeping(clock.reading()));
    RecordingControls controls;
    fillDrive1(controls, platform);
    const auto share = std::ranges::find(kWorkstation, "g: [/mnt/nfs]", &DriveRow::entry);
    ASSERT_NE(share, kWorkstation.end());
    controls.setListIndex(Ctl::Drive1, static_cast<int>(share - kWorkstation.begin()));
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text18), "リモート");  // known from the mount table alone
    EXPECT_EQ(controls.text(Ctl::Text15), "0");
    EXPECT_EQ(controls.text(Ctl::Text16), "0");
    EXPECT_EQ(controls.text(Ctl::Text21), "");
    EXPECT_EQ(controls.items(Ctl::List4), kNotReady);
    // The first question waited; the tab's other questions found it unanswered and did not.
    EXPECT_EQ(server.callsOnceOneArrived(), 1);

    // When the server answers after all, the window is told, and the drive shown again gets
    // that answer without a second question.
    server.answer();
    pollfd told{.fd = platform.lateShareAnswers.descriptor(), .events = POLLIN, .revents = 0};
    ASSERT_EQ(::poll(&told, 1, kLongWhileMs), 1);
    clock.advance(2 * kKeptAnswerStands);
    platform.showLateAnswers([&](const LateNews&) { Drive1_Change(controls, platform); });
    EXPECT_EQ(controls.text(Ctl::Text16), "40,960");
    EXPECT_EQ(controls.text(Ctl::Text21), "nfs4");
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
    EXPECT_EQ(::poll(&told, 1, 0), 0) << "taken, so the descriptor is quiet again";
}

TEST(LinuxDrives, LetterWithoutDriveHasNoRootDirectory) {
    LinuxPlatform platform(fixture("workstation-mixed-mounts"));
    EXPECT_EQ(platform.getDriveType("y:\\"), drive_type::kNoRootDir);
    EXPECT_EQ(platform.getDriveType("\\"), drive_type::kNoRootDir);
    std::uint64_t available = 7;
    std::uint64_t total = 7;
    std::uint64_t totalFree = 7;
    EXPECT_EQ(platform.getDiskFreeSpaceEx("y:\\", available, total, totalFree), 0);
    EXPECT_EQ(platform.lastError(), 3u);
    EXPECT_EQ(total, 7u);  // untouched on failure
}

TEST(LinuxDrives, ManyMountsStopAtZ) {
    LinuxPlatform platform(fixture("many-mounts"));
    const DriveList drives = platform.drives();
    ASSERT_EQ(drives.entries.size(), 24u);
    EXPECT_EQ(drives.entries.front(), "c: [/]");
    EXPECT_EQ(drives.entries[1], "d: [/srv/disk01]");
    EXPECT_EQ(drives.entries.back(), "z: [/srv/disk23]");
    EXPECT_EQ(platform.getDriveType("C:\\"), drive_type::kFixed);  // a container's overlay root
}

// Twenty-two mounted drives take d: to y:: of two sticks nothing mounted, the first takes z:
// and the second is left without a letter.
TEST(LinuxDrives, AnUnmountedStickTakesTheLastLetterAndNoneComesPastIt) {
    const ScratchMachine machine;
    std::string table = kRootMountLine;
    for (int i = 1; i <= 22; ++i) {
        table += std::to_string(i + 1) + " 1 8:" + std::to_string(i + 1) + " / /srv/disk" +
                 std::to_string(i) + " rw - ext4 /dev/sda" + std::to_string(i + 1) + " rw\n";
    }
    machine.writeMountTable(table);
    machine.addDisk({.name = "sdy", .removable = true});
    machine.addDisk({.name = "sdz", .removable = true});

    LinuxPlatform platform(machine.root());
    const DriveList drives = platform.drives();
    ASSERT_EQ(drives.entries.size(), 24u);
    EXPECT_EQ(drives.entries[22], "y: [/srv/disk22]");
    EXPECT_EQ(drives.entries.back(), "z: [/dev/sdy]");
}

// An image-based system's "/" is a read-only overlay over an image of a few megabytes, none of
// them free: drive c: is the root file system the image is deployed from, at /sysroot. A
// container's overlay, with a layer to write to, is c: itself. /sysroot is never a drive.
TEST(LinuxDrives, AnImageBasedSystemsDriveCIsTheFileSystemItIsDeployedFrom) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "sysroot");
    std::filesystem::create_directories(machine.root() / "boot");
    const std::string deployed =
        "23 22 0:33 /root /sysroot ro - btrfs /dev/nvme0n1p3 ro,subvolid=256,subvol=/root\n"
        "88 22 259:2 / /boot rw - ext4 /dev/nvme0n1p2 rw\n";
    machine.writeMountTable(
        "22 1 0:30 / / ro - overlay composefs "
        "ro,lowerdir+=/run/cfs,datadir+=/sysroot/objects\n" +
        deployed);
    LinuxPlatform image(machine.root());
    EXPECT_EQ(image.drives().entries, (std::vector<std::string>{"c: [/]", "d: [/boot]"}));
    EXPECT_EQ(volumeOf(image, "c:\\"), std::make_tuple(1, "btrfs", 0u));

    machine.writeMountTable(
        "22 1 0:30 / / rw - overlay overlay rw,lowerdir=/l,upperdir=/u,workdir=/w\n" + deployed);
    LinuxPlatform container(machine.root());
    EXPECT_EQ(container.drives().entries, (std::vector<std::string>{"c: [/]", "d: [/boot]"}));
    EXPECT_EQ(volumeOf(container, "c:\\"), std::make_tuple(1, "overlay", 0u));
}

// A share mounted on demand goes once idle, leaving the automounter's trigger at its place. A
// drive chosen before the list caught up reads as gone: asking the trigger would mount the
// share again, and wait on a server that may be off.
TEST(LinuxDrives, AnAutomountTriggerLeftWhereAShareWasIsNoVolume) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "mnt/nas");
    machine.writeMountTable(kRootMountLine + "50 1 0:52 / /mnt/nas rw - nfs4 nas:/export rw\n");
    LinuxPlatform platform(machine.root());
    platform.networkStat = linux_fs::NetworkStat([](const char*, struct statvfs*) { return 0; },
                                                 platform.shareAnswerKeeping());
    ASSERT_EQ(platform.drives().entries, (std::vector<std::string>{"c: [/]", "d: [/mnt/nas]"}));
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    ASSERT_EQ(platform.getDiskFreeSpaceEx("d:\\", available, total, totalFree), 1);

    machine.writeMountTable(kRootMountLine +
                            "51 1 0:40 / /mnt/nas rw,relatime - autofs systemd-1 "
                            "rw,fd=51,pgrp=1,timeout=600,minproto=5,maxproto=5,direct\n");
    EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kNoRootDir);
    EXPECT_EQ(platform.getDiskFreeSpaceEx("d:\\", available, total, totalFree), 0);
    EXPECT_EQ(platform.lastError(), 3u);
}

// A disk a program serves (ntfs-3g, exfat-fuse) answers only as the program does: one stuck on
// a failing disk would hold the window. Its space is asked with a deadline, as a share's is,
// and neither its mount point nor the volume is asked anything else directly.
TEST(LinuxDrives, ADiskAProgramServesIsAskedWithADeadline) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "media/u/DISK");
    machine.writeMountTable(kRootMountLine +
                            "60 1 8:17 / /media/u/DISK rw,nosuid - fuseblk /dev/sdb1 "
                            "rw,user_id=0,group_id=0,allow_other,blksize=4096\n");
    LinuxPlatform platform(machine.root());
    std::vector<std::string> asked;
    std::mutex askedLock;
    platform.networkStat = linux_fs::NetworkStat(
        [&asked, &askedLock](const char* path, struct statvfs* info) {
            const std::lock_guard hold(askedLock);
            asked.emplace_back(path);
            info->f_frsize = kBlockBytes;
            info->f_blocks = kShareBlocks;
            info->f_bfree = kShareBlocks;
            info->f_bavail = kShareBlocks;
            return 0;
        },
        platform.shareAnswerKeeping());
    ASSERT_EQ(platform.drives().entries,
              (std::vector<std::string>{"c: [/]", "d: [/media/u/DISK]"}));
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    ASSERT_EQ(platform.getDiskFreeSpaceEx("d:\\", available, total, totalFree), 1);
    EXPECT_EQ(total, kBlockBytes * kShareBlocks);
    const std::lock_guard hold(askedLock);
    EXPECT_EQ(asked, std::vector<std::string>{(machine.root() / "media/u/DISK").string()});
}

// The window's toolkit sets the user's locale, and the Turkish one lowers "I" to itself: a root
// given in upper case must still name its drive there. The locale is made for the test from
// the machine's locale sources, where they are installed.
TEST(LinuxDrives, UpperCaseRootsNameTheirDrivesUnderTheTurkishLocale) {
    const testing::ScratchMachine locales;
    const std::string make = "localedef -i tr_TR -f UTF-8 '" +
                             (locales.root() / "tr_TR.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "no tr_TR locale source";
    const testing::ScopedVariable localePath("LOCPATH", locales.root().c_str());
    const bool turkish = std::setlocale(LC_CTYPE, "tr_TR.UTF-8") != nullptr;
    LinuxPlatform platform(fixture("many-mounts"));
    if (turkish) {
        const int lowered = std::tolower('I');
        EXPECT_EQ(lowered, int{'I'}) << lowered;  // the locale the window can run in
        EXPECT_EQ(platform.getDriveType("I:\\"), drive_type::kFixed);
        EXPECT_EQ(platform.getDriveType("i:\\"), drive_type::kFixed);
    }
    std::setlocale(LC_CTYPE, "C");
    if (!turkish) GTEST_SKIP() << "tr_TR.UTF-8 could not be made";
}

TEST(LinuxDrives, BareRootHasOnlyC) {
    LinuxPlatform platform(fixture("no-such-machine"));
    const DriveList drives = platform.drives();
    EXPECT_EQ(drives.entries, std::vector<std::string>{"c: [/]"});
    EXPECT_EQ(drives.selected, 0);
    // Nothing to read there: zeros and the path-not-found code, no crash.
    RecordingControls controls;
    controls.setDrives(drives.entries, drives.selected);
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text16), "0");
    EXPECT_EQ(controls.text(Ctl::Text18), "ハードディスク");
    EXPECT_EQ(controls.items(Ctl::List4), std::vector<std::string>{"(3)属性は取得できません。"});
}

// Letters keep the drive they were given: a mount that goes away leaves its letter without a
// root directory, and a disc put in later is read through the drive's own letter.
TEST(LinuxDrives, LettersFollowTheMountTableAfterTheListIsBuilt) {
    const ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    machine.addDisk({.name = "sr0", .removable = true});
    std::filesystem::create_directories(root / "media/disc");
    machine.writeMountTable(
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "2 1 8:17 / /mnt/usb rw - vfat /dev/sdb1 rw\n");

    LinuxPlatform platform(root);
    EXPECT_EQ(platform.drives().entries,
              (std::vector<std::string>{"c: [/]", "d: [/mnt/usb]", "e: [/dev/sr0]"}));
    EXPECT_EQ(platform.getDriveType("e:\\"), drive_type::kCdRom);
    EXPECT_EQ(volumeOf(platform, "e:\\"), std::make_tuple(0, "", 21u));

    machine.writeMountTable(
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "3 1 11:0 / /media/disc ro - iso9660 /dev/sr0 ro\n");
    EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kNoRootDir);
    EXPECT_EQ(volumeOf(platform, "d:\\"), std::make_tuple(0, "", 3u));
    EXPECT_EQ(platform.getDriveType("e:\\"), drive_type::kCdRom);
    EXPECT_EQ(volumeOf(platform, "e:\\"), std::make_tuple(1, "iso9660", 0u));
}

// A container sees the host's disks in sysfs but holds device nodes only for those it was given:
// a disc drive or stick of the host, mounted there or not, is no drive of the container's.
TEST(LinuxDrives, AHostsDiskWithoutADeviceNodeIsNoDrive) {
    const ScratchMachine machine;
    machine.writeMountTable(kRootMountLine);
    machine.addDisk({.name = "sr0", .removable = true});
    machine.addDisk({.name = "sdb", .removable = true});
    std::filesystem::remove(machine.root() / "dev/sdb");
    EXPECT_EQ(LinuxPlatform(machine.root()).drives().entries,
              (std::vector<std::string>{"c: [/]", "d: [/dev/sr0]"}));
}

// Disks nothing has mounted: a disc drive, a USB stick and a card in a built-in reader (which has
// no removable bit) are drives; the built-in eMMC, a loop device and a fixed disk are not.
TEST(LinuxDrives, UnmountedCardsSticksAndDiscsAreDrivesAndFixedDisksAreNot) {
    const ScratchMachine machine;
    machine.writeMountTable(kRootMountLine);
    machine.addDisk({.name = "sda"});
    machine.addDisk({.name = "sdb", .removable = true, .partitions = {"sdb1"}});
    machine.addDisk({.name = "sr0", .removable = true});
    machine.addDisk({.name = "loop0"});
    machine.addDisk({.name = "mmcblk0", .cardType = "MMC"});
    machine.addDisk({.name = "mmcblk1", .cardType = "SD"});

    LinuxPlatform platform(machine.root());
    EXPECT_EQ(platform.drives().entries,
              (std::vector<std::string>{"c: [/]", "d: [/dev/mmcblk1]", "e: [/dev/sdb]",
                                        "f: [/dev/sr0]"}));

    // The stick's partition is mounted later: its drive reads the file system on it, and the
    // card's drive, mounted nowhere, is still not ready.
    std::filesystem::create_directories(machine.root() / "media/stick");
    machine.writeMountTable(
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "2 1 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n");
    EXPECT_EQ(volumeOf(platform, "e:\\"), std::make_tuple(1, "vfat", 0u));
    EXPECT_EQ(volumeOf(platform, "d:\\"), std::make_tuple(0, "", 21u));

    // The card is taken out: nothing was mounted from it, so the mount table does not change
    // and its letter stays listed, with no drive behind it now, not a hard disk.
    EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kRemovable);
    for (const char* link : {"sys/block/mmcblk1", "sys/class/block/mmcblk1"}) {
        std::filesystem::remove(machine.root() / link);
    }
    EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kNoRootDir);
    EXPECT_EQ(volumeOf(platform, "d:\\"), std::make_tuple(0, "", 3u));
}

// Devices built on partitions: an encrypted stick the desktop opened is mounted from its
// mapped device, so it is one drive (not also an empty one for the stick) and as removable as
// the stick; a logical volume on the fixed disk stays fixed.
TEST(LinuxDrives, OpenedEncryptedStickIsOneRemovableDrive) {
    const ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    machine.writeMountTable(
        "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "2 1 254:0 / /home rw - ext4 /dev/mapper/vg-home rw\n"
        "3 1 254:1 / /media/alice/SECRET rw - ext4 /dev/mapper/luks-5f1e rw\n");
    machine.addDisk({.name = "sda", .partitions = {"sda2", "sda3"}, .sectors = 1000});
    machine.addDisk({.name = "sdb", .removable = true, .partitions = {"sdb1"}, .sectors = 1000});
    machine.addDisk({.name = "dm-0", .sectors = 900, .builtOn = {"sda3"}});
    machine.addDisk({.name = "dm-1", .sectors = 900, .builtOn = {"sdb1"}});
    std::filesystem::create_directories(root / "dev/mapper");
    std::filesystem::create_symlink("../dm-0", root / "dev/mapper/vg-home");
    std::filesystem::create_symlink("../dm-1", root / "dev/mapper/luks-5f1e");

    LinuxPlatform platform(root);
    EXPECT_EQ(platform.drives().entries,
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/media/alice/SECRET]"}));
    EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kFixed);
    EXPECT_EQ(platform.getDriveType("e:\\"), drive_type::kRemovable);
}

// The sticks sdb and sdc and their partitions, numbered as sysfs numbers them.
const std::pair<std::string, std::string> kStickNumbers[] = {
    {"sdb", "8:16"}, {"sdb1", "8:17"}, {"sdc", "8:32"}, {"sdc1", "8:33"}};

// Devices built on two sticks, mounted: a logical volume spanning both, and a partition of an
// array made of them. Each is one removable drive, with no empty drive left for either stick.
TEST(LinuxDrives, DevicesSpanningTwoSticksAreOneRemovableDrive) {
    const struct {
        std::string_view mountLine;
        ScratchDisk stacked;
        // The stacked device and its partition, numbered as the mount line numbers them.
        std::vector<std::pair<std::string, std::string>> numbers;
    } cases[] = {
        {"2 1 254:0 / /media/alice/POOL rw - ext4 /dev/dm-0 rw\n",
         {.name = "dm-0", .sectors = 1800, .builtOn = {"sdb1", "sdc1"}},
         {{"dm-0", "254:0"}}},
        {"2 1 259:1 / /media/alice/POOL rw - ext4 /dev/md0p1 rw\n",
         {.name = "md0", .partitions = {"md0p1"}, .sectors = 900, .builtOn = {"sdb1", "sdc1"}},
         {{"md0", "9:0"}, {"md0p1", "259:1"}}},
    };
    // Found by the device's name where sysfs gives no numbers, else by the mount's number.
    for (const bool numbered : {false, true}) {
        for (const auto& [mountLine, stacked, numbers] : cases) {
            const ScratchMachine machine;
            machine.writeMountTable("1 0 8:2 / / rw - ext4 /dev/sda2 rw\n" +
                                    std::string(mountLine));
            machine.addDisk({.name = "sda", .partitions = {"sda2"}, .sectors = 1000});
            machine.addDisk(
                {.name = "sdb", .removable = true, .partitions = {"sdb1"}, .sectors = 1000});
            machine.addDisk(
                {.name = "sdc", .removable = true, .partitions = {"sdc1"}, .sectors = 1000});
            machine.addDisk(stacked);
            if (numbered) {
                for (const auto& [name, number] : kStickNumbers) machine.numberDevice(name, number);
                for (const auto& [name, number] : numbers) machine.numberDevice(name, number);
            }

            LinuxPlatform platform(machine.root());
            EXPECT_EQ(platform.drives().entries,
                      (std::vector<std::string>{"c: [/]", "d: [/media/alice/POOL]"}))
                << stacked.name << (numbered ? ", numbered" : "");
            EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kRemovable) << stacked.name;
        }
    }
}

// btrfs numbers each mount apart from its device (0:N), as FUSE does: a stick holding it is
// still known mounted by the mount's source, though sysfs numbers the stick; the other stick,
// mounted nowhere, is an empty drive.
TEST(LinuxDrives, AStickWhoseFileSystemHasANumberOfItsOwnIsFoundByItsSource) {
    for (const std::string fileSystem : {"btrfs", "fuseblk"}) {
        const ScratchMachine machine;
        machine.writeMountTable(kRootMountLine + "2 1 0:45 / /media/alice/STICK rw - " +
                                fileSystem + " /dev/sdb1 rw\n");
        for (const char* stick : {"sdb", "sdc"}) {
            machine.addDisk({.name = stick,
                             .removable = true,
                             .partitions = {std::string(stick) + "1"},
                             .sectors = 1000});
        }
        for (const auto& [name, number] : kStickNumbers) machine.numberDevice(name, number);

        LinuxPlatform platform(machine.root());
        EXPECT_EQ(platform.drives().entries,
                  (std::vector<std::string>{"c: [/]", "d: [/media/alice/STICK]", "e: [/dev/sdc]"}))
            << fileSystem;
        EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kRemovable) << fileSystem;
    }
}

// A logical volume spanning a stick and the fixed disk stays put with the disk: a fixed drive,
// and the stick under it no empty drive of its own.
TEST(LinuxDrives, AVolumeSpanningAStickAndAFixedDiskIsFixed) {
    const ScratchMachine machine;
    machine.writeMountTable(
        "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "2 1 254:0 / /srv/pool rw - ext4 /dev/dm-0 rw\n");
    machine.addDisk({.name = "sda", .partitions = {"sda2", "sda3"}, .sectors = 1000});
    machine.addDisk({.name = "sdb", .removable = true, .partitions = {"sdb1"}, .sectors = 1000});
    machine.addDisk({.name = "dm-0", .sectors = 1800, .builtOn = {"sda3", "sdb1"}});

    LinuxPlatform platform(machine.root());
    EXPECT_EQ(platform.drives().entries, (std::vector<std::string>{"c: [/]", "d: [/srv/pool]"}));
    EXPECT_EQ(platform.getDriveType("d:\\"), drive_type::kFixed);
}

// A root the kernel mounted itself is "/dev/root", a node no /dev holds (a board booted
// without an initial ramdisk). Its device is found by number: on a card, so removable, and
// with udev's data for it.
TEST(LinuxDrives, RootTheKernelMountedIsFoundByItsNumber) {
    const ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    machine.writeMountTable("1 0 179:2 / / rw - ext4 /dev/root rw\n");
    machine.addDisk({.name = "mmcblk0",
                     .cardType = "SD",
                     .partitions = {"mmcblk0p1", "mmcblk0p2"},
                     .sectors = 1000});
    machine.numberDevice("mmcblk0p2", "179:2");
    std::filesystem::create_directories(root / "run/udev/data");
    std::ofstream(root / "run/udev/data/b179:2")
        << "E:ID_FS_UUID=3857a514-6c1e-4a9b-8d2e-0f1e2d3c4b5a\nE:ID_FS_TYPE=ext4\n";

    LinuxPlatform platform(root);
    EXPECT_EQ(platform.drives().entries, std::vector<std::string>{"c: [/]"});
    EXPECT_EQ(platform.getDriveType("c:\\"), drive_type::kRemovable);
    const VolumeReading volume = readVolume(platform, "c:\\");
    ASSERT_EQ(volume.result, 1);
    EXPECT_EQ(volume.serial, 0x3857A514u);
}

// Single files a container has bound in from the host's disk (its etc/hosts) are not drives;
// a folder bound in is.
TEST(LinuxDrives, FilesBoundIntoAContainerAreNotDrives) {
    const ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    std::filesystem::create_directories(root / "etc");
    std::filesystem::create_directories(root / "data");
    for (const char* file : {"etc/hosts", "etc/resolv.conf"}) std::ofstream(root / file) << "\n";
    machine.writeMountTable(
        "1 0 0:50 / / rw - overlay overlay rw\n"
        "2 1 8:1 /var/lib/containers/3f/hosts /etc/hosts rw - ext4 /dev/sda1 rw\n"
        "3 1 8:1 /var/lib/containers/3f/resolv.conf /etc/resolv.conf rw - ext4 /dev/sda1 rw\n"
        "4 1 8:1 /srv/data /data rw - ext4 /dev/sda1 rw\n");

    LinuxPlatform platform(root);
    EXPECT_EQ(platform.drives().entries, (std::vector<std::string>{"c: [/]", "d: [/data]"}));
}

// The kind of a drive comes from its device before its file system: an installer written to a
// stick is removable, a disc image opened through a loop device is a disc, a ram device is a
// RAM disk.
TEST(LinuxDrives, DeviceDecidesTheKindBeforeTheFileSystem) {
    const BlockDevice stick{.name = "sdb1", .disk = "sdb", .removable = true};
    const BlockDevice card{.name = "mmcblk0p1", .disk = "mmcblk0", .sdCard = true};
    const BlockDevice loop{.name = "loop3", .disk = "loop3"};
    const BlockDevice disc{.name = "sr0", .disk = "sr0", .optical = true};
    const ScratchMachine machine;
    machine.addDisk({.name = "ram0", .sectors = 131072});
    const BlockDevice ram = linux_fs::describeBlockDevice(machine.root(), "ram0");
    // A compressed RAM disk, as some systems format for /tmp.
    machine.addDisk({.name = "zram1", .sectors = 1048576});
    const BlockDevice zram = linux_fs::describeBlockDevice(machine.root(), "zram1");
    EXPECT_EQ(linux_fs::driveTypeOf("iso9660", &stick), drive_type::kRemovable);
    EXPECT_EQ(linux_fs::driveTypeOf("udf", &card), drive_type::kRemovable);
    EXPECT_EQ(linux_fs::driveTypeOf("iso9660", &loop), drive_type::kCdRom);
    EXPECT_EQ(linux_fs::driveTypeOf("udf", &loop), drive_type::kCdRom);  // a DVD's image
    EXPECT_EQ(linux_fs::driveTypeOf("udf", &disc), drive_type::kCdRom);
    EXPECT_EQ(linux_fs::driveTypeOf("iso9660", nullptr), drive_type::kCdRom);
    EXPECT_EQ(linux_fs::driveTypeOf("ext2", &ram), drive_type::kRamDisk);
    EXPECT_EQ(linux_fs::driveTypeOf("ext4", &zram), drive_type::kRamDisk);
}

// The drive list of a window open on a scratch machine, started from "/".
struct OpenDriveList {
    explicit OpenDriveList(const ScratchMachine& machine) : platform(machine.root()) {
        platform.environment.workingDirectory = "/";
        shown = fillDrive1(controls, platform);
    }
    // The user picks the entry at `index`, and its facts are shown.
    void choose(int index) {
        controls.setListIndex(Ctl::Drive1, index);
        Drive1_Change(controls, platform);
    }
    // The mount table changed under the window.
    void refresh() { shown = refreshDrive1(controls, platform, shown); }
    std::string chosen() const { return controls.text(Ctl::Drive1); }

    LinuxPlatform platform;
    RecordingControls controls;
    DriveList shown;
};

// A window left open while the machine's mounts change: the list follows, and the user's
// drive stays selected while it exists, even when its letter moves.
TEST(LinuxDrives, ListFollowsTheMountTableUnderAnOpenWindow) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "mnt/b");
    const std::string homeLine = "2 1 8:2 / /home rw - ext4 /dev/sda2 rw\n";
    const std::string bLine = "3 1 8:3 / /mnt/b rw - ext4 /dev/sda3 rw\n";
    const std::string stickLine = "4 1 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n";
    machine.writeMountTable(kRootMountLine + homeLine + bLine);

    OpenDriveList window(machine);
    RecordingControls& controls = window.controls;
    window.choose(2);
    EXPECT_EQ(controls.text(Ctl::Text21), "ext4");

    // A stick appears: the selection stays, and nothing is asked again.
    machine.writeMountTable(kRootMountLine + homeLine + bLine + stickLine);
    controls.setText(Ctl::Text21, "unchanged");
    window.refresh();
    EXPECT_EQ(
        controls.items(Ctl::Drive1),
        (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/mnt/b]", "f: [/media/stick]"}));
    EXPECT_EQ(window.chosen(), "e: [/mnt/b]");
    EXPECT_EQ(controls.text(Ctl::Text21), "unchanged");

    // /home goes: /mnt/b moves to d: and stays the selected drive, shown again.
    machine.writeMountTable(kRootMountLine + bLine + stickLine);
    window.refresh();
    EXPECT_EQ(window.chosen(), "d: [/mnt/b]");
    EXPECT_EQ(controls.text(Ctl::Text21), "ext4");

    // The selected drive itself goes: the current drive is selected and its facts shown.
    machine.writeMountTable(kRootMountLine + stickLine);
    controls.setText(Ctl::Text18, "");
    window.refresh();
    EXPECT_EQ(window.chosen(), "c: [/]");
    EXPECT_EQ(controls.text(Ctl::Text18), "ハードディスク");
}

// Another volume under the chosen drive's unchanged entry: mounted over it, in its place in one
// change of the table, or uncovered when the one over it goes. Its facts are read again.
TEST(LinuxDrives, AnotherVolumeUnderTheChosenEntryIsReadAgain) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "media/stick");
    const std::string alphaLine = "2 1 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n";
    const std::string bravoLine = "2 1 8:17 / /media/stick rw - exfat /dev/sdb1 rw\n";
    const std::string overLine = "3 2 0:41 / /media/stick rw - tmpfs tmpfs rw,size=4k\n";
    machine.writeMountTable(kRootMountLine + alphaLine);

    OpenDriveList window(machine);
    RecordingControls& controls = window.controls;
    window.choose(1);
    ASSERT_EQ(window.chosen(), "d: [/media/stick]");
    EXPECT_EQ(controls.text(Ctl::Text21), "vfat");

    machine.writeMountTable(kRootMountLine + bravoLine);
    window.refresh();
    EXPECT_EQ(controls.text(Ctl::Text21), "exfat") << "another stick in the same place";

    machine.writeMountTable(kRootMountLine + bravoLine + overLine);
    window.refresh();
    EXPECT_EQ(controls.text(Ctl::Text21), "tmpfs") << "a volume mounted over it";

    machine.writeMountTable(kRootMountLine + bravoLine);
    window.refresh();
    EXPECT_EQ(controls.text(Ctl::Text21), "exfat") << "the volume beneath uncovered";

    // The same volume in an unchanged table is not asked again.
    controls.setText(Ctl::Text21, "unchanged");
    window.refresh();
    EXPECT_EQ(controls.text(Ctl::Text21), "unchanged");
}

// A disc put into the drive the user is looking at, and taken out again: the drive moves to
// the mounts' letters and back, shown by its disc's place and then by its device, and stays
// chosen throughout.
TEST(LinuxDrives, ChosenDriveStaysChosenAsItsMediumComesAndGoes) {
    const ScratchMachine machine;
    machine.addDisk({.name = "sr0", .removable = true});
    std::filesystem::create_directories(machine.root() / "media/disc");
    const std::string homeLine = "2 1 8:2 / /home rw - ext4 /dev/sda2 rw\n";
    machine.writeMountTable(kRootMountLine + homeLine);

    OpenDriveList window(machine);
    RecordingControls& controls = window.controls;
    window.choose(2);
    ASSERT_EQ(window.chosen(), "e: [/dev/sr0]");

    // Mounted, the disc comes before the devices without a medium, and takes /home's letter
    // once /home goes.
    machine.writeMountTable(kRootMountLine + "3 1 11:0 / /media/disc ro - iso9660 /dev/sr0 ro\n");
    window.refresh();
    EXPECT_EQ(window.chosen(), "d: [/media/disc]");
    EXPECT_EQ(controls.text(Ctl::Text21), "iso9660");

    machine.writeMountTable(kRootMountLine + homeLine);
    controls.setText(Ctl::Text21, "");
    window.refresh();
    EXPECT_EQ(window.chosen(), "e: [/dev/sr0]");
    EXPECT_EQ(controls.text(Ctl::Text18), "ＣＤ－ＲＯＭ");
}

// A stick with two file systems shares its identity between them: when the chosen one alone
// is unmounted, the other is no stand-in for it, and the current drive is shown.
TEST(LinuxDrives, OneOfTwoFileSystemsOnAStickGoneLeavesTheOtherUnchosen) {
    const ScratchMachine machine;
    machine.addDisk({.name = "sdb", .removable = true, .partitions = {"sdb1", "sdb2"}});
    const std::string aLine = "2 1 8:17 / /media/A rw - vfat /dev/sdb1 rw\n";
    machine.writeMountTable(kRootMountLine + aLine +
                            "3 1 8:18 / /media/B rw - ext4 /dev/sdb2 rw\n");

    OpenDriveList window(machine);
    RecordingControls& controls = window.controls;
    window.choose(2);
    ASSERT_EQ(window.chosen(), "e: [/media/B]");

    machine.writeMountTable(kRootMountLine + aLine);
    window.refresh();
    EXPECT_EQ(window.chosen(), "c: [/]");
    EXPECT_EQ(controls.text(Ctl::Text21), "ext4");
}

// Whether `fd` has something to read now, without waiting.
bool readable(int fd) {
    pollfd watched{.fd = fd, .events = POLLIN, .revents = 0};
    return ::poll(&watched, 1, 0) == 1 && (watched.revents & POLLIN) != 0;
}

// A stick nothing mounts changes no mount table: its node coming and going under dev/ is what
// wakes the window, and the list then follows.
TEST(LinuxDrives, DeviceWatchWakesForAStickNothingMounts) {
    const ScratchMachine machine;
    machine.writeMountTable(kRootMountLine);
    std::filesystem::create_directories(machine.root() / "dev");
    const linux_fs::DeviceWatch devices(machine.root());
    ASSERT_GE(devices.descriptor(), 0);
    OpenDriveList window(machine);
    EXPECT_FALSE(readable(devices.descriptor()));

    machine.addDisk({.name = "sdb", .removable = true, .partitions = {"sdb1"}, .sectors = 100});
    std::ofstream(machine.root() / "dev/sdb");
    ASSERT_TRUE(readable(devices.descriptor()));
    devices.drain();
    EXPECT_FALSE(readable(devices.descriptor()));
    window.refresh();
    EXPECT_EQ(window.controls.items(Ctl::Drive1),
              (std::vector<std::string>{"c: [/]", "d: [/dev/sdb]"}));

    std::filesystem::remove(machine.root() / "dev/sdb");
    EXPECT_TRUE(readable(devices.descriptor()));
    // A machine without dev/ (a bare tree) is simply not watched.
    EXPECT_EQ(linux_fs::DeviceWatch(machine.root() / "nowhere").descriptor(), -1);
}

}  // namespace
}  // namespace zarnel
