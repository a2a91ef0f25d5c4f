// Volume facts of the Linux provider: flags, serials, labels, error codes, user folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fscrypt.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "platform/linux/linux_platform.h"
#include "platform/linux/mount_table.h"
#include "platform/linux/udev_data.h"
#include "platform/linux/user_dirs.h"
#include "platform/linux/visible_text.h"
#include "platform/linux/volume_facts.h"
#include "platform/linux/volume_flags.h"
#include "platform/linux/volume_ids.h"
#include "platform/linux/volume_label.h"
#include "platform/linux/win32_errno.h"
#include "platform/platform.h"
#include "tests/support/private_mounts.h"
#include "tests/support/scratch_machine.h"

namespace zarnel::linux_fs {
namespace {

using namespace volume_flag;

struct FlagsRow {
    std::string_view name;
    std::string_view fsType;
    std::string_view options;
    std::uint32_t flags;
};

class VolumeFlags : public ::testing::TestWithParam<FlagsRow> {};

TEST_P(VolumeFlags, FollowTypeAndOptions) {
    EXPECT_EQ(volumeFlags(GetParam().fsType, GetParam().options), GetParam().flags);
}

constexpr std::uint32_t kPosix = kCasePreservedNames | kCaseSensitiveSearch;

INSTANTIATE_TEST_SUITE_P(
    FileSystems, VolumeFlags,
    ::testing::Values(
        FlagsRow{"Ext4", "ext4", "rw,relatime,rw,errors=remount-ro",
                 kPosix | kPersistentAcls | kSupportsEncryption},
        FlagsRow{"Ext4Quota", "ext4", "rw,rw,usrjquota=aquota.user,jqfmt=vfsv0",
                 kPosix | kPersistentAcls | kSupportsEncryption | kVolumeQuotas},
        FlagsRow{"Ext4NoAcl", "ext4", "rw,noacl", kPosix | kSupportsEncryption},
        FlagsRow{"Vfat", "vfat", "rw,fmask=0077,utf8", kCasePreservedNames | kUnicodeOnDisk},
        FlagsRow{"BtrfsCompressed", "btrfs", "rw,relatime,compress=zstd:3,ssd",
                 kPosix | kPersistentAcls | kFileCompression | kVolumeIsCompressed},
        FlagsRow{"BtrfsForced", "btrfs", "rw,compress-force=lzo",
                 kPosix | kPersistentAcls | kFileCompression | kVolumeIsCompressed},
        FlagsRow{"BtrfsPlain", "btrfs", "rw,ssd", kPosix | kPersistentAcls | kFileCompression},
        FlagsRow{"XfsQuotas", "xfs", "rw,attr2,inode64,usrquota,prjquota",
                 kPosix | kPersistentAcls | kVolumeQuotas},
        FlagsRow{"Nfs4", "nfs4", "rw,vers=4.2", kPosix | kUnicodeOnDisk | kPersistentAcls},
        FlagsRow{"Cifs", "cifs", "rw,vers=3.1.1",
                 kCasePreservedNames | kUnicodeOnDisk | kNamedStreams},
        FlagsRow{"CifsAcl", "cifs", "rw,cifsacl",
                 kCasePreservedNames | kUnicodeOnDisk | kNamedStreams | kPersistentAcls},
        FlagsRow{"Smb3", "smb3", "rw,vers=3.1.1",
                 kCasePreservedNames | kUnicodeOnDisk | kNamedStreams},
        // The kernel's own NTFS driver, which mounts a Windows partition on today's desktops.
        FlagsRow{"Ntfs3", "ntfs3", "rw,relatime,uid=1000,iocharset=utf8",
                 kPosix | kUnicodeOnDisk | kFileCompression | kNamedStreams},
        FlagsRow{"Ntfs3Acl", "ntfs3", "rw,acl",
                 kPosix | kUnicodeOnDisk | kFileCompression | kNamedStreams | kPersistentAcls},
        FlagsRow{"F2fs", "f2fs", "rw,lazytime",
                 kPosix | kPersistentAcls | kSupportsEncryption | kFileCompression},
        FlagsRow{"Tmpfs", "tmpfs", "rw,nosuid,size=8g", kPosix | kPersistentAcls},
        FlagsRow{"ReadOnlyIso", "iso9660", "ro,relatime,ro,nojoliet",
                 kPosix | kUnicodeOnDisk | kReadOnlyVolume},
        // A successful answer is never 0 (read as a failure) though none of the listed ones holds.
        FlagsRow{"Msdos", "msdos", "rw", kPosixUnlinkRename},
        FlagsRow{"HfsPlus", "hfsplus", "rw,nls=utf8", kCasePreservedNames | kUnicodeOnDisk},
        FlagsRow{"Hfs", "hfs", "rw", kCasePreservedNames},
        // A Windows drive in WSL: through WSL 1's own file system, and over 9p in WSL 2, where
        // the share's options are joined by semicolons.
        FlagsRow{"WslOneDrive", "drvfs", "rw,noatime,uid=1000,case=off",
                 kCasePreservedNames | kUnicodeOnDisk},
        FlagsRow{"WslTwoDrive", "9p",
                 "rw,dirsync,aname=drvfs;path=C:\\;uid=1000;symlinkroot=/mnt/,mmap,trans=fd",
                 kCasePreservedNames | kUnicodeOnDisk},
        FlagsRow{"OtherNinePShare", "9p", "rw,aname=drivers,trans=fd", kPosix},
        FlagsRow{"Unknown", "overlay", "rw,lowerdir=/a", kPosix},
        // An option that only looks like one of ours changes nothing.
        FlagsRow{"NotAnOption", "ext4", "rw,noquota,romantic",
                 kPosix | kPersistentAcls | kSupportsEncryption}),
    [](const auto& row) { return std::string(row.param.name); });

struct SerialRow {
    std::string_view uuid;
    std::uint32_t serial;
};

class UuidSerial : public ::testing::TestWithParam<SerialRow> {};

TEST_P(UuidSerial, FollowsTheFileSystemsForm) {
    EXPECT_EQ(serialFromUuid(GetParam().uuid), GetParam().serial);
}

INSTANTIATE_TEST_SUITE_P(
    Uuids, UuidSerial,
    ::testing::Values(SerialRow{"1A2B-3C4D", 0x1A2B3C4D}, SerialRow{"f00d-cafe", 0xF00DCAFE},
                      SerialRow{"01D3A5B2C4E6F708", 0xC4E6F708},
                      SerialRow{"0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d", 0x0A1B2C3D},
                      SerialRow{"2023-05-10-12-34-56-00", 0x20230510}, SerialRow{"", 0},
                      SerialRow{"1234", 0}, SerialRow{"zzzz-zzzz", 0},
                      SerialRow{"12345678-", 0x12345678}, SerialRow{"1234567g", 0},
                      // Longer than an NTFS serial: its first eight digits, not its last.
                      SerialRow{"12345678901234567890", 0x12345678},
                      // A letter past f before eight digits makes it no hex serial at all.
                      SerialRow{"Xm3Ye1-aBcD-eF12", 0}));

// What the kernel gives as the longest name: characters for most file systems, bytes of its
// widest character set for FAT and exFAT (a USB stick's or an SD card's).
TEST(VolumeFacts, LongestNameIsCountedInCharacters) {
    EXPECT_EQ(linux_fs::maximumComponentLength("vfat", 1530), 255U);
    EXPECT_EQ(linux_fs::maximumComponentLength("exfat", 1530), 255U);
    EXPECT_EQ(linux_fs::maximumComponentLength("msdos", 72), 12U);
    EXPECT_EQ(linux_fs::maximumComponentLength("ext4", 255), 255U);
    EXPECT_EQ(linux_fs::maximumComponentLength("udf", 254), 254U);
}

TEST(VolumeIds, UdevEscapesDecode) {
    EXPECT_EQ(decodeUdevEscapes("USB\\x20STICK"), "USB STICK");
    EXPECT_EQ(decodeUdevEscapes("a\\x2fb"), "a/b");
    EXPECT_EQ(decodeUdevEscapes("plain"), "plain");
    EXPECT_EQ(decodeUdevEscapes("cut\\x2"), "cut\\x2");
    EXPECT_EQ(decodeUdevEscapes("bad\\xzz"), "bad\\xzz");
}

TEST(UdevData, ReadsTheVolumeProperties) {
    const UdevVolume volume = parseUdevData(
        "S:disk/by-uuid/64A5-F009\n"
        "I:18446744\n"
        "E:ID_FS_LABEL=My_Disk\n"
        "E:ID_FS_LABEL_ENC=My\\x20Disk\n"
        "E:ID_FS_UUID=64A5-F009\n"
        "E:ID_FS_UUID_ENC=64A5-F009\n"
        "E:ID_FS_TYPE=exfat\n"
        "E:ID_PART_ENTRY_TYPE=0x7\n"
        "E:broken line\n"
        "G:systemd\n");
    EXPECT_EQ(volume.label, "My Disk");
    EXPECT_EQ(volume.uuid, "64A5-F009");
    EXPECT_EQ(volume.fsType, "exfat");
    EXPECT_EQ(volume.partitionType, "0x7");
    const UdevVolume nothing = parseUdevData("E:ID_FS_LABEL=x\nS:disk/by-label/x\n");
    EXPECT_EQ(nothing.label, "");
    EXPECT_EQ(nothing.fsType, "");
}

TEST(ShownFileSystem, FuseBlockMountsShowWhatIsOnTheDisk) {
    EXPECT_EQ(shownFileSystem("fuseblk", "ntfs").name, "NTFS");
    EXPECT_EQ(shownFileSystem("fuseblk", "ntfs").flagsType, "ntfs");
    EXPECT_EQ(shownFileSystem("fuseblk", "exfat").name, "exFAT");
    EXPECT_EQ(shownFileSystem("fuseblk", "vfat").name, "vfat");
    EXPECT_EQ(shownFileSystem("fuseblk", "").name, "fuseblk");
    // The kernel's own drivers keep their type, whatever udev probed.
    EXPECT_EQ(shownFileSystem("ntfs3", "ntfs").name, "ntfs3");
    EXPECT_EQ(shownFileSystem("ext4", "ext4").flagsType, "ext4");
}

TEST(VisibleText, ControlCharactersBecomeEscapes) {
    EXPECT_EQ(visibleText(std::string_view("a\nb\rc\x1b[31m\0d\x7f", 13)),
              "a\\x0Ab\\x0Dc\\x1B[31m\\x00d\\x7F");
    EXPECT_EQ(visibleText("データ 100%"), "データ 100%");
    EXPECT_EQ(visibleText(""), "");
}

// A mount point or label named in a Latin-1 locale, or cut in the middle of a character, must
// reach the window as text that survives the trip through a widget and back.
TEST(VisibleText, BytesOutsideUtf8BecomeEscapes) {
    EXPECT_EQ(visibleText("/mnt/caf\xE9"), "/mnt/caf\\xE9");
    EXPECT_EQ(visibleText("\xE3\x83"), "\\xE3\\x83");                    // a cut character
    EXPECT_EQ(visibleText("\xC0\xAF"), "\\xC0\\xAF");                    // an overlong "/"
    EXPECT_EQ(visibleText("\xED\xA0\x80"), "\\xED\\xA0\\x80");           // a surrogate
    EXPECT_EQ(visibleText("\xF4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");  // past U+10FFFF
    EXPECT_EQ(visibleText("\xE0\x80\xAF"), "\\xE0\\x80\\xAF");  // a three-byte overlong "/"
    // A lead byte whose last bytes are no continuation starts no character: the letter after it
    // stays a letter.
    EXPECT_EQ(visibleText("\xE3\x83"
                          "A"),
              "\\xE3\\x83"
              "A");
    EXPECT_EQ(visibleText("\xF0\x9F\x92"
                          "A"),
              "\\xF0\\x9F\\x92"
              "A");
    EXPECT_EQ(visibleText("\x80データ"), "\\x80データ");  // the text after a stray byte stays
    EXPECT_EQ(visibleText("\xF0\x9F\x92\xBE \xC2\xA9"), "\xF0\x9F\x92\xBE \xC2\xA9");
}

// Labels as their file systems keep them: a stick named on a Japanese system keeps its FAT
// label in CP932, and ext4 (16 bytes) or XFS (12) cut a long Japanese label mid-character.
TEST(VolumeLabel, ShowsTheNameTheUserGaveTheVolume) {
    constexpr std::size_t kRoom = 259;
    EXPECT_EQ(shownLabel("\x83\x66\x81\x5B\x83\x5E", "vfat", kRoom), "データ");
    EXPECT_EQ(shownLabel("\xB1\xB2\xB3", "msdos", kRoom), "ｱｲｳ");
    EXPECT_EQ(shownLabel("データ", "vfat", kRoom), "データ");  // written in UTF-8 by a tool
    EXPECT_EQ(shownLabel("日本語のラ\xE3", "ext4", kRoom), "日本語のラ");  // 16 bytes
    EXPECT_EQ(shownLabel("写真写\xF0\x9F\x93", "xfs", kRoom), "写真写");   // 12
    EXPECT_EQ(shownLabel("ボリュ\xE3\x83", "vfat", kRoom), "ボリュ");      // 11, not CP932
    // Bytes that are no cut character, and a FAT label that is no CP932 either, stay escapes:
    // a Latin-1 label, one that ends like a cut character but does not fill its field.
    EXPECT_EQ(shownLabel("caf\xE9 bar", "ext4", kRoom), "caf\\xE9 bar");
    EXPECT_EQ(shownLabel("caf\xE9", "ext4", kRoom), "caf\\xE9");
    EXPECT_EQ(shownLabel("\x83\x66\xE3", "ext4", kRoom), "\\x83f\\xE3");
    EXPECT_EQ(shownLabel("\x81\x20", "vfat", kRoom), "\\x81 ");
    EXPECT_EQ(shownLabel("a\nb", "btrfs", kRoom), "a\\x0Ab");
}

TEST(VolumeLabel, LongLabelIsCutBetweenCharacters) {
    std::string photos;
    for (int i = 0; i < 90; ++i) photos += "写真";  // 540 bytes: f2fs holds 512 characters
    const std::string shown = shownLabel(photos, "f2fs", 259);
    EXPECT_EQ(shown.size(), 258u);
    EXPECT_EQ(photos.substr(0, shown.size()), shown);
    // Nor is an escaped byte cut in two.
    EXPECT_EQ(shownLabel("ab\xFF\xFF", "btrfs", 9), "ab\\xFF");
    // A label that fills the room to its last byte is whole, escapes and all.
    EXPECT_EQ(shownLabel(std::string(259, 'L'), "f2fs", 259), std::string(259, 'L'));
    EXPECT_EQ(shownLabel("ab\xFF\xFF", "btrfs", 10), "ab\\xFF\\xFF");
}

// End to end through the provider: udev's copy of the label, a label longer than a path, and
// a FUSE driver's name length, which it gives in characters already.
TEST(VolumeLabel, DriveFactsCarryTheLabelAndFuseNameLength) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    std::string photos;
    for (int i = 0; i < 45; ++i) photos += "写真";
    const std::pair<const char*, std::string> udev[] = {
        {"8:33", "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL_ENC=\\x83f\\x81\\x5b\\x83\\x5e\n"},
        {"8:34", "E:ID_FS_TYPE=f2fs\nE:ID_FS_LABEL_ENC=" + photos + "\n"},
        {"8:35", "E:ID_FS_TYPE=exfat\nE:ID_FS_LABEL_ENC=CARD\n"}};
    machine.addDisk({.name = "sdc", .removable = true, .partitions = {"sdc1", "sdc2", "sdc3"}});
    std::filesystem::create_directories(root / "run/udev/data");
    for (int i = 0; i < 3; ++i) {
        machine.numberDevice("sdc" + std::to_string(i + 1), udev[i].first);
        std::ofstream(root / "run/udev/data" / (std::string("b") + udev[i].first))
            << udev[i].second;
    }
    for (const char* point : {"media/stick", "mnt/photos", "media/card"}) {
        std::filesystem::create_directories(root / point);
    }
    machine.writeMountTable(
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "2 1 8:33 / /media/stick rw - vfat /dev/sdc1 rw\n"
        "3 1 8:34 / /mnt/photos rw - f2fs /dev/sdc2 rw\n"
        "4 1 8:35 / /media/card rw - fuseblk /dev/sdc3 rw\n");

    LinuxPlatform platform(root);
    ASSERT_EQ(platform.drives().entries.size(), 4u);
    struct Reading {
        int result;
        std::string label;
        std::string fileSystem;
        std::uint32_t nameLength;
    };
    const auto read = [&platform](std::string_view drive) {
        std::string label(kMaxPath, '\0');
        std::string fileSystem(kMaxPath, '\0');
        std::uint32_t serial = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t flags = 0;
        const int result =
            platform.getVolumeInformation(drive, label, serial, nameLength, flags, fileSystem);
        return Reading{result, label.c_str(), fileSystem.c_str(), nameLength};
    };
    EXPECT_EQ(read("d:\\").label, "データ");
    // A buffer too small for a label of a path's length or less is still one too small.
    std::string small(4, '\0');
    std::string fileSystem(kMaxPath, '\0');
    std::uint32_t serial = 0;
    std::uint32_t nameLength = 0;
    std::uint32_t flags = 0;
    EXPECT_EQ(platform.getVolumeInformation("d:\\", small, serial, nameLength, flags, fileSystem),
              0);
    EXPECT_EQ(platform.lastError(), 234U);
    const Reading photosDrive = read("e:\\");
    ASSERT_EQ(photosDrive.result, 1) << platform.lastError();
    EXPECT_EQ(photosDrive.fileSystem, "f2fs");
    EXPECT_EQ(photosDrive.label, photos.substr(0, 258));
    const Reading card = read("f:\\");
    EXPECT_EQ(card.fileSystem, "exFAT");
    // The scratch folder's file system counts characters, as the FUSE driver does.
    EXPECT_EQ(card.nameLength, read("c:\\").nameLength);
}

TEST(Win32Errno, OneTable) {
    EXPECT_EQ(win32ErrorFromErrno(ENOENT), 3u);
    EXPECT_EQ(win32ErrorFromErrno(EACCES), 5u);
    EXPECT_EQ(win32ErrorFromErrno(ENOMEDIUM), 21u);
    EXPECT_EQ(win32ErrorFromErrno(ENOTCONN), 21u);
    EXPECT_EQ(win32ErrorFromErrno(EIO), 21u);
    // A mount point below what is now a file is a path not found, not a refusal.
    EXPECT_EQ(win32ErrorFromErrno(ENOTDIR), 3u);
    EXPECT_EQ(win32ErrorFromErrno(EOVERFLOW), 31u);
}

TEST(UserDirs, ParsesHomeAbsoluteAndQuotedEntries) {
    const auto dirs = parseUserDirs(
        "# This file is written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
        "  XDG_DOCUMENTS_DIR = \"$HOME/My \\\"Docs\\\"\"\n"
        "XDG_TEMPLATES_DIR=\"/srv/templates\"\n"
        "XDG_MUSIC_DIR=\"$HOME\"\n"
        "XDG_VIDEOS_DIR=\"relative/path\"\n"
        "XDG_PICTURES_DIR=\"$HOMEpictures\"\n"
        "XDG_PUBLICSHARE_DIR=\"$HOME/unterminated\n"
        "XDG_DOWNLOAD_DIR=$HOME/unquoted\n"
        "XDG__DIR=\"/empty-name\"\n"
        "#XDG_TEMPLATES_DIR=\"/commented\"\n");
    ASSERT_EQ(dirs.size(), 4u);
    EXPECT_TRUE(dirs.at("DESKTOP").underHome);
    EXPECT_EQ(dirs.at("DESKTOP").path, "/デスクトップ");
    EXPECT_EQ(dirs.at("DOCUMENTS").path, "/My \"Docs\"");
    EXPECT_FALSE(dirs.at("TEMPLATES").underHome);
    EXPECT_EQ(dirs.at("TEMPLATES").path, "/srv/templates");
    EXPECT_TRUE(dirs.at("MUSIC").underHome);
    EXPECT_EQ(dirs.at("MUSIC").path, "");
}

TEST(UserDirs, LaterEntryWins) {
    const auto dirs = parseUserDirs("XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\"\n");
    EXPECT_EQ(dirs.at("DESKTOP").path, "/b");
}

}  // namespace
}  // namespace zarnel::linux_fs

