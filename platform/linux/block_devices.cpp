#include "platform/linux/block_devices.h"

#include <algorithm>
#include <set>

#include "platform/linux/read_file.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDeviceTree = "/dev/";
constexpr std::string_view kOpticalPrefix = "sr";
constexpr std::string_view kRamDiskPrefix = "zram";
constexpr std::string_view kMmcPrefix = "mmcblk";
constexpr std::string_view kSdCardType = "SD";

// A sysfs attribute that holds one whole number; 0 when missing or unreadable.
std::uint64_t numberAttribute(const fs::path& folder, const char* attribute) {
    const auto text = readFile(folder, attribute);
    if (!text) return 0;
    return wholeNumber<std::uint64_t>(trimmed(*text)).value_or(0);
}

}  // namespace

std::string kernelDeviceName(const fs::path& root, std::string_view source) {
    if (!source.starts_with(kDeviceTree)) return {};
    const fs::path node = root / fs::path(source).relative_path();
    std::error_code error;
    if (fs::is_symlink(node, error)) {
        const fs::path real = fs::canonical(node, error);
        if (!error) return real.filename().string();
        return fs::read_symlink(node, error).filename().string();
    }
    return fs::path(source).filename().string();
}

BlockDevice describeBlockDevice(const fs::path& root, std::string_view name) {
    BlockDevice device{.name = std::string(name), .disk = std::string(name), .hasMedium = true};
    std::error_code error;
    const fs::path real = fs::canonical(root / "sys/class/block" / name, error);
    if (error) return device;
    const fs::path diskFolder = fs::exists(real / "partition", error) ? real.parent_path() : real;
    device.disk = diskFolder.filename().string();
    device.removable = numberAttribute(diskFolder, "removable") != 0;
    // A built-in reader's card has no removable bit, the MMC bus names the card's kind.
    device.sdCard = device.disk.starts_with(kMmcPrefix) &&
                    trimmed(readFile(diskFolder, "device/type").value_or("")) == kSdCardType;
    device.optical = device.disk.starts_with(kOpticalPrefix);
    device.ram = device.disk.starts_with(kRamDiskPrefix);
    device.hasMedium = numberAttribute(diskFolder, "size") != 0;
    return device;
}

std::vector<std::string> unmountedRemovableDevices(const fs::path& root,
                                                   const std::vector<MountEntry>& mounts) {
    std::set<std::string> mountedDevices;
    for (const MountEntry& mount : mounts) {
        if (std::string name = kernelDeviceName(root, mount.source); !name.empty()) {
            mountedDevices.insert(std::move(name));
        }
    }
    std::vector<std::string> disks;
    std::error_code error;
    fs::directory_iterator entry(root / "sys/block", error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        disks.push_back(entry->path().filename().string());
    }
    std::sort(disks.begin(), disks.end());

    std::vector<std::string> devices;
    for (const std::string& disk : disks) {
        const BlockDevice device = describeBlockDevice(root, disk);
        if (!device.optical && !device.removable && !device.sdCard) continue;
        const bool mounted =
            std::any_of(mountedDevices.begin(), mountedDevices.end(), [&](const std::string& name) {
                std::error_code partitionError;
                return name == disk ||
                       (name.starts_with(disk) &&
                        fs::exists(root / "sys/block" / disk / name, partitionError));
            });
        if (!mounted) devices.push_back(std::string(kDeviceTree) + disk);
    }
    return devices;
}

}  // namespace zarnel::linux_fs
