#include "platform/linux/drive_letters.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>

#include "platform/linux/udev_data.h"
#include "platform/linux/visible_text.h"

namespace zarnel::linux_fs {
namespace {

constexpr char kFirstLetter = 'c';
constexpr char kLastLetter = 'z';
constexpr std::string_view kRootMount = "/";
// Where an image-based system mounts the file system its images are deployed from.
constexpr std::string_view kDeployedRoot = "/sysroot";
constexpr std::string_view kOverlay = "overlay";

// A virtiofs share is the host's folder, reached as 9p is: remote, like a network share. So are
// the shared folders of other virtual machines' guest tools, and WSL 1's Windows drives. One
// file system of these may be mounted as several exports, each a drive of its own (two NFS
// exports of one server disk share its device number).
constexpr std::array<std::string_view, 18> kExportingFileSystems = {"nfs",
                                                                    "nfs4",
                                                                    "cifs",
                                                                    "smb3",
                                                                    "9p",
                                                                    "ceph",
                                                                    "afs",
                                                                    "virtiofs",
                                                                    "davfs",
                                                                    "fuse.sshfs",
                                                                    "fuse.glusterfs",
                                                                    "fuse.rclone",
                                                                    "fuse.s3fs",
                                                                    "fuse.gcsfuse",
                                                                    "vboxsf",
                                                                    "fuse.vmhgfs-fuse",
                                                                    "prl_fs",
                                                                    "drvfs"};
// File systems a program serves: "fuse" and, for a disk, "fuseblk"; "fuse.<subtype>" names
// the program.
constexpr std::string_view kFuse = "fuse";
constexpr std::string_view kFuseBlock = "fuseblk";
constexpr std::string_view kFuseSubtypes = "fuse.";
// The cluster file systems that hold a cluster's homes and scratch space: remote too, their
// sources naming no device, but mounted whole, so a mount of a folder of one is a folder.
constexpr std::array<std::string_view, 6> kClusterFileSystems = {
    "lustre", "gpfs", "beegfs", "pvfs2", "fuse.ceph-fuse", "fuse.juicefs"};
// Local file systems whose source names a pool rather than a device node.
constexpr std::array<std::string_view, 1> kPoolFileSystems = {"zfs"};
// What parts a snapshot's name from its dataset's: "tank/home@daily".
constexpr char kSnapshotMark = '@';
// The system's own folders. A distribution that puts one disk's file system or pool in
// subvolumes or datasets mounts them here (/var, /usr/local, the snapshots): folders of the
// system's drive, not a dozen drives of their own.
// NixOS and Guix keep the system itself in their stores (/nix, /gnu) rather than in /usr.
constexpr std::array<std::string_view, 10> kSystemFolders = {
    "/.snapshots", "/boot", "/gnu", "/nix", "/opt", "/root", "/srv", "/swap", "/usr", "/var"};
// Where an image-based system (Fedora's atomic desktops) keeps the users' homes: /home links
// there.
constexpr std::string_view kImageBasedHomes = "/var/home";
// Where the EFI system partition is mounted when nothing tells its partition type.
constexpr std::array<std::string_view, 2> kEfiMountPoints = {"/boot/efi", "/efi"};
constexpr std::array<std::string_view, 2> kRamFileSystems = {"tmpfs", "ramfs"};
// Where the desktop mounts what the user plugs in or opens; also its RAM disks' place.
constexpr std::string_view kMediaTree = "/media";
constexpr std::array<std::string_view, 3> kRamDrivePlaces = {"/tmp", "/mnt", kMediaTree};
// WSL keeps the Windows drivers and its graphics bridge in trees of its own, and mounts its
// init from a share of its own. An image-based system mounts the file system its images are
// deployed from at /sysroot: the volume of c:, never a drive of its own.
constexpr std::array<std::string_view, 10> kSystemTrees = {
    "/proc",           "/sys",         "/dev",      "/run",  "/snap",
    "/var/lib/docker", "/usr/lib/wsl", "/mnt/wslg", "/init", kDeployedRoot};
// RAM folders below /mnt that a system keeps for its own machinery: WSL's scratch space,
// shared by its distributions (the disks it mounts lie below it), and the empty folder a
// Chromebook's Linux container holds the storage it is handed in.
constexpr std::array<std::string_view, 2> kMachineryScratch = {"/mnt/wsl", "/mnt/external"};
constexpr std::string_view kRemovableMediaTree = "/run/media";
constexpr std::string_view kDeviceTree = "/dev/";
constexpr std::string_view kLoopDevices = "/dev/loop";

template <std::size_t N>
bool isOneOf(std::string_view text, const std::array<std::string_view, N>& set) {
    for (std::string_view s : set) {
        if (s == text) return true;
    }
    return false;
}

bool isSystemTree(std::string_view mountPoint) {
    if (pathIsUnder(mountPoint, kRemovableMediaTree)) return false;
    for (std::string_view tree : kSystemTrees) {
        if (pathIsUnder(mountPoint, tree)) return true;
    }
    return false;
}

bool isRamDrivePlace(std::string_view mountPoint) {
    if (mountPoint == kRamDrivePlaces[0]) return true;  // /tmp itself, not what lies below it
    if (isOneOf(mountPoint, kMachineryScratch)) return false;
    return pathIsUnder(mountPoint, kRamDrivePlaces[1]) ||
           pathIsUnder(mountPoint, kRamDrivePlaces[2]);
}

// Which tree of its file system a mount shows. A network file system's tree is named by its
// source too: the kernel writes "/" as the root of every NFS mount, however deep the export.
std::string treeOf(const MountEntry& mount) {
    if (!isOneOf(mount.fsType, kExportingFileSystems)) return mount.root;
    return mount.source + mount.root;
}

// What has a letter: the trees of each file system, by its device number, and the ZFS pools
// (each dataset of a pool has a device number of its own).
struct Lettered {
    std::map<std::pair<unsigned, unsigned>, std::vector<std::string>> trees;
    std::set<std::string, std::less<>> pools;
    // The file system of c:, the system's own volume; none when the table has no root.
    std::optional<std::pair<unsigned, unsigned>> system;
    // The places of the lettered network shares, by mount number.
    std::map<unsigned, std::string> shares;
};

// A btrfs subvolume mounted as itself, not a folder of one.
bool isSubvolume(const MountEntry& mount) {
    return mount.fsType == "btrfs" && optionValue(mount.superOptions, "subvol") == mount.root;
}

bool isDataset(const MountEntry& mount) {
    return isOneOf(mount.fsType, kPoolFileSystems);
}

// A dataset's name begins with its pool's: "rpool/ROOT/ubuntu" is in "rpool".
std::string_view poolOf(const MountEntry& mount) {
    const std::string_view source = mount.source;
    return source.substr(0, source.find('/'));
}

bool isSystemFolder(std::string_view mountPoint) {
    if (pathIsUnder(mountPoint, kImageBasedHomes)) return false;
    return std::ranges::any_of(kSystemFolders, [mountPoint](std::string_view folder) {
        return pathIsUnder(mountPoint, folder);
    });
}

// Whether `mount` shows a tree of a lettered file system that a lettered tree holds: a bind
// mount (a snap's view of a system folder, a container's volume, a shared folder), a folder of
// a drive and not a drive. A btrfs subvolume or a dataset of a lettered pool is a volume of its
// own, and a server may give several of its exports one file system: those are skipped only as
// the very same tree. In the system's own folders any tree of c:'s file system is a folder of
// c:: an image-based system binds its /var from beside the image it runs.
bool showsALetteredTree(const Lettered& lettered, const MountEntry& mount) {
    if (isDataset(mount) && lettered.pools.contains(poolOf(mount)) &&
        isSystemFolder(mount.mountPoint)) {
        return true;
    }
    const auto trees = lettered.trees.find({mount.major, mount.minor});
    if (trees == lettered.trees.end()) return false;
    const bool systemVolume = lettered.system == std::pair{mount.major, mount.minor};
    if ((systemVolume || isSubvolume(mount)) && isSystemFolder(mount.mountPoint)) return true;
    const bool ownTreeOnly = isOneOf(mount.fsType, kExportingFileSystems) || isSubvolume(mount);
    return std::ranges::any_of(trees->second, [&mount, ownTreeOnly](const std::string& tree) {
        return ownTreeOnly ? treeOf(mount) == tree : pathIsUnder(mount.root, tree);
    });
}

// Which mounts a later mount hides from above: mounting /mnt over /mnt/b hides /mnt/b, and all
// mounted on it, though the table keeps them. A path then reaches the covering volume, so a
// hidden mount must get no letter. (A mount hidden at its very point is the stack's business.)
class CoveredMounts {
  public:
    explicit CoveredMounts(const std::vector<MountEntry>& mounts) : mounts_(mounts) {
        state_.assign(mounts.size(), State::Unknown);
        lastOn_.reserve(mounts.size());
        byId_.reserve(mounts.size());
        for (std::size_t i = 0; i < mounts.size(); ++i) {
            lastOn_[{mounts[i].parentId, mounts[i].mountPoint}] = i;
            byId_[mounts[i].id] = i;
        }
    }

