// The mount table's parser and the letters its drives get.
#include <gtest/gtest.h>

#include "platform/linux/drive_letters.h"
#include "platform/linux/mountinfo.h"

namespace zarnel::linux_fs {
namespace {

TEST(Mountinfo, ReadsEveryFieldAndDecodesEscapes) {
    const auto mounts = parseMountinfo(
        "36 35 98:0 /mnt1 /mnt/my\\040disk rw,noatime master:1 shared:2 - ext3 /dev/root "
        "rw,errors=continue\n");
    ASSERT_EQ(mounts.size(), 1u);
    const MountEntry& m = mounts[0];
    EXPECT_EQ(m.id, 36u);
    EXPECT_EQ(m.parentId, 35u);
    EXPECT_EQ(m.major, 98u);
    EXPECT_EQ(m.minor, 0u);
    EXPECT_EQ(m.root, "/mnt1");
    EXPECT_EQ(m.mountPoint, "/mnt/my disk");
    EXPECT_EQ(m.mountOptions, "rw,noatime");
    EXPECT_EQ(m.fsType, "ext3");
    EXPECT_EQ(m.source, "/dev/root");
    EXPECT_EQ(m.superOptions, "rw,errors=continue");
}

struct EscapeRow {
    std::string_view raw;
    std::string_view decoded;
};

class OctalEscapes : public ::testing::TestWithParam<EscapeRow> {};

TEST_P(OctalEscapes, Decode) {
    EXPECT_EQ(decodeOctalEscapes(GetParam().raw), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OctalEscapes,
    ::testing::Values(EscapeRow{"/a\\040b", "/a b"}, EscapeRow{"/tab\\011x", "/tab\tx"},
                      EscapeRow{"/nl\\012", "/nl\n"}, EscapeRow{"/back\\134slash", "/back\\slash"},
                      // Not three octal digits, or beyond a byte: kept as written.
                      EscapeRow{"/a\\04", "/a\\04"}, EscapeRow{"/a\\089", "/a\\089"},
                      EscapeRow{"/a\\777", "/a\\777"}, EscapeRow{"\\", "\\"}));

// Fields are separated by one space each: two in a row enclose an empty field, which is still
// a field; the optional fields run up to the "-"; every path field is unescaped.
TEST(Mountinfo, EmptyFieldsOptionalFieldsAndEscapes) {
    const auto mounts = parseMountinfo(
        "47 22 0:52 / /mnt/scratch rw,relatime shared:47 - tmpfs  rw,size=1048576k\n"
        "48 22 0:53 /sub\\040dir /mnt/a\\012b  shared:1 master:2 propagate_from:3 unbindable - "
        "ext4 /dev/disk\\040one rw\n"
        "49 22 0:54 / /mnt/c rw - fuse.x src \n"
        "50 22 0:55 / /mnt/d rw - - - -\n");
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[0].source, "");
    EXPECT_EQ(mounts[0].superOptions, "rw,size=1048576k");
    EXPECT_EQ(mounts[1].root, "/sub dir");
    EXPECT_EQ(mounts[1].mountPoint, "/mnt/a\nb");
    EXPECT_EQ(mounts[1].mountOptions, "");
    EXPECT_EQ(mounts[1].fsType, "ext4");
    EXPECT_EQ(mounts[1].source, "/dev/disk one");
    EXPECT_EQ(mounts[2].superOptions, "");
    // The first "-" after the fixed fields ends the optional ones; what follows is the type.
    EXPECT_EQ(mounts[3].fsType, "-");
    EXPECT_EQ(mounts[3].source, "-");
}

TEST(Mountinfo, MalformedLinesAreSkipped) {
    const auto mounts = parseMountinfo(
        "garbage\n"
        "\n"
        "1 2 8:1 / /ok rw - ext4 /dev/sda1 rw\n"
        "x 2 8:1 / /badid rw - ext4 /dev/sda1 rw\n"
        "3 2 eight:1 / /baddev rw - ext4 /dev/sda1 rw\n"
        "4 2 8:1 / /noseparator rw ext4 /dev/sda1 rw\n"
        "5 2 8:1 / /short rw - ext4\n"
        "7 2 8:1 / relative rw - ext4 /dev/sda1 rw\n"
        "8 2 8:1 /  rw - ext4 /dev/sda1 rw\n"
        "6 2 8:1 / /last rw - ext4 /dev/sda2 rw");
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].mountPoint, "/ok");
    EXPECT_EQ(mounts[1].mountPoint, "/last");
}

