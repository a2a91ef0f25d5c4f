// The drive-type code of a drive, from its file system and the device behind it.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/linux/block_devices.h"

namespace zarnel::linux_fs {

// Remote for a network file system, CD-ROM for an optical drive, removable for a disk with
// the removable bit or an SD card (whatever its file system), CD-ROM for a disc file system on
// any other device, RAM disk for tmpfs, ramfs, zram and ram devices, else fixed. `device` is
// null for a mount that no block device backs.
std::uint32_t driveTypeOf(std::string_view fsType, const BlockDevice* device);

}  // namespace zarnel::linux_fs
