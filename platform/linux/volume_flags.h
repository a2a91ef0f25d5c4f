// The file-system flags a volume query reports, from the kernel's file-system type and the
// mount's options.
#pragma once

#include <cstdint>
#include <string_view>

namespace zarnel::linux_fs {

// FILE_* bits the volume query can report.
namespace volume_flag {
inline constexpr std::uint32_t kCaseSensitiveSearch = 0x1;
inline constexpr std::uint32_t kCasePreservedNames = 0x2;
inline constexpr std::uint32_t kUnicodeOnDisk = 0x4;
inline constexpr std::uint32_t kPersistentAcls = 0x8;
inline constexpr std::uint32_t kFileCompression = 0x10;
inline constexpr std::uint32_t kVolumeQuotas = 0x20;
inline constexpr std::uint32_t kVolumeIsCompressed = 0x8000;
inline constexpr std::uint32_t kSupportsEncryption = 0x20000;
inline constexpr std::uint32_t kNamedStreams = 0x40000;
inline constexpr std::uint32_t kReadOnlyVolume = 0x80000;
}  // namespace volume_flag

// `options`: the mount options and the super options, comma-separated.
std::uint32_t volumeFlags(std::string_view fsType, std::string_view options);

}  // namespace zarnel::linux_fs
