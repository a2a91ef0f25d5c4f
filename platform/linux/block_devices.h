// What sysfs tells of the block devices behind the drives.
#pragma once

#include <filesystem>
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
    bool ram = false;        // "zram0"
    bool hasMedium = false;  // the disk's size is not 0
};

// The kernel's name of the device a mount source names ("/dev/sda1" gives "sda1",
// "/dev/mapper/vg-root" its link's target "dm-0"); empty for a source that names no device.
std::string kernelDeviceName(const std::filesystem::path& root, std::string_view source);

// sys/class/block/<name>; a device sysfs does not know reads as a fixed disk with a medium.
BlockDevice describeBlockDevice(const std::filesystem::path& root, std::string_view name);

// Optical drives, removable disks and SD cards that hold no mounted file system, by name order:
// "/dev/sr0". Reads sysfs only, never the devices.
std::vector<std::string> unmountedRemovableDevices(const std::filesystem::path& root,
                                                   const std::vector<MountEntry>& mounts);

}  // namespace zarnel::linux_fs
