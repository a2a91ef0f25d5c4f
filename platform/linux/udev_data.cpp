#include "platform/linux/udev_data.h"

#include <array>

#include "platform/linux/read_file.h"
#include "platform/linux/volume_ids.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kPropertyPrefix = "E:";

constexpr std::array<std::string_view, 2> kEfiPartitionTypes = {
    "c12a7328-f81f-11d2-ba4b-00a0c93ec93b", "0xef"};

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = asciiLower(c);
    return lower;
}

}  // namespace

UdevVolume parseUdevData(std::string_view text) {
    UdevVolume volume;
    while (!text.empty()) {
        std::string_view line = takeLine(text);
        if (!line.starts_with(kPropertyPrefix)) continue;
        line.remove_prefix(kPropertyPrefix.size());
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "ID_FS_LABEL_ENC") {
            volume.label = decodeUdevEscapes(value);
        } else if (key == "ID_FS_UUID") {
            volume.uuid = value;
        } else if (key == "ID_FS_TYPE") {
            volume.fsType = value;
        } else if (key == "ID_PART_ENTRY_TYPE") {
            volume.partitionType = value;
        }
    }
    return volume;
}

UdevVolume udevVolumeOf(const std::filesystem::path& root, std::string_view deviceName) {
    if (deviceName.empty()) return {};
    const auto number =
        readFile(root, std::filesystem::path("sys/class/block") / deviceName / "dev");
    if (!number) return {};
    const auto data = readFile(root, "run/udev/data/b" + std::string(trimmed(*number)));
    return data ? parseUdevData(*data) : UdevVolume{};
}

bool isEfiPartitionType(std::string_view partitionType) {
    const std::string type = lowerCase(partitionType);
    for (std::string_view efi : kEfiPartitionTypes) {
        if (type == efi) return true;
    }
    return false;
}

}  // namespace zarnel::linux_fs
