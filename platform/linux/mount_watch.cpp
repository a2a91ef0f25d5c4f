#include "platform/linux/mount_watch.h"

#include <fcntl.h>
#include <unistd.h>

namespace zarnel::linux_fs {

MountWatch::MountWatch(const std::filesystem::path& root)
    : fd_(::open((root / "proc/self/mountinfo").c_str(), O_RDONLY | O_CLOEXEC)) {}

MountWatch::~MountWatch() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace zarnel::linux_fs
