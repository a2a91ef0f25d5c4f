// Drives, their types, volume facts and free space.
#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>

#include "platform/bounded_questions.h"
#include "platform/errors.h"
#include "platform/linux/block_devices.h"
#include "platform/linux/byte_count.h"
#include "platform/linux/drive_kind.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/visible_text.h"
#include "platform/linux/volume_facts.h"
#include "platform/linux/volume_flags.h"
#include "platform/linux/volume_ids.h"
#include "platform/linux/volume_label.h"
#include "platform/linux/win32_errno.h"
#include "platform/name_copy.h"
#include "platform/text_fields.h"

namespace zarnel {
namespace {

using linux_fs::DriveSlot;
using linux_fs::MountEntry;

constexpr std::string_view kRootMount = "/";
constexpr std::string_view kAutomountTrigger = "autofs";

// The device number as the kernel writes it ("8:1"): what tells one mounted file system from
// another at the same place.
std::string deviceNumber(const MountEntry& mount) {
    return std::to_string(mount.major) + ':' + std::to_string(mount.minor);
}

// The mount whose source is `device` or one of its partitions ("sdb" holds "sdb1").
std::optional<MountEntry> mountOfDevice(linux_fs::BlockDeviceCache& devices,
                                        const std::vector<MountEntry>& mounts,
                                        std::string_view device) {
    const std::string disk = std::filesystem::path(device).filename().string();
    for (auto mount = mounts.rbegin(); mount != mounts.rend(); ++mount) {
        if (devices.nameOnDisk(*mount, disk)) return *mount;
    }
    return std::nullopt;
}

// The topmost mount at `mountPoint`; for "/", the volume drive c: is, there even when the
// table lacks it. An automount's trigger left where a share was (its idle time ran out) is no
// volume: asking it anything mounts the share again, from a server that may be gone.
std::optional<MountEntry> mountAt(const std::vector<MountEntry>& mounts,
                                  std::string_view mountPoint) {
    if (mountPoint == kRootMount) {
        if (const MountEntry* root = linux_fs::rootVolume(mounts)) return *root;
        MountEntry root;
        root.mountPoint = kRootMount;
        return root;
    }
    for (auto mount = mounts.rbegin(); mount != mounts.rend(); ++mount) {
        if (mount->mountPoint != mountPoint) continue;
        if (mount->fsType == kAutomountTrigger) return std::nullopt;
        return *mount;
    }
    return std::nullopt;
}

// What is mounted now for a lettered drive: the topmost mount at its point, or for a device
// the mount of its medium.
std::optional<MountEntry> mountOf(linux_fs::BlockDeviceCache& devices,
                                  const std::vector<MountEntry>& mounts, const DriveSlot& slot) {
    return slot.mountPoint.empty() ? mountOfDevice(devices, mounts, slot.device)
                                   : mountAt(mounts, slot.mountPoint);
}

// What a lettered drive is, whatever is mounted in it (`mount`, what is at its point): a
// device without a medium is the device, and so is a medium mounted in a removable drive; any
// other mount is its place.
std::string driveOf(linux_fs::BlockDeviceCache& devices,
                    const std::map<std::string, std::string, std::less<>>& removableDisks,
                    const DriveSlot& slot, const std::optional<MountEntry>& mount) {
    if (slot.mountPoint.empty()) return slot.device;
    if (mount && !removableDisks.empty()) {
        const auto disk = removableDisks.find(devices.kernelName(*mount));
        if (disk != removableDisks.end()) return disk->second;
    }
    return slot.mountPoint;
}

// The mount as the kernel describes it, less the number a later mount may take again.
std::string volumeOf(const std::optional<MountEntry>& mount) {
    if (!mount) return "";
    return deviceNumber(*mount) + ' ' + mount->fsType + ' ' + mount->source + ' ' + mount->root +
           ' ' + mount->superOptions;
}

std::filesystem::path mountPointBelow(const std::filesystem::path& root, const MountEntry& mount) {
    return root / std::filesystem::path(mount.mountPoint).relative_path();
}

// A 32-bit build counts a big volume's blocks and files in 64 bits too (the build asks for it).
static_assert(sizeof(fsblkcnt_t) == sizeof(std::uint64_t) &&
                  sizeof(fsfilcnt_t) == sizeof(std::uint64_t),
              "statvfs must count a big volume's blocks and files");

// statvfs of the mount point below the provider's root; with a deadline where the answer may
// never come (a share, a program's file system).
bool statVolume(const std::filesystem::path& root, const MountEntry& mount,
                const linux_fs::NetworkStat& networkStat, struct statvfs& info,
                std::uint32_t& error) {
    const std::string path = mountPointBelow(root, mount);
    int failure = 0;
    if (linux_fs::mayLeaveQuestionsUnanswered(mount.fsType)) {
        // A program serving a disk may have to wake the disk first.
        const auto deadline = linux_fs::isNetworkFileSystem(mount.fsType)
                                  ? kNetworkAnswerDeadline
                                  : kRemovableMediumAnswerDeadline;
        failure = networkStat(path, deviceNumber(mount), info, deadline);
    } else if (::statvfs(path.c_str(), &info) != 0) {
        failure = errno;
    }
    if (failure == 0) return true;
    error = linux_fs::win32ErrorFromErrno(failure);
    return false;
}

// A mount of one file rather than a directory. Shares and programs' file systems are not
// looked at: they may not answer.
bool isFileMount(const std::filesystem::path& root, const MountEntry& mount) {
    if (mount.root == kRootMount || linux_fs::mayLeaveQuestionsUnanswered(mount.fsType)) {
        return false;
    }
    std::error_code error;
    const auto status = std::filesystem::symlink_status(mountPointBelow(root, mount), error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

const std::vector<MountEntry>& LinuxPlatform::currentMounts() {
    const std::vector<MountEntry>& mounts = mountTable_.current();
    devices_.follow(mountTable_.generation());
    return mounts;
}

DriveList LinuxPlatform::drives() {
    const std::vector<MountEntry>& mounts = currentMounts();
    // Mounts that would pass for drives but are not one: an EFI system partition, and a single
    // file bind-mounted in place (a container's etc/hosts, from the host's disk). Asked only of
    // the few mounts that would get a letter: udev's data and the mount point cost a read.
    const auto notADrive = [this](const MountEntry& mount) {
        return isFileMount(root_, mount) ||
               linux_fs::isEfiSystemPartition(mount,
                                              devices_.partitionType(devices_.kernelName(mount)));
    };
    const linux_fs::RemovableDisks removable = linux_fs::removableDisks(devices_, mounts);
    slots_ = linux_fs::assignDriveLetters(mounts, removable.unmounted, notADrive);
    DriveList list;
    for (const DriveSlot& slot : *slots_) {
        // A device gets a letter of its own only while nothing of it is mounted.
        const auto mount =
            slot.mountPoint.empty() ? std::nullopt : mountAt(mounts, slot.mountPoint);
        list.entries.push_back(slot.entryText());
        list.drives.push_back(driveOf(devices_, removable.diskOfName, slot, mount));
        list.volumes.push_back(volumeOf(mount));
    }
    list.selected = linux_fs::initialSelection(*slots_, environment.workingDirectory);
    return list;
}

const DriveSlot* LinuxPlatform::slotOf(std::string_view root) {
    constexpr std::size_t kLetterAndColon = 2;
    if (root.size() < kLetterAndColon || root[1] != ':') return nullptr;
    if (!slots_) drives();
    const auto letter = asciiLower(root[0]);
    for (const DriveSlot& slot : *slots_) {
        if (slot.letter == letter) return &slot;
    }
    return nullptr;
}

std::optional<MountEntry> LinuxPlatform::mountedVolume(std::string_view root) {
    const DriveSlot* slot = slotOf(root);
    if (!slot) {
        lastError_ = win32_error::kPathNotFound;
        return std::nullopt;
    }
    const std::vector<MountEntry>& mounts = currentMounts();
    auto mount = mountOf(devices_, mounts, *slot);
    if (!mount) {
        // A device without a mounted medium is not ready, as an empty drive is; a mount point
        // left empty or a device taken away since the list was built is a path not found.
        lastError_ =
            listedDevicePresent(*slot) ? win32_error::kNotReady : win32_error::kPathNotFound;
    }
    return mount;
}

bool LinuxPlatform::listedDevicePresent(const DriveSlot& slot) const {
    return slot.mountPoint.empty() &&
           linux_fs::blockDevicePresent(root_,
                                        std::filesystem::path(slot.device).filename().string());
}

std::uint32_t LinuxPlatform::getDriveType(std::string_view root) {
    const DriveSlot* slot = slotOf(root);
    if (!slot) return drive_type::kNoRootDir;
    const std::vector<MountEntry>& mounts = currentMounts();
    const std::optional<MountEntry> mount = mountOf(devices_, mounts, *slot);
    if (!mount && !listedDevicePresent(*slot)) return drive_type::kNoRootDir;
    const std::string device = mount ? devices_.kernelName(*mount)
                                     : std::filesystem::path(slot->device).filename().string();
    const std::string fsType = mount ? mount->fsType : std::string();
    if (device.empty()) return linux_fs::driveTypeOf(fsType, nullptr);
    return linux_fs::driveTypeOf(fsType, &devices_.describe(device));
}

int LinuxPlatform::getVolumeInformation(std::string_view root, std::span<char> volumeName,
                                        std::uint32_t& serialNumber,
                                        std::uint32_t& maximumComponentLength,
                                        std::uint32_t& fileSystemFlags,
                                        std::span<char> fileSystemName) {
    const std::optional<MountEntry> mount = mountedVolume(root);
    if (!mount) return 0;
    struct statvfs info {};
    if (!statVolume(root_, *mount, networkStat, info, lastError_)) return 0;
    const std::string& device = devices_.kernelName(*mount);
    // A share, or a program's file system, is never asked through ioctls: a server that went
    // away, or a program stuck on its disk, would hold them.
    const bool local = !linux_fs::mayLeaveQuestionsUnanswered(mount->fsType);
    const linux_fs::MountRoot mountRoot(local ? mountPointBelow(root_, *mount) : "", *mount);
    const linux_fs::VolumeFacts facts = linux_fs::volumeFactsOf(root_, *mount, device, mountRoot);
    // No Windows label runs to a path's length, but an f2fs or btrfs one can: it is cut to one,
    // not taken for a buffer too small to hold the volume's facts.
    constexpr std::size_t kLongestLabel = kMaxPath - 1;
    const std::string label =
        linux_fs::shownLabel(facts.label, facts.fileSystem.flagsType, kLongestLabel);
    if (!copyTextsWhole(
            {{label, volumeName}, {linux_fs::visibleText(facts.fileSystem.name), fileSystemName}},
            lastError_)) {
        return 0;
    }
    serialNumber = linux_fs::serialFromUuid(facts.uuid);
    maximumComponentLength = linux_fs::maximumComponentLength(mount->fsType, info.f_namemax);
    fileSystemFlags = linux_fs::volumeFlags(facts.fileSystem.flagsType,
                                            mount->mountOptions + "," + mount->superOptions);
    if (!mountRoot.canEncrypt()) fileSystemFlags &= ~volume_flag::kSupportsEncryption;
    lastError_ = win32_error::kSuccess;
    return 1;
}

int LinuxPlatform::getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                                      std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) {
    const std::optional<MountEntry> mount = mountedVolume(root);
    if (!mount) return 0;
    struct statvfs info {};
    if (!statVolume(root_, *mount, networkStat, info, lastError_)) return 0;
    freeBytesAvailable = bytesOf(info.f_bavail, info.f_frsize);
    // The quotas of the user and of the user's group bound what they may still write; a
    // share's server keeps its own, and no program's file system keeps any.
    if (!linux_fs::mayLeaveQuestionsUnanswered(mount->fsType)) {
        const auto left = userQuotaLeft(mountPointBelow(root_, *mount).string(), environment.userId,
                                        environment.groupId);
        if (left) freeBytesAvailable = std::min(freeBytesAvailable, *left);
    }
    // The size the caller may use, as Windows gives it: the used space is then what the file
    // system's users have filled, not that and its reserve, which its free space leaves out too.
    totalBytes =
        bytesOf(linux_fs::usableBlocks(info.f_blocks, info.f_bfree, info.f_bavail), info.f_frsize);
    totalFreeBytes = bytesOf(info.f_bavail, info.f_frsize);
    lastError_ = win32_error::kSuccess;
    return 1;
}

}  // namespace zarnel
