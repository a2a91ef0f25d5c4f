#include "platform/linux/block_devices.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/linux/read_file.h"
#include "platform/linux/udev_data.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDeviceTree = "/dev/";
// How the kernel names a root file system it mounted itself.
constexpr std::string_view kKernelRootSource = "/dev/root";
constexpr std::string_view kOpticalPrefix = "sr";
constexpr std::string_view kRamDiskPrefixes[] = {"zram", "ram"};
constexpr std::string_view kMmcPrefix = "mmcblk";
constexpr std::string_view kSdCardType = "SD";
// Devices stacked deeper than this (a logical volume in an encrypted partition on a RAID is
// three) are taken as they are: sysfs links do not loop, a corrupt tree might.
constexpr int kMaxStackDepth = 8;
// The major number of file systems with no device of their own, and of those the kernel
// numbers apart from theirs (btrfs, FUSE).
constexpr unsigned kUnnamedMajor = 0;

// A sysfs attribute that holds one whole number; 0 when missing or unreadable.
std::uint64_t numberAttribute(const fs::path& folder, const char* attribute) {
    const auto text = readFile(folder, attribute);
    if (!text) return 0;
    return wholeNumber<std::uint64_t>(trimmed(*text)).value_or(0);
}

// What kind of disk `device.disk` is, read from its sysfs folder.
void readDiskKind(const fs::path& diskFolder, BlockDevice& device) {
    device.optical = device.disk.starts_with(kOpticalPrefix);
    device.ram = std::ranges::any_of(
        kRamDiskPrefixes, [&](std::string_view prefix) { return device.disk.starts_with(prefix); });
    device.removable = numberAttribute(diskFolder, "removable") != 0;
    // A built-in reader's card has no removable bit, the MMC bus names the card's kind.
    device.sdCard = device.disk.starts_with(kMmcPrefix) &&
                    trimmed(readFile(diskFolder, "device/type").value_or("")) == kSdCardType;
}

// The names in a sysfs folder: a disk's partitions and attributes, sys/block's disks, or a
// device's "holders" and "slaves" (the devices built on it, or those it is built on).
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        names.push_back(entry->path().filename().string());
    }
    return names;
}

// The partitions in a disk's folder, each a folder marked by its "partition" attribute.
std::vector<std::string> partitionsIn(const fs::path& diskFolder, std::string_view disk) {
    std::vector<std::string> partitions;
    for (std::string& name : namesIn(diskFolder)) {
        std::error_code missing;
        if (name.starts_with(disk) && fs::exists(diskFolder / name / "partition", missing)) {
            partitions.push_back(std::move(name));
        }
    }
    return partitions;
}

// The device at sys/class/block/<name>, `depth` devices above the one first asked about.
BlockDevice describeAt(const fs::path& root, std::string_view name, int depth) {
    BlockDevice device{.name = std::string(name), .disk = std::string(name)};
    std::error_code error;
    const fs::path real = fs::canonical(root / "sys/class/block" / name, error);
    if (error) return device;
    const fs::path diskFolder = fs::exists(real / "partition", error) ? real.parent_path() : real;
    device.disk = diskFolder.filename().string();
    const std::vector<std::string> beneath =
        depth < kMaxStackDepth ? namesIn(diskFolder / "slaves") : std::vector<std::string>{};
    if (beneath.empty()) {
        readDiskKind(diskFolder, device);
        return device;
    }
    // Removable only when all of it is: a volume spanning a stick and a fixed disk stays put.
    device.removable = device.sdCard = device.optical = device.ram = true;
    for (const std::string& lower : beneath) {
        const BlockDevice part = describeAt(root, lower, depth + 1);
        device.removable &= part.removable;
        device.sdCard &= part.sdCard;
        device.optical &= part.optical;
        device.ram &= part.ram;
    }
    return device;
}

}  // namespace

std::string kernelDeviceName(const fs::path& root, const MountEntry& mount) {
    const std::string_view source = mount.source;
    if (!source.starts_with(kDeviceTree)) return {};
    const fs::path node = root / fs::path(source).relative_path();
    std::error_code error;
    const fs::file_status status = fs::symlink_status(node, error);
    if (fs::is_symlink(status)) {
        const fs::path real = fs::canonical(node, error);
        if (!error) return real.filename().string();
        return fs::read_symlink(node, error).filename().string();
    }
    // Any other source names its device even where no node stands for it ("/dev/sda1" in a
    // container that has none), so only this one is looked up.
    if (source == kKernelRootSource && status.type() == fs::file_type::not_found) {
        const fs::path byNumber = root / "sys/dev/block" /
                                  (std::to_string(mount.major) + ":" + std::to_string(mount.minor));
        const fs::path target = fs::read_symlink(byNumber, error);
        if (!error) return target.filename().string();
    }
    return fs::path(source).filename().string();
}

BlockDevice describeBlockDevice(const fs::path& root, std::string_view name) {
    return describeAt(root, name, 0);
}

bool blockDevicePresent(const fs::path& root, std::string_view name) {
    std::error_code error;
    return fs::exists(root / "sys/class/block" / name, error);
}

