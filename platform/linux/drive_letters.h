// Which mounts are drives, and the letters they get.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/mountinfo.h"

namespace zarnel::linux_fs {

// A lettered drive: a mount point, or a device without a mounted file system.
struct DriveSlot {
    char letter = 'c';
    std::string mountPoint;  // empty for a device
    std::string device;      // "/dev/sr0" for a device, empty for a mount

    // The drive list's text: "c: [/]", "e: [/dev/sr0]".
    std::string entryText() const;
};

// nfs, cifs, sshfs and the other file systems of a server.
bool isNetworkFileSystem(std::string_view fsType);
// A file system whose answers may never come: a server's, or one a program serves (FUSE: ntfs-3g
// on a failing disk waits on each read for as long as the disk retries). It is asked with a
// deadline, and only what it must answer: no ioctl, no quota, no look at its mount point.
bool mayLeaveQuestionsUnanswered(std::string_view fsType);
// tmpfs and ramfs: file systems kept in memory.
bool isRamFileSystem(std::string_view fsType);

// True for a path equal to `prefix` or below it ("/run/media" is below "/run", "/runner" not).
bool pathIsUnder(std::string_view path, std::string_view prefix);

// A block device (not a loop device), a network file system, a ZFS dataset, or a RAM file
// system at /tmp or under /mnt or /media (WSL's scratch space /mnt/wsl aside); never a mount
// of the system's own trees (/proc, /sys, /dev, /run but /run/media, /snap, /var/lib/docker,
// WSL's /usr/lib/wsl, /mnt/wslg and /init, an image-based system's /sysroot).
bool isDriveMount(const MountEntry& mount);

// What drive c: is: the topmost mount at "/", or on an image-based system whose "/" is a
// read-only overlay with no layer to write to (a composefs image), the root file system it
// is deployed from, mounted at /sysroot. Null when the table has no "/".
const MountEntry* rootVolume(const std::vector<MountEntry>& mounts);

// The EFI system partition, which Windows gives no letter: by the partition type udev
// recorded ("" when it has none), else by the usual mount points /boot/efi and /efi.
bool isEfiSystemPartition(const MountEntry& mount, std::string_view partitionType);

// "/" is always C:; the other drive mounts follow in table order from D:, skipping mounts
// hidden by a later mount at the same point, bind mounts of a file system already lettered (a
// tree at or below a lettered one of the same device; the same tree only for a btrfs
// subvolume or a network share), shares of a lettered share's kind mounted on its folders,
// and those `notADrive` refuses; then `unmountedDevices`.
// Letters stop at Z:, and `notADrive` is asked only of a mount about to get one.
std::vector<DriveSlot> assignDriveLetters(
    const std::vector<MountEntry>& mounts, const std::vector<std::string>& unmountedDevices,
    const std::function<bool(const MountEntry&)>& notADrive = {});

// The drive whose mount point is the longest prefix of the working directory, else C:, else
// -1 for an empty list.
int initialSelection(const std::vector<DriveSlot>& slots, std::string_view workingDirectory);

}  // namespace zarnel::linux_fs
