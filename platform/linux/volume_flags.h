// The file-system flags a volume query reports, from the kernel's file-system type and the
// mount's options.
#pragma once

#include <cstdint>
#include <string_view>

namespace zarnel::linux_fs {

// `options`: the mount options and the super options, comma-separated.
std::uint32_t volumeFlags(std::string_view fsType, std::string_view options);

// The longest file name in characters, from the kernel's figure (statvfs f_namemax) for a
// mount of kernel type `fsType` ("fuseblk" for any FUSE driver's, whatever it mounts).
std::uint32_t maximumComponentLength(std::string_view fsType, unsigned long nameMax);

}  // namespace zarnel::linux_fs