// Lines built from the table's own punctuation, in a fixed pseudo-random sequence: whatever
// they hold, every entry read back has an absolute mount point and no field that runs over a
// separator, and nothing crashes.
TEST(Mountinfo, ScrambledTextNeverCrashes) {
    constexpr std::string_view kPieces[] = {"1",
                                            "22",
                                            " ",
                                            " ",
                                            "8:1",
                                            ":",
                                            "/",
                                            "\\",
                                            "\\04",
                                            "\\040",
                                            "-",
                                            " - ",
                                            "ext4",
                                            "\n",
                                            "\t",
                                            "rw,ro",
                                            "\n1 2 8:1 / /m rw - ext4 /dev/sda1 rw"};
    std::uint32_t seed = 12345;
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525u + 1013904223u;  // Numerical Recipes' LCG
        text += kPieces[(seed >> 16) % std::size(kPieces)];
    }
    const std::vector<MountEntry> entries = parseMountinfo(text);
    EXPECT_FALSE(entries.empty());
    for (const MountEntry& entry : entries) {
        EXPECT_TRUE(entry.mountPoint.starts_with('/'));
        EXPECT_EQ(entry.mountOptions.find(' '), std::string::npos);
        EXPECT_EQ(entry.superOptions.find(' '), std::string::npos);
    }
}

MountEntry mount(std::string point, std::string fsType, std::string source, unsigned minor = 0,
                 std::string root = "/") {
    return {.major = 8,
            .minor = minor,
            .root = std::move(root),
            .mountPoint = std::move(point),
            .mountOptions = "rw",
            .fsType = std::move(fsType),
            .source = std::move(source),
            .superOptions = "rw"};
}

struct DriveMountRow {
    std::string_view name;
    MountEntry mount;
    bool drive;
};

class DriveMount : public ::testing::TestWithParam<DriveMountRow> {};

TEST_P(DriveMount, IsChosenByItsSourceTypeAndPlace) {
    EXPECT_EQ(isDriveMount(GetParam().mount), GetParam().drive);
}

