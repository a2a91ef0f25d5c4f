// Physical memory, from the kernel's proc/meminfo.
#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/read_file.h"

namespace zarnel {

void LinuxPlatform::globalMemoryStatus(MemoryStatus& status) {
    const std::uint32_t length = status.dwLength;
    const auto text = linux_fs::readFile(root_, "proc/meminfo");
    if (!text) {
        lastError_ = win32_error::kFileNotFound;
        return;
    }
    const auto reading = linux_fs::memoryStatusFrom(linux_fs::parseMeminfo(*text));
    if (!reading) {
        lastError_ = win32_error::kInvalidData;
        return;
    }
    status = *reading;
    status.dwLength = length;
    lastError_ = win32_error::kSuccess;
}

}  // namespace zarnel