namespace zarnel::linux_fs {
namespace {

// What the child reports through its exit status.
enum LoopOutcome : int {
    kRead = 0,
    kCallFailed = 2,
    kWrongLabel = 3,
    kWrongSerial = 4,
    kWrongEncryption = 5,
    kNoLoopMount = testing::kCannotHere,  // no loop devices or mkfs here
};

// How the test makes a volume with the label PHOTOS and the UUID 0a1b2c3d-...
struct LoopFileSystem {
    std::string_view type;
    std::string_view make;  // the mkfs command, before the image's name
    std::string_view size;  // btrfs needs room for its metadata
    bool canEncrypt;        // made with what lets its folders be encrypted
};

constexpr LoopFileSystem kLoopExt4{
    "ext4", "mkfs.ext4 -q -L PHOTOS -U 0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d", "8M", false};
constexpr LoopFileSystem kLoopEncryptableExt4{
    "ext4", "mkfs.ext4 -q -O encrypt -L PHOTOS -U 0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d", "8M",
    true};
// Its subvolumes have device numbers of their own, none of them the table's.
constexpr LoopFileSystem kLoopBtrfs{
    "btrfs", "mkfs.btrfs -q -L PHOTOS -U 0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d", "128M", false};

// The mount number the test's table gives the volume: the kernel's, or another mount's (a
// machine tree on a disk that shares the volume's device number).
enum class TableNumber { Kernels, AnotherMounts };
// Far above the numbers of the mounts a test's namespace has.
constexpr std::uint32_t kAnotherMount = 100000;

// The line the kernel writes for `point` in this process's mount table.
std::optional<MountEntry> liveMount(const std::filesystem::path& point) {
    MountTable table("/");
    for (const MountEntry& mount : table.current()) {
        if (mount.mountPoint == point.string()) return mount;
    }
    return std::nullopt;
}

// Whether this kernel tells what the test asks of it: a mount's number (Linux 5.8 on), and
// whether a volume can encrypt (5.4 on).
bool kernelTells(const std::filesystem::path& point, TableNumber number,
                 const LoopFileSystem& kind) {
    const int fd = ::open(point.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct statx mounted {};
    const bool numbered = ::statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &mounted) == 0 &&
                          (mounted.stx_mask & STATX_MNT_ID) != 0;
    fscrypt_get_policy_ex_arg policy{};
    policy.policy_size = sizeof(policy.policy);
    const bool asksEncryption =
        ::ioctl(fd, FS_IOC_GET_ENCRYPTION_POLICY_EX, &policy) == 0 || errno != ENOTTY;
    ::close(fd);
    return (number == TableNumber::Kernels || numbered) && (!kind.canEncrypt || asksEncryption);
}

// Runs in a child of its own: a volume made for the test, with a label and a UUID of its own,
// mounted where a machine without udev (a container, a minimal install) has it, so that only
// the volume itself can tell them.
LoopOutcome readLoopVolume(const testing::ScratchMachine& machine, const LoopFileSystem& kind,
                           TableNumber number) {
    const std::filesystem::path& root = machine.root();
    const std::filesystem::path image = root / "volume.img";
    const std::filesystem::path point = root / "mnt/photos";
    std::filesystem::create_directories(point);
    const std::string make = "truncate -s " + std::string(kind.size) + " '" + image.string() +
                             "' && " + std::string(kind.make) + " '" + image.string() +
                             "' && mount -o loop '" + image.string() + "' '" + point.string() + "'";
    if (std::system((make + " >/dev/null 2>&1").c_str()) != 0) return kNoLoopMount;
    const std::optional<MountEntry> mounted = liveMount(point);
    if (!mounted || !kernelTells(point, number, kind)) return kNoLoopMount;
    // Listed as a disk's partition, as a loop device outside the media folders is no drive,
    // under the number and device the kernel gives it.
    const std::uint32_t id =
        number == TableNumber::Kernels ? mounted->id : mounted->id + kAnotherMount;
    machine.writeMountTable("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n" + std::to_string(id) + " 1 " +
                            std::to_string(mounted->major) + ":" + std::to_string(mounted->minor) +
                            " / /mnt/photos rw,relatime - " + std::string(kind.type) +
                            " /dev/sdb1 rw\n");
    LinuxPlatform platform(root);
    std::string label(kMaxPath, '\0');
    std::string fileSystem(kMaxPath, '\0');
    std::uint32_t serial = 0;
    std::uint32_t nameLength = 0;
    std::uint32_t flags = 0;
    if (platform.getVolumeInformation("d:\\", label, serial, nameLength, flags, fileSystem) != 1) {
        return kCallFailed;
    }
    const bool encryption = (flags & volume_flag::kSupportsEncryption) != 0;
    if (number == TableNumber::AnotherMounts) {
        // Nothing is asked of a folder that is not the table's mount.
        if (!std::string(label.c_str()).empty()) return kWrongLabel;
        return encryption ? kWrongEncryption : kRead;
    }
    if (std::string(label.c_str()) != "PHOTOS") return kWrongLabel;
    if (encryption != kind.canEncrypt) return kWrongEncryption;
    // Kernels before 6.5 give no UUID through the volume: then there is no serial to check.
    struct {
        std::uint8_t len;
        std::uint8_t uuid[16];
    } asked{};
    const int fd = ::open(point.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool uuidKnown = ::ioctl(fd, _IOR(0x15, 0, decltype(asked)), &asked) == 0;
    ::close(fd);
    // The first eight hex digits of "0a1b2c3d-...".
    if (uuidKnown && serial != 0x0A1B2C3Du) return kWrongSerial;
    return kRead;
}

void expectLoopVolumeRead(const LoopFileSystem& kind, TableNumber number = TableNumber::Kernels) {
    const testing::ScratchMachine machine;
    const std::optional<int> outcome = testing::inPrivateMounts(
        [&] { return readLoopVolume(machine, kind, number); }, testing::Namespaces::RootOnly);
    if (!outcome) GTEST_SKIP() << "no loop mount of " << kind.type << " allowed here";
    EXPECT_EQ(*outcome, kRead);
}

TEST(VolumeFacts, AVolumeWithoutUdevDataTellsItsOwnLabelAndSerial) {
    expectLoopVolumeRead(kLoopExt4);
}

TEST(VolumeFacts, ABtrfsVolumeWithoutUdevDataTellsItsOwnLabelAndSerial) {
    expectLoopVolumeRead(kLoopBtrfs);
}

// Encryption is shown where the volume was made for it, and only there.
TEST(VolumeFacts, AVolumeMadeForEncryptionShowsIt) {
    expectLoopVolumeRead(kLoopEncryptableExt4);
}

// A folder with the table's device number but of another mount is not asked for the volume's
// facts.
TEST(VolumeFacts, AFolderOfAnotherMountTellsNothing) {
    expectLoopVolumeRead(kLoopEncryptableExt4, TableNumber::AnotherMounts);
}

}  // namespace
}  // namespace zarnel::linux_fs