INSTANTIATE_TEST_SUITE_P(
    Mounts, DriveMount,
    ::testing::Values(
        DriveMountRow{"BlockDevice", mount("/data", "ext4", "/dev/sdb1"), true},
        DriveMountRow{"LoopDevice", mount("/opt/app", "squashfs", "/dev/loop3"), false},
        DriveMountRow{"DiscImageInMedia", mount("/media/a/Ubuntu", "iso9660", "/dev/loop3"), true},
        DriveMountRow{"DiscImageInRunMedia", mount("/run/media/a/X", "udf", "/dev/loop4"), true},
        DriveMountRow{"LoopOutsideMedia", mount("/mnt/image", "iso9660", "/dev/loop5"), false},
        DriveMountRow{"Nfs", mount("/net/p", "nfs", "srv:/p"), true},
        DriveMountRow{"Sshfs", mount("/home/a/remote", "fuse.sshfs", "a@h:"), true},
        DriveMountRow{"TmpfsAtTmp", mount("/tmp", "tmpfs", "tmpfs"), true},
        DriveMountRow{"TmpfsBelowTmp", mount("/tmp/x", "tmpfs", "tmpfs"), false},
        DriveMountRow{"RamfsUnderMedia", mount("/media/ram", "ramfs", "ramfs"), true},
        DriveMountRow{"TmpfsElsewhere", mount("/var/cache", "tmpfs", "tmpfs"), false},
        // A Chromebook's Linux container holds the storage it is handed in an empty RAM folder.
        DriveMountRow{"ChromebookHolder", mount("/mnt/external", "tmpfs", "tmpfs"), false},
        DriveMountRow{"ChromebookShare", mount("/mnt/chromeos", "9p", "chromeos"), true},
        DriveMountRow{"RunUser", mount("/run/user/1000", "tmpfs", "tmpfs"), false},
        DriveMountRow{"RunMedia", mount("/run/media/a/STICK", "vfat", "/dev/sdc1"), true},
        DriveMountRow{"DevOnBlock", mount("/dev/x", "ext4", "/dev/sdd1"), false},
        DriveMountRow{"Snap", mount("/snap/core/1", "squashfs", "/dev/sde"), false},
        DriveMountRow{"DeployedRoot", mount("/sysroot", "xfs", "/dev/vda4"), false},
        DriveMountRow{"Docker", mount("/var/lib/docker/x", "ext4", "/dev/sdf"), false},
        DriveMountRow{"Overlay", mount("/merged", "overlay", "overlay"), false},
        DriveMountRow{"ZfsDataset", mount("/tank/data", "zfs", "tank/data"), true},
        DriveMountRow{"Virtiofs", mount("/mnt/host", "virtiofs", "hostshare"), true},
        DriveMountRow{"VirtualBoxShare", mount("/media/sf_shared", "vboxsf", "shared"), true},
        DriveMountRow{"VmwareShare", mount("/mnt/hgfs", "fuse.vmhgfs-fuse", "vmhgfs-fuse"), true},
        DriveMountRow{"WslOneDrive", mount("/mnt/c", "drvfs", "C:"), true},
        DriveMountRow{"Rclone", mount("/home/a/cloud", "fuse.rclone", "drive:"), true},
        DriveMountRow{"Lustre", mount("/scratch", "lustre", "10.1.0.1@o2ib:/scratch"), true},
        DriveMountRow{"Gpfs", mount("/gpfs", "gpfs", "gpfs1"), true},
        DriveMountRow{"Beegfs", mount("/mnt/beegfs", "beegfs", "beegfs_nodev"), true},
        DriveMountRow{"CephFuse", mount("/mnt/ceph", "fuse.ceph-fuse", "ceph-fuse"), true},
        DriveMountRow{"EmptySourceTmpfs", mount("/mnt/scratch", "tmpfs", ""), true},
        DriveMountRow{"Portal", mount("/home/a/doc", "fuse.portal", "portal"), false},
        DriveMountRow{"Cgroup", mount("/sys/fs/cgroup", "cgroup2", "cgroup2"), false},
        DriveMountRow{"Binfmt", mount("/proc/sys/fs/binfmt_misc", "binfmt_misc", "binfmt_misc"),
                      false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DriveMount, EfiPartitionByTypeElseByPlace) {
    constexpr std::string_view kEsp = "C12A7328-F81F-11D2-BA4B-00A0C93EC93B";
    constexpr std::string_view kLinuxData = "0fc63daf-8483-4772-8e79-3d69d8477de4";
    EXPECT_TRUE(isEfiSystemPartition(mount("/boot", "vfat", "/dev/sda1"), kEsp));
    EXPECT_TRUE(isEfiSystemPartition(mount("/boot", "vfat", "/dev/sda1"), "0xef"));
    EXPECT_FALSE(isEfiSystemPartition(mount("/boot/efi", "vfat", "/dev/sda1"), kLinuxData));
    EXPECT_TRUE(isEfiSystemPartition(mount("/boot/efi", "vfat", "/dev/sda1"), ""));
    EXPECT_TRUE(isEfiSystemPartition(mount("/efi", "vfat", "/dev/sda1"), ""));
    EXPECT_FALSE(isEfiSystemPartition(mount("/boot", "vfat", "/dev/sda1"), ""));
    EXPECT_FALSE(isEfiSystemPartition(mount("/media/a/USB", "vfat", "/dev/sdb1"), "0x0c"));
}

TEST(DriveLetters, ControlCharactersInPlacesAreShownEscaped) {
    const DriveSlot slot{.letter = 'd', .mountPoint = "/mnt/a\nb\x1b[2J\r", .device = ""};
    EXPECT_EQ(slot.entryText(), "d: [/mnt/a\\x0Ab\\x1B[2J\\x0D]");
}

std::vector<std::string> entries(const std::vector<DriveSlot>& slots) {
    std::vector<std::string> texts;
    for (const DriveSlot& slot : slots) texts.push_back(slot.entryText());
    return texts;
}

TEST(DriveLetters, RootIsCThenTableOrderThenUnmountedDevices) {
    const std::vector<MountEntry> mounts = {
        mount("/proc", "proc", "proc"),
        mount("/home", "ext4", "/dev/sda2", 2),
        mount("/", "overlay", "overlay", 9),
        mount("/tmp", "tmpfs", "tmpfs", 3),
    };
    EXPECT_EQ(entries(assignDriveLetters(mounts, {"/dev/sr0"})),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/tmp]", "f: [/dev/sr0]"}));
}

// A folder of a lettered drive shown elsewhere is no drive: the snapped browser's view of the
// system's dictionaries, a folder shared by a bind mount, a mount hidden by a later one.
TEST(DriveLetters, BindMountsAndHiddenMountsGetNoLetter) {
    const std::vector<MountEntry> mounts = {
        mount("/", "ext4", "/dev/sda1", 1),
        mount("/data", "ext4", "/dev/sdb1", 17),
        mount("/srv/data", "ext4", "/dev/sdb1", 17),              // the same tree again
        mount("/srv/sub", "ext4", "/dev/sdb1", 17, "/projects"),  // a folder of it
        mount("/mnt/x", "ext4", "/dev/sdc1", 33),                 // hidden by the next
        mount("/mnt/x", "ext4", "/dev/sdd1", 49),
        mount("/srv/cache", "ext4", "/dev/sde1", 65),  // hidden by the next, which is no drive
        mount("/srv/cache", "tmpfs", "tmpfs"),
        mount("/rootbind", "ext4", "/dev/sda1", 1),  // a bind of "/"
        mount("/var/snap/firefox/common/host-hunspell", "ext4", "/dev/sda1", 1,
              "/usr/share/hunspell"),
    };
    EXPECT_EQ(entries(assignDriveLetters(mounts, {})),
              (std::vector<std::string>{"c: [/]", "d: [/data]", "e: [/mnt/x]"}));
}

// `entry` as the table numbers it: its own number, and that of the mount it lies on.
MountEntry on(MountEntry entry, unsigned id, unsigned parentId) {
    entry.id = id;
    entry.parentId = parentId;
    return entry;
}

// Mounting over a folder above mounted drives hides them and all mounted on them, though the
// table keeps them: their paths now reach the new volume. What lies beside it, what is mounted
// on it, and what was mounted on it before stay drives.
TEST(DriveLetters, MountsCoveredFromAboveGetNoLetter) {
    const std::vector<MountEntry> mounts = {
        on(mount("/", "ext4", "/dev/sda1", 1), 1, 0),
        on(mount("/srv/early", "ext4", "/dev/sdb1", 17), 2, 1),
        on(mount("/mnt/b", "ext4", "/dev/sdc1", 33), 3, 1),        // hidden by /mnt below
        on(mount("/mnt/b/c", "ext4", "/dev/sdd1", 49), 4, 3),      // on the hidden one
        on(mount("/srv/early/x", "ext4", "/dev/sde1", 65), 5, 2),  // under /srv/early, before it
        on(mount("/mnt", "tmpfs", "tmpfs", 80), 6, 1),
        on(mount("/mnt/d", "ext4", "/dev/sdf1", 81), 7, 6),  // on the new /mnt
    };
    EXPECT_EQ(entries(assignDriveLetters(mounts, {})),
              (std::vector<std::string>{"c: [/]", "d: [/srv/early]", "e: [/srv/early/x]",
                                        "f: [/mnt]", "g: [/mnt/d]"}));
}

// What only shares a file system with a drive stays a drive: a btrfs subvolume mounted as
// itself (the file system's top mounted as "/"), and a second export of one server's disk.
TEST(DriveLetters, SubvolumesAndExportsOfOneFileSystemKeepTheirLetters) {
    MountEntry top = mount("/", "btrfs", "/dev/nvme0n1p2", 2);
    top.superOptions = "rw,ssd,subvolid=5,subvol=/";
    MountEntry home = mount("/home", "btrfs", "/dev/nvme0n1p2", 2, "/home");
    home.superOptions = "rw,ssd,subvolid=256,subvol=/home";
    MountEntry photos = mount("/srv/photos", "btrfs", "/dev/nvme0n1p2", 2, "/home/alice/photos");
    photos.superOptions = home.superOptions;  // a folder of the subvolume, bound
    // The kernel escapes the options as it escapes the paths.
    MountEntry spaced = mount("/vms", "btrfs", "/dev/nvme0n1p2", 2, "/virtual machines");
    spaced.superOptions = "rw,ssd,subvolid=300,subvol=/virtual\\040machines";
    // The kernel writes "/" as the root of every NFS mount; the source names the export.
    MountEntry docs = mount("/mnt/docs", "nfs4", "nas:/export", 60);
    MountEntry docsTeam = mount("/mnt/team", "nfs4", "nas:/export/team", 60);
    MountEntry docsAgain = mount("/srv/docs", "nfs4", "nas:/export", 60);  // the same tree
    EXPECT_EQ(
        entries(assignDriveLetters({top, home, photos, spaced, docs, docsTeam, docsAgain}, {})),
        (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/vms]", "f: [/mnt/docs]",
                                  "g: [/mnt/team]"}));

    // Exports of one server disk mounted in the system's own folders are drives all the same: a
    // user started in /usr/local is on the share's.
    const std::vector<MountEntry> exports = {
        mount("/", "ext4", "/dev/sda2", 2),
        mount("/home", "nfs4", "files:/export/home", 50),
        mount("/usr/local", "nfs4", "files:/export/sw", 50),
    };
    const std::vector<DriveSlot> slots = assignDriveLetters(exports, {});
    EXPECT_EQ(entries(slots),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/usr/local]"}));
    EXPECT_EQ(initialSelection(slots, "/usr/local/bin"), 2);
}

