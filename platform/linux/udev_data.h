// run/udev/data: what udev learnt of a block device when it appeared, kept where no
// dev/disk links are (containers, minimal systems) or they are incomplete.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

struct UdevVolume {
    std::string label;          // ID_FS_LABEL_ENC, decoded
    std::string uuid;           // ID_FS_UUID
    std::string fsType;         // ID_FS_TYPE: "ntfs", "exfat", "vfat"
    std::string partitionType;  // ID_PART_ENTRY_TYPE: a GPT type GUID or an MBR "0xef"
};

// The "E:" properties of one device's database file; a field stays empty when its line is
// missing.
UdevVolume parseUdevData(std::string_view text);

// The database entry of the kernel's block device `deviceName` ("sda1"), found by the device
// number sysfs gives it; all empty when either is missing.
UdevVolume udevVolumeOf(const std::filesystem::path& root, std::string_view deviceName);

// The EFI system partition's type, by its GPT partition type GUID or MBR type 0xEF.
bool isEfiPartitionType(std::string_view partitionType);

}  // namespace zarnel::linux_fs
