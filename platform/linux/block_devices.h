// What sysfs tells of the block devices behind the drives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/mountinfo.h"

namespace zarnel::linux_fs {

struct BlockDevice {
    std::string name;        // "sdb1"
    std::string disk;        // "sdb": the whole disk that holds it
    bool removable = false;  // the disk's "removable" attribute
    bool sdCard = false;     // an SD card in a built-in reader ("mmcblk0", device/type "SD")
    bool optical = false;    // "sr0"
    bool ram = false;        // "zram0", "ram0"
};

// The kernel's name of the device a mount is from ("/dev/sda1" gives "sda1",
// "/dev/mapper/vg-root" its link's target "dm-0"); empty for a source that names no device.
// "/dev/root", as the kernel names a root it mounted itself, has no node under dev: it is
// found by the mount's device number.
std::string kernelDeviceName(const std::filesystem::path& root, const MountEntry& mount);

// sys/class/block/<name>; a device sysfs does not know reads as a fixed disk. A device built
// on others (an opened encrypted partition, a logical volume) is of the kind of the disks
// beneath it.
BlockDevice describeBlockDevice(const std::filesystem::path& root, std::string_view name);

// Whether sysfs knows the device now, asked afresh: a stick with nothing mounted can be pulled
// out without the mount table changing.
bool blockDevicePresent(const std::filesystem::path& root, std::string_view name);

// The answers above remembered for one read of the mount table: a change of drive asks about
// the same devices three times, and a table of thousands of mounts names many of them.
class BlockDeviceCache {
  public:
    explicit BlockDeviceCache(std::filesystem::path root) : root_(std::move(root)) {}

    // Forgets everything when the table was read again since the last call.
    void follow(std::uint64_t tableGeneration);
    const std::string& kernelName(const MountEntry& mount);
    const BlockDevice& describe(std::string_view name);
    // The kernel names a whole disk's file systems are mounted from: the disk's own, its
    // partitions' and those of the devices built on them ("sdb", "sdb1", and "dm-0" for an
    // encrypted stick opened). Whether a mount is on a disk is then a lookup of the mount's
    // device name rather than a description of the device: a dozen reads of sysfs apiece, for
    // each of a build host's thousands of loop devices.
    const std::set<std::string, std::less<>>& namesOnDisk(std::string_view disk);
    // The name among namesOnDisk(disk) that `mount` is from; null when it is from none. A mount
    // that carries its device's number is matched by that number against the ones sysfs gives
    // for the names, with no lookup of its source's node: a build host's thousands of loop
    // device mounts are then not a thousand lookups in /dev. A file system the kernel numbers
    // apart from its device (btrfs, FUSE) is matched by its source's name.
    const std::string* nameOnDisk(const MountEntry& mount, std::string_view disk);
    // udev's ID_PART_ENTRY_TYPE of the device; empty when udev does not say.
    const std::string& partitionType(std::string_view name);
    const std::filesystem::path& root() const { return root_; }

  private:
    struct DiskNames {
        std::set<std::string, std::less<>> names;
        // Each name's device number; empty unless sysfs gives every one.
        std::map<DeviceNumber, std::string> byNumber;
    };
    const DiskNames& diskNames(std::string_view disk);

    std::filesystem::path root_;
    std::uint64_t generation_ = 0;
    std::map<std::string, std::string, std::less<>> names_;
    std::map<std::string, BlockDevice, std::less<>> devices_;
    std::map<std::string, std::string, std::less<>> partitionTypes_;
    std::map<std::string, DiskNames, std::less<>> diskNames_;
};

// The machine's optical drives, removable disks and SD cards, by name order. Reads sysfs
// only, never the devices.
struct RemovableDisks {
    // Those that hold no mounted file system: "/dev/sr0".
    std::vector<std::string> unmounted;
    // Each kernel name on one of them, with the disk's device: "sdb1" and "dm-0" give "/dev/sdb".
    std::map<std::string, std::string, std::less<>> diskOfName;
};
RemovableDisks removableDisks(BlockDeviceCache& devices, const std::vector<MountEntry>& mounts);

}  // namespace zarnel::linux_fs