// Opening a share's folder that the server exports apart has the kernel mount it there by itself
// (NFS's nested exports, a DFS link): a folder of the share, not a share with a letter of its
// own. A share the user mounts beside it keeps its letter.
TEST(DriveLetters, MountsTheKernelMakesInsideAShareAreItsFolders) {
    const std::vector<MountEntry> mounts = {
        on(mount("/", "ext4", "/dev/sda1", 1), 1, 0),
        on(mount("/mnt/nas", "nfs4", "nas:/", 52), 50, 1),
        on(mount("/mnt/nas/media", "nfs4", "nas:/media", 61), 60, 50),
        on(mount("/mnt/nas/media/films", "nfs4", "nas:/media/films", 62), 61, 60),
        on(mount("/mnt/nas/media", "nfs4", "nas:/media", 63), 62, 50),  // mounted again on top
        on(mount("/mnt/other", "nfs4", "nas:/backup", 70), 70, 1),
        on(mount("/mnt/nas/usb", "ext4", "/dev/sdb1", 17), 80, 50),
    };
    EXPECT_EQ(entries(assignDriveLetters(mounts, {"/dev/sr0"})),
              (std::vector<std::string>{"c: [/]", "d: [/mnt/nas]", "e: [/mnt/other]",
                                        "f: [/mnt/nas/usb]", "g: [/dev/sr0]"}));

    // A machine booted from the network: its shares lie beside c:, not in it, and a share of
    // another kind that the user mounts in a share is a drive of its own.
    const std::vector<MountEntry> diskless = {
        on(mount("/", "nfs", "srv:/root", 10), 1, 0),
        on(mount("/home", "nfs4", "files:/home", 20), 20, 1),
        on(mount("/mnt/nas", "nfs4", "nas:/", 30), 30, 1),
        on(mount("/home/alice/win", "cifs", "//pc/share", 40), 40, 20),
        on(mount("/home/alice/lab", "nfs4", "files:/home/alice/lab", 50), 50, 20),
    };
    EXPECT_EQ(entries(assignDriveLetters(diskless, {})),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/mnt/nas]",
                                        "f: [/home/alice/win]"}));
}