    // Where in the table the mount the one at `index` lies on is.
    std::optional<std::size_t> parentOf(std::size_t index) const {
        const auto parent = byId_.find(mounts_[index].parentId);
        if (parent == byId_.end() || parent->second == index) return std::nullopt;
        return parent->second;
    }

    // Whether the mount at `index` is hidden, itself or through the mounts it lies on.
    bool hidden(std::size_t index) {
        std::vector<std::size_t> chain;
        State answer = State::Shown;
        for (std::size_t at = index;;) {
            if (state_[at] == State::Hidden || state_[at] == State::Shown) {
                answer = state_[at];
                break;
            }
            if (state_[at] == State::Asking) break;  // a loop no kernel's table has: shown
            if (coveredFromAbove(at)) {
                answer = state_[at] = State::Hidden;
                break;
            }
            state_[at] = State::Asking;
            chain.push_back(at);
            const auto parent = parentOf(at);
            if (!parent) break;
            at = *parent;
        }
        for (const std::size_t at : chain) state_[at] = answer;
        if (state_[index] == State::Unknown) state_[index] = answer;
        return answer == State::Hidden;
    }

  private:
    enum class State { Unknown, Asking, Shown, Hidden };

    // A folder as a mount made on the mount numbered `parentId` reaches it.
    struct Spot {
        unsigned parentId = 0;
        std::string_view folder;
        bool operator==(const Spot&) const = default;
    };
    struct SpotHash {
        std::size_t operator()(const Spot& spot) const noexcept {
            return std::hash<std::string_view>{}(spot.folder) ^ spot.parentId;
        }
    };

