// Physical memory, from the kernel's proc/meminfo.
#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/linux/arcstats.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/win32_errno.h"

namespace zarnel {
namespace {

// The kernel's memory figures, over which a container's own may be mounted.
constexpr std::string_view kKernelMeminfo = "/proc/meminfo";

}  // namespace

void LinuxPlatform::globalMemoryStatus(MemoryStatus& status) {
    const std::uint32_t length = status.dwLength;
    const linux_fs::FileText file = meminfo_.read();
    if (!file.text) {
        lastError_ = file.error == ENOENT ? win32_error::kFileNotFound
                                          : linux_fs::win32ErrorFromErrno(file.error);
        return;
    }
    const auto reading =
        linux_fs::memoryStatusFrom(linux_fs::parseMeminfo(*file.text), reclaimableZfsCache());
    if (!reading) {
        lastError_ = win32_error::kInvalidData;
        return;
    }
    status = *reading;
    status.dwLength = length;
    lastError_ = win32_error::kSuccess;
}

std::uint64_t LinuxPlatform::reclaimableZfsCache() {
    if (!zfsCacheMayShow_) return 0;
    const linux_fs::FileText file = arcstats_.read();
    // A machine without ZFS has no such file, and gets none while it runs: it is not asked
    // again at every tick.
    if (file.error == ENOENT) zfsCacheMayShow_ = false;
    if (!file.text) return 0;
    if (!meminfoIsTheKernels()) {
        zfsCacheMayShow_ = false;
        return 0;
    }
    return linux_fs::reclaimableArcBytes(*file.text).value_or(0);
}

bool LinuxPlatform::meminfoIsTheKernels() {
    if (!meminfoIsTheKernels_) {
        const std::vector<linux_fs::MountEntry>& mounts = currentMounts();
        meminfoIsTheKernels_ = std::ranges::none_of(mounts, [](const linux_fs::MountEntry& mount) {
            return mount.mountPoint == kKernelMeminfo;
        });
    }
    return *meminfoIsTheKernels_;
}

}  // namespace zarnel