// A cluster file system is mounted whole: a folder of it bound elsewhere is a folder, not a
// second drive with the same figures.
TEST(DriveLetters, FoldersOfAClusterFileSystemAreNoDrives) {
    const std::vector<MountEntry> mounts = {
        mount("/", "ext4", "/dev/sda2", 2),
        mount("/gpfs/fs1", "gpfs", "fs1", 50),
        mount("/projects", "gpfs", "fs1", 50, "/projects"),
        mount("/scratch", "gpfs", "fs1", 50, "/scratch"),
    };
    EXPECT_EQ(entries(assignDriveLetters(mounts, {})),
              (std::vector<std::string>{"c: [/]", "d: [/gpfs/fs1]"}));
}

// A distribution that lays one disk out in subvolumes or datasets mounts most of them in the
// system's own folders: those are folders of its drive. The user's home stays a drive, and so
// does another disk or pool, wherever it is mounted.
TEST(DriveLetters, SystemFoldersOfALetteredVolumeGetNoLetter) {
    const auto subvolume = [](std::string point, std::string name) {
        MountEntry entry = mount(std::move(point), "btrfs", "/dev/nvme0n1p2", 2, name);
        entry.superOptions = "rw,ssd,subvolid=256,subvol=" + name;
        return entry;
    };
    const std::vector<MountEntry> btrfs = {
        subvolume("/", "/@/.snapshots/1/snapshot"),
        subvolume("/.snapshots", "/@/.snapshots"),
        subvolume("/boot/grub2/x86_64-efi", "/@/boot/grub2/x86_64-efi"),
        subvolume("/home", "/@/home"),
        subvolume("/opt", "/@/opt"),
        subvolume("/root", "/@/root"),
        subvolume("/srv", "/@/srv"),
        subvolume("/usr/local", "/@/usr/local"),
        subvolume("/var", "/@/var"),
        subvolume("/nix", "/@/nix"),                      // NixOS keeps the system in its store
        mount("/var/lib/mysql", "xfs", "/dev/sdb1", 17),  // a disk of its own
        subvolume("/var/home", "/@/var-home"),            // where an image-based system keeps homes
        mount("/gnu", "ext4", "/dev/sdc1", 33),           // a store on a disk of its own
    };
    EXPECT_EQ(entries(assignDriveLetters(btrfs, {})),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/var/lib/mysql]",
                                        "f: [/var/home]", "g: [/gnu]"}));

    // An image-based system runs a deployed image and binds its /var from beside it, on the
    // same file system.
    const auto deployed = [](std::string point, std::string tree) {
        MountEntry entry = mount(std::move(point), "btrfs", "/dev/vda3", 3, std::move(tree));
        entry.superOptions = "rw,seclabel,subvolid=256,subvol=/root";
        return entry;
    };
    constexpr std::string_view kImage = "/root/ostree/deploy/fedora/deploy/4f1c.0";
    MountEntry homes = mount("/var/home", "btrfs", "/dev/vda3", 3, "/home");
    homes.superOptions = "rw,seclabel,subvolid=257,subvol=/home";
    const std::vector<MountEntry> image = {
        deployed("/", std::string(kImage)),
        deployed("/sysroot", "/root"),
        deployed("/etc", std::string(kImage) + "/etc"),
        deployed("/usr", std::string(kImage) + "/usr"),
        deployed("/var", "/root/ostree/deploy/fedora/var"),
        homes,
        mount("/boot", "ext4", "/dev/vda2", 2),
    };
    EXPECT_EQ(entries(assignDriveLetters(image, {})),
              (std::vector<std::string>{"c: [/]", "d: [/var/home]", "e: [/boot]"}));

    // Each dataset has a device number of its own; the pool is in its name.
    const auto dataset = [](std::string point, std::string name, unsigned minor) {
        return mount(std::move(point), "zfs", std::move(name), minor);
    };
    const std::vector<MountEntry> zfs = {
        dataset("/", "rpool/ROOT/ubuntu_x1", 40),
        dataset("/boot", "bpool/BOOT/ubuntu_x1", 41),  // another pool
        dataset("/srv", "rpool/ROOT/ubuntu_x1/srv", 42),
        dataset("/usr/local", "rpool/ROOT/ubuntu_x1/usr/local", 43),
        dataset("/var/lib/apt", "rpool/ROOT/ubuntu_x1/var/lib/apt", 44),
        dataset("/var/log", "rpool/ROOT/ubuntu_x1/var/log", 45),
        dataset("/root", "rpool/USERDATA/root_x1", 46),
        dataset("/home/alice", "rpool/USERDATA/alice_x1", 47),
        dataset("/srv/tank", "tank", 48),  // a pool of its own
        dataset("/srv/tank/photos", "tank/photos", 49),
        dataset("/rpoolish", "rpoolish/data", 50),  // a pool whose name only begins alike
        dataset("/nix", "rpool/local/nix", 52),
        // Opening a snapshot's folder mounts it; it is a view of its dataset, not a drive.
        dataset("/home/alice/.zfs/snapshot/daily", "rpool/USERDATA/alice_x1@daily", 51),
        mount("/media/alice/STICK", "vfat", "/dev/sdb1", 17),
    };
    EXPECT_EQ(
        entries(assignDriveLetters(zfs, {})),
        (std::vector<std::string>{"c: [/]", "d: [/boot]", "e: [/home/alice]", "f: [/srv/tank]",
                                  "g: [/rpoolish]", "h: [/media/alice/STICK]"}));
}

