// A volume's label and serial number, from the links udev keeps in dev/disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// udev writes unsafe bytes of a label as "\x20"; this gives the label back.
std::string decodeUdevEscapes(std::string_view text);

// The serial a volume query reports for a file-system UUID: a FAT or exFAT "1234-ABCD" whole,
// the low 32 bits of an NTFS 16-digit serial, the first 8 hex digits of any other; else 0.
std::uint32_t serialFromUuid(std::string_view uuid);

struct VolumeIds {
    std::string label;
    std::string uuid;
};

// The label and UUID whose links in dev/disk/by-label and dev/disk/by-uuid point at the
// kernel's block device `deviceName` ("sda1", "dm-0").
VolumeIds volumeIdsOf(const std::filesystem::path& root, std::string_view deviceName);

}  // namespace zarnel::linux_fs
