// What a mounted file system says of itself through ioctls on its root folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/linux/mountinfo.h"

namespace zarnel::linux_fs {

// The root folder of one mounted volume, opened without following a link and without
// blocking. It counts as open only when the folder lies on that mount (its st_dev is the
// mount's device number, or for an anonymous one its mount number is the mount's), so a point
// since unmounted or a tree that merely copies the machine's layout is never asked in the
// volume's name.
class MountRoot {
  public:
    MountRoot(const std::filesystem::path& folder, const MountEntry& mount);
    ~MountRoot();
    MountRoot(const MountRoot&) = delete;
    MountRoot& operator=(const MountRoot&) = delete;

    // FS_IOC_GETFSLABEL (ext4, btrfs, xfs, f2fs, gfs2); nothing without such a call.
    std::optional<std::string> label() const;
    // FS_IOC_GETFSUUID (Linux 6.5 and later) as "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
    std::optional<std::string> uuid() const;
    // Whether the volume can hold encrypted folders: FS_IOC_GET_ENCRYPTION_POLICY_EX on the
    // root fails with ENODATA where it can, EOPNOTSUPP where the file system lacks the encrypt
    // feature, ENOTTY where it has no such call (Documentation/filesystems/fscrypt.rst).
    bool canEncrypt() const;

  private:
    bool liesOn(const MountEntry& mount) const;

    int fd_ = -1;
};

}  // namespace zarnel::linux_fs
