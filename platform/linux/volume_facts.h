// A mounted volume's label, UUID and file-system name, from the cheapest source that knows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/linux/mountinfo.h"
#include "platform/linux/volume_ioctls.h"

namespace zarnel::linux_fs {

// The file system a volume query names, and the one whose flags it reports: a FUSE block
// mount ("fuseblk") shows what udev probed on its device, as Windows names it ("NTFS",
// "exFAT"); every other mount its kernel type.
struct ShownFileSystem {
    std::string name;
    std::string flagsType;
};
ShownFileSystem shownFileSystem(std::string_view fsType, std::string_view probedType);

struct VolumeFacts {
    std::string label;
    std::string uuid;
    ShownFileSystem fileSystem;
};

// The udev database first (one small file), else the dev/disk links, else the volume's own
// ioctls; `deviceName` is the kernel's block device behind the mount, empty for none.
VolumeFacts volumeFactsOf(const std::filesystem::path& root, const MountEntry& mount,
                          std::string_view deviceName, const MountRoot& mountRoot);

}  // namespace zarnel::linux_fs