// WSL's own mounts are its machinery; the Windows drives and the disks it mounts are drives.
TEST(DriveLetters, WslMachineryIsNoDrive) {
    const std::vector<MountEntry> mounts = {
        mount("/", "ext4", "/dev/sdc", 32),
        mount("/mnt/wsl", "tmpfs", "none", 3),
        mount("/usr/lib/wsl/drivers", "9p", "drivers", 4),
        mount("/init", "9p", "tools", 7, "/init"),
        mount("/mnt/wslg", "tmpfs", "none", 5),
        mount("/mnt/wslg/distro", "ext4", "/dev/sdc", 32),
        mount("/mnt/c", "9p", "C:\\", 6),
        mount("/mnt/wsl/PHYSICALDRIVE1p1", "ext4", "/dev/sdd1", 49),
    };
    EXPECT_EQ(
        entries(assignDriveLetters(mounts, {})),
        (std::vector<std::string>{"c: [/]", "d: [/mnt/c]", "e: [/mnt/wsl/PHYSICALDRIVE1p1]"}));
}

TEST(DriveLetters, StopAtZ) {
    std::vector<MountEntry> mounts = {mount("/", "ext4", "/dev/sda1", 1)};
    for (unsigned i = 0; i < 30; ++i) {
        mounts.push_back(
            mount("/mnt/disk" + std::to_string(i), "xfs", "/dev/vd" + std::to_string(i), 100 + i));
    }
    const auto slots = assignDriveLetters(mounts, {"/dev/sr0"});
    ASSERT_EQ(slots.size(), 24u);
    EXPECT_EQ(slots.back().entryText(), "z: [/mnt/disk22]");
}

TEST(DriveLetters, EmptyTableStillHasC) {
    EXPECT_EQ(entries(assignDriveLetters({}, {})), std::vector<std::string>{"c: [/]"});
}

struct SelectionRow {
    std::string_view workingDirectory;
    int selected;
};

class InitialSelection : public ::testing::TestWithParam<SelectionRow> {};

TEST_P(InitialSelection, IsTheLongestMountPrefix) {
    const std::vector<DriveSlot> slots = {
        {.letter = 'c', .mountPoint = "/", .device = ""},
        {.letter = 'd', .mountPoint = "/home", .device = ""},
        {.letter = 'e', .mountPoint = "/home/a/work", .device = ""},
        {.letter = 'f', .mountPoint = "", .device = "/dev/sr0"},
    };
    EXPECT_EQ(initialSelection(slots, GetParam().workingDirectory), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(Directories, InitialSelection,
                         ::testing::Values(SelectionRow{"/home/a/work/src", 2},
                                           SelectionRow{"/home/a", 1}, SelectionRow{"/homework", 0},
                                           SelectionRow{"/", 0}, SelectionRow{"", 0},
                                           SelectionRow{"/dev/sr0", 0}));

}  // namespace
}  // namespace zarnel::linux_fs
