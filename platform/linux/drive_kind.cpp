#include "platform/linux/drive_kind.h"

#include "platform/linux/drive_letters.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {

std::uint32_t driveTypeOf(std::string_view fsType, const BlockDevice* device) {
    if (isNetworkFileSystem(fsType)) return drive_type::kRemote;
    if (device && device->optical) return drive_type::kCdRom;
    // GetDriveType calls removable only media with the removable bit, so a USB hard disk or
    // SSD is fixed and an SD card in any reader is removable. An installer written to a stick
    // is a disc's file system on a removable drive.
    if (device && (device->removable || device->sdCard)) return drive_type::kRemovable;
    // A disc image opened as a drive is a disc drive, as Windows mounts one.
    if (fsType == "iso9660" || fsType == "udf") return drive_type::kCdRom;
    if (isRamFileSystem(fsType) || (device && device->ram)) return drive_type::kRamDisk;
    return drive_type::kFixed;
}

}  // namespace zarnel::linux_fs
