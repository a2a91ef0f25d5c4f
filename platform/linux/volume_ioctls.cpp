#include "platform/linux/volume_ioctls.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/fscrypt.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace zarnel::linux_fs {
namespace {

// Declared by linux/fs.h from Linux 6.5; older headers lack it, the running kernel may not.
#ifndef FS_IOC_GETFSUUID
struct fsuuid2 {
    std::uint8_t len;
    std::uint8_t uuid[16];
};
#define FS_IOC_GETFSUUID _IOR(0x15, 0, struct fsuuid2)
#endif

constexpr std::size_t kUuidBytes = 16;
// Where the canonical text form puts its dashes: after bytes 4, 6, 8 and 10.
constexpr std::array<std::size_t, 4> kDashBefore = {4, 6, 8, 10};
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;

std::string uuidText(const std::uint8_t* bytes) {
    std::string text;
    for (std::size_t i = 0; i < kUuidBytes; ++i) {
        for (std::size_t dash : kDashBefore) {
            if (i == dash) text += '-';
        }
        text += kHexDigits[bytes[i] >> kNibbleBits];
        text += kHexDigits[bytes[i] & kNibbleMask];
    }
    return text;
}

}  // namespace

MountRoot::MountRoot(const std::filesystem::path& folder, const MountEntry& mount)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW)) {
    if (fd_ >= 0 && !liesOn(mount)) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool MountRoot::liesOn(const MountEntry& mount) const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return false;
    // The mount's own number (Linux 5.8 and later) tells the table's mount from a folder that
    // only shares its device number: a mount over the point, or a machine tree on a disk
    // numbered as the tree's.
    struct statx mounted {};
    const bool numbered = ::statx(fd_, "", AT_EMPTY_PATH, STATX_MNT_ID, &mounted) == 0 &&
                          (mounted.stx_mask & STATX_MNT_ID) != 0;
    if (numbered && mounted.stx_mnt_id != mount.id) return false;
    if (info.st_dev == makedev(mount.major, mount.minor)) return true;
    // btrfs gives each subvolume a device number of its own, none of them the one the table
    // shows (all anonymous): there the mount's number alone tells.
    return numbered && mount.major == 0 && major(info.st_dev) == 0;
}

MountRoot::~MountRoot() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> MountRoot::label() const {
    std::array<char, FSLABEL_MAX + 1> label{};
    if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFSLABEL, label.data()) != 0) return std::nullopt;
    return std::string(label.data(), ::strnlen(label.data(), FSLABEL_MAX));
}

std::optional<std::string> MountRoot::uuid() const {
    fsuuid2 uuid{};
    if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFSUUID, &uuid) != 0 || uuid.len != kUuidBytes) {
        return std::nullopt;
    }
    return uuidText(uuid.uuid);
}

bool MountRoot::canEncrypt() const {
    if (fd_ < 0) return false;
    fscrypt_get_policy_ex_arg policy{};
    policy.policy_size = sizeof(policy.policy);
    if (::ioctl(fd_, FS_IOC_GET_ENCRYPTION_POLICY_EX, &policy) == 0) return true;
    return errno == ENODATA;
}

}  // namespace zarnel::linux_fs