void BlockDeviceCache::follow(std::uint64_t tableGeneration) {
    if (tableGeneration == generation_) return;
    generation_ = tableGeneration;
    names_.clear();
    devices_.clear();
    partitionTypes_.clear();
    diskNames_.clear();
}

const std::string& BlockDeviceCache::kernelName(const MountEntry& mount) {
    if (const auto known = names_.find(mount.source); known != names_.end()) return known->second;
    return names_.emplace(mount.source, kernelDeviceName(root_, mount)).first->second;
}

const BlockDevice& BlockDeviceCache::describe(std::string_view name) {
    if (const auto known = devices_.find(name); known != devices_.end()) return known->second;
    return devices_.emplace(std::string(name), describeBlockDevice(root_, name)).first->second;
}

const std::string& BlockDeviceCache::partitionType(std::string_view name) {
    if (const auto known = partitionTypes_.find(name); known != partitionTypes_.end()) {
        return known->second;
    }
    return partitionTypes_.emplace(std::string(name), udevVolumeOf(root_, name).partitionType)
        .first->second;
}

const std::set<std::string, std::less<>>& BlockDeviceCache::namesOnDisk(std::string_view disk) {
    return diskNames(disk).names;
}

const std::string* BlockDeviceCache::nameOnDisk(const MountEntry& mount, std::string_view disk) {
    const DiskNames& onDisk = diskNames(disk);
    if (mount.major != kUnnamedMajor && !onDisk.byNumber.empty()) {
        const auto name = onDisk.byNumber.find(mount.number());
        return name == onDisk.byNumber.end() ? nullptr : &name->second;
    }
    const auto name = onDisk.names.find(kernelName(mount));
    return name == onDisk.names.end() ? nullptr : &*name;
}

const BlockDeviceCache::DiskNames& BlockDeviceCache::diskNames(std::string_view disk) {
    if (const auto known = diskNames_.find(disk); known != diskNames_.end()) return known->second;
    std::set<std::string, std::less<>> names{std::string(disk)};
    const fs::path diskFolder = root_ / "sys/block" / disk;
    std::vector<fs::path> folders{diskFolder};
    for (std::string& partition : partitionsIn(diskFolder, disk)) {
        folders.push_back(diskFolder / partition);
        names.insert(std::move(partition));
    }
    // Then the devices built on them with their partitions (an array's "md0p1"), and the
    // devices on those in turn.
    for (int depth = 0; depth < kMaxStackDepth && !folders.empty(); ++depth) {
        std::vector<fs::path> above;
        for (const fs::path& folder : folders) {
            for (std::string& holder : namesIn(folder / "holders")) {
                if (!names.insert(holder).second) continue;
                const fs::path holderFolder = root_ / "sys/block" / holder;
                above.push_back(holderFolder);
                for (std::string& partition : partitionsIn(holderFolder, holder)) {
                    if (names.insert(partition).second) above.push_back(holderFolder / partition);
                }
            }
        }
        folders = std::move(above);
    }
    std::map<DeviceNumber, std::string> byNumber;
    for (const std::string& name : names) {
        const auto number = parseDeviceNumber(
            trimmed(readFile(root_ / "sys/class/block" / name, "dev").value_or("")));
        if (!number) {
            byNumber.clear();
            break;
        }
        byNumber.emplace(*number, name);
    }
    return diskNames_
        .emplace(std::string(disk),
                 DiskNames{.names = std::move(names), .byNumber = std::move(byNumber)})
        .first->second;
}

RemovableDisks removableDisks(BlockDeviceCache& devices, const std::vector<MountEntry>& mounts) {
    std::vector<std::string> candidates;
    const fs::path sysBlock = devices.root() / "sys/block";
    for (const std::string& name : namesIn(sysBlock)) {
        // sys/block lists whole disks only: nothing to resolve, no partition to climb out of,
        // and the size does not matter yet. A machine with dozens of loop devices (one per
        // snap) reads one attribute of each.
        BlockDevice disk{.name = name, .disk = name};
        readDiskKind(sysBlock / name, disk);
        if (disk.optical || disk.removable || disk.sdCard) candidates.push_back(disk.name);
    }
    // Most machines have no such drive, and then thousands of mounts need no resolving.
    RemovableDisks removable;
    if (candidates.empty()) return removable;
    std::sort(candidates.begin(), candidates.end());

    for (const std::string& disk : candidates) {
        for (const std::string& name : devices.namesOnDisk(disk)) {
            removable.diskOfName.emplace(name, std::string(kDeviceTree) + disk);
        }
        // A device built on several disks (a volume spanning two sticks) is mounted from each.
        const bool mounted = std::ranges::any_of(mounts, [&](const MountEntry& mount) {
            return devices.nameOnDisk(mount, disk) != nullptr;
        });
        // A container sees the host's disks in sysfs, mounted or not where it cannot tell, but
        // has the device nodes only of those it was given: the others are no drives of its own.
        std::error_code error;
        if (!mounted && fs::exists(devices.root() / kDeviceTree.substr(1) / disk, error)) {
            removable.unmounted.push_back(std::string(kDeviceTree) + disk);
        }
    }
    return removable;
}

}  // namespace zarnel::linux_fs
