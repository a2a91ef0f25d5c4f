#include "platform/linux/volume_facts.h"

#include <array>

#include "platform/linux/udev_data.h"
#include "platform/linux/volume_ids.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kFuseBlock = "fuseblk";

struct WindowsName {
    std::string_view probedType;
    std::string_view name;
};

// The names Windows gives the file systems a FUSE driver mounts from a disk.
constexpr std::array<WindowsName, 2> kWindowsNames = {{{"ntfs", "NTFS"}, {"exfat", "exFAT"}}};

}  // namespace

ShownFileSystem shownFileSystem(std::string_view fsType, std::string_view probedType) {
    if (fsType != kFuseBlock || probedType.empty()) {
        return {.name = std::string(fsType), .flagsType = std::string(fsType)};
    }
    for (const WindowsName& row : kWindowsNames) {
        if (row.probedType == probedType) {
            return {.name = std::string(row.name), .flagsType = std::string(probedType)};
        }
    }
    return {.name = std::string(probedType), .flagsType = std::string(probedType)};
}

VolumeFacts volumeFactsOf(const std::filesystem::path& root, const MountEntry& mount,
                          std::string_view deviceName, const MountRoot& mountRoot) {
    const UdevVolume udev = udevVolumeOf(root, deviceName);
    VolumeFacts facts{
        .label = "", .uuid = "", .fileSystem = shownFileSystem(mount.fsType, udev.fsType)};
    // udev records ID_FS_TYPE for every device it probed; its label and UUID are then the
    // whole answer, an empty label included.
    if (!udev.fsType.empty()) {
        facts.label = udev.label;
        facts.uuid = udev.uuid;
        return facts;
    }
    const VolumeIds links = volumeIdsOf(root, deviceName);
    facts.label = links.label;
    facts.uuid = links.uuid;
    if (facts.label.empty()) facts.label = mountRoot.label().value_or("");
    if (facts.uuid.empty()) facts.uuid = mountRoot.uuid().value_or("");
    return facts;
}

}  // namespace zarnel::linux_fs