    // A mount made later on the same mount, at a folder above this one's point ("/" excepted:
    // whatever is mounted there is drive c:).
    bool coveredFromAbove(std::size_t index) const {
        const MountEntry& mount = mounts_[index];
        if (mount.id == mount.parentId) return false;  // numbers the table does not give
        std::string_view above = mount.mountPoint;
        for (;;) {
            const auto slash = above.find_last_of('/');
            if (slash == std::string_view::npos || slash == 0) return false;
            above = above.substr(0, slash);
            const auto found = lastOn_.find({mount.parentId, above});
            if (found != lastOn_.end() && found->second > index) return true;
        }
    }

    const std::vector<MountEntry>& mounts_;
    std::unordered_map<Spot, std::size_t, SpotHash> lastOn_;
    std::unordered_map<unsigned, std::size_t> byId_;
    std::vector<State> state_;
};

// A network mount on a folder of a lettered share of its own kind, itself or through mounts
// of that kind between: what the kernel mounts by itself as the share's folders are opened (an
// NFS server's nested exports, a DFS link) is a folder of that share. What a user mounts there
// (an sshfs or SMB share in an NFS home) is of another kind, and a drive of its own.
bool liesInALetteredShare(const Lettered& lettered, const std::vector<MountEntry>& mounts,
                          const CoveredMounts& covered, std::size_t index) {
    const MountEntry& mount = mounts[index];
    if (!isNetworkFileSystem(mount.fsType)) return false;
    const std::string& point = mount.mountPoint;
    std::size_t at = index;
    for (std::size_t step = 0; step < mounts.size(); ++step) {
        const std::optional<std::size_t> parent = covered.parentOf(at);
        if (!parent || mounts[*parent].fsType != mount.fsType) return false;
        const auto share = lettered.shares.find(mounts[*parent].id);
        if (share != lettered.shares.end()) {
            return point != share->second && pathIsUnder(point, share->second);
        }
        at = *parent;
    }
    return false;
}

// The drive mounts other than "/" that are the last mounted at their point, in table order:
// one mounted earlier at the same point is hidden by it. Only the few drive mounts' points are
// kept: a build host's thousands of loop and container mounts cost a lookup each.
std::vector<std::size_t> visibleDriveMounts(const std::vector<MountEntry>& mounts) {
    std::vector<std::size_t> drives;
    std::unordered_map<std::string_view, std::size_t> lastAt;
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        if (mounts[i].mountPoint != kRootMount && isDriveMount(mounts[i])) {
            drives.push_back(i);
            lastAt.emplace(mounts[i].mountPoint, i);
        }
    }
    if (drives.empty()) return drives;
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        if (const auto last = lastAt.find(mounts[i].mountPoint); last != lastAt.end()) {
            last->second = i;
        }
    }
    std::erase_if(drives, [&](std::size_t i) { return lastAt.at(mounts[i].mountPoint) != i; });
    return drives;
}

}  // namespace

std::string DriveSlot::entryText() const {
    return std::string(1, letter) + ": [" + visibleText(mountPoint.empty() ? device : mountPoint) +
           "]";
}

