// Physical memory, from the kernel's proc/meminfo.
#include <cerrno>

#include "platform/errors.h"
#include "platform/linux/arcstats.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/win32_errno.h"

namespace zarnel {

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
    return linux_fs::reclaimableArcBytes(*file.text).value_or(0);
}

}  // namespace zarnel
