#include "platform/win32/win32_platform.h"

namespace zarnel {

void Win32Platform::globalMemoryStatus(MemoryStatus& status) {
    MEMORYSTATUSEX system{};
    system.dwLength =
        status.dwLength == sizeof(MemoryStatus) ? sizeof(MEMORYSTATUSEX) : status.dwLength;
    if (!call(globalMemoryStatusEx_, &system)) return;
    status.dwMemoryLoad = system.dwMemoryLoad;
    status.ullTotalPhys = system.ullTotalPhys;
    status.ullAvailPhys = system.ullAvailPhys;
}

}  // namespace zarnel