bool isNetworkFileSystem(std::string_view fsType) {
    return isOneOf(fsType, kExportingFileSystems) || isOneOf(fsType, kClusterFileSystems);
}

bool mayLeaveQuestionsUnanswered(std::string_view fsType) {
    return isNetworkFileSystem(fsType) || fsType == kFuse || fsType == kFuseBlock ||
           fsType.starts_with(kFuseSubtypes);
}

bool isRamFileSystem(std::string_view fsType) {
    return isOneOf(fsType, kRamFileSystems);
}

bool pathIsUnder(std::string_view path, std::string_view prefix) {
    if (!path.starts_with(prefix)) return false;
    if (path.size() == prefix.size() || prefix.ends_with('/')) return true;
    return path[prefix.size()] == '/';
}

bool isDriveMount(const MountEntry& mount) {
    if (isSystemTree(mount.mountPoint)) return false;
    // A loop device carries what a program mounted for itself (a snap, an app image); under the
    // media trees it is an image the user opened, a disc to them.
    const bool userMedia = pathIsUnder(mount.mountPoint, kMediaTree) ||
                           pathIsUnder(mount.mountPoint, kRemovableMediaTree);
    if (mount.source.starts_with(kDeviceTree) &&
        (!mount.source.starts_with(kLoopDevices) || userMedia)) {
        return true;
    }
    // A snapshot, mounted when its folder under .zfs is opened, is a view of its dataset.
    if (isDataset(mount)) return mount.source.find(kSnapshotMark) == std::string::npos;
    if (isNetworkFileSystem(mount.fsType)) return true;
    return isRamFileSystem(mount.fsType) && isRamDrivePlace(mount.mountPoint);
}

const MountEntry* rootVolume(const std::vector<MountEntry>& mounts) {
    const MountEntry* root = nullptr;
    const MountEntry* deployed = nullptr;
    for (const MountEntry& mount : mounts) {
        if (mount.mountPoint == kRootMount) root = &mount;
        if (mount.mountPoint == kDeployedRoot) deployed = &mount;
    }
    // Such an overlay answers for its space from its image: a few megabytes, none of them free.
    const bool image = root && root->fsType == kOverlay &&
                       !optionValue(root->superOptions, "upperdir").has_value();
    return image && deployed ? deployed : root;
}

bool isEfiSystemPartition(const MountEntry& mount, std::string_view partitionType) {
    if (!partitionType.empty()) return isEfiPartitionType(partitionType);
    return isOneOf(mount.mountPoint, kEfiMountPoints);
}

std::vector<DriveSlot> assignDriveLetters(const std::vector<MountEntry>& mounts,
                                          const std::vector<std::string>& unmountedDevices,
                                          const std::function<bool(const MountEntry&)>& notADrive) {
    std::vector<DriveSlot> slots{
        {.letter = kFirstLetter, .mountPoint = std::string(kRootMount), .device = ""}};
    Lettered lettered;
    const auto letter = [&lettered](const MountEntry& mount) {
        lettered.trees[{mount.major, mount.minor}].push_back(treeOf(mount));
        if (isDataset(mount)) lettered.pools.emplace(poolOf(mount));
    };
    if (const MountEntry* root = rootVolume(mounts)) {
        letter(*root);
        lettered.system = {root->major, root->minor};
    }
    char next = kFirstLetter + 1;
    const std::vector<std::size_t> drives = visibleDriveMounts(mounts);
    if (!drives.empty()) {
        CoveredMounts covered(mounts);
        for (const std::size_t i : drives) {
            if (next > kLastLetter) break;
            const MountEntry& mount = mounts[i];
            if (covered.hidden(i) || liesInALetteredShare(lettered, mounts, covered, i) ||
                showsALetteredTree(lettered, mount)) {
                continue;
            }
            if (notADrive && notADrive(mount)) continue;
            letter(mount);
            // c: is no share: on a machine booted from the network, shares lie beside it.
            if (isNetworkFileSystem(mount.fsType)) lettered.shares[mount.id] = mount.mountPoint;
            slots.push_back({.letter = next++, .mountPoint = mount.mountPoint, .device = ""});
        }
    }
    for (const std::string& device : unmountedDevices) {
        if (next > kLastLetter) break;
        slots.push_back({.letter = next++, .mountPoint = "", .device = device});
    }
    return slots;
}

int initialSelection(const std::vector<DriveSlot>& slots, std::string_view workingDirectory) {
    int best = slots.empty() ? -1 : 0;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::string& point = slots[i].mountPoint;
        if (!point.empty() && point.size() > bestLength && pathIsUnder(workingDirectory, point)) {
            best = static_cast<int>(i);
            bestLength = point.size();
        }
    }
    return best;
}

}  // namespace zarnel::linux_fs
