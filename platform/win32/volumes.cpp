#include "platform/win32/win32_platform.h"

namespace zarnel {

std::uint32_t Win32Platform::getDriveType(std::string_view root) {
    const std::string path(root);
    return call(getDriveTypeA_, path.c_str());
}

int Win32Platform::getVolumeInformation(std::string_view root, std::span<char> volumeName,
                                        std::uint32_t& serialNumber,
                                        std::uint32_t& maximumComponentLength,
                                        std::uint32_t& fileSystemFlags,
                                        std::span<char> fileSystemName) {
    const std::string path(root);
    DWORD serial = 0;
    DWORD component = 0;
    DWORD flags = 0;
    const BOOL ok = call(getVolumeInformationA_, path.c_str(), volumeName.data(),
                         static_cast<DWORD>(volumeName.size()), &serial, &component, &flags,
                         fileSystemName.data(), static_cast<DWORD>(fileSystemName.size()));
    if (!ok) return ok;
    serialNumber = serial;
    maximumComponentLength = component;
    fileSystemFlags = flags;
    return ok;
}

int Win32Platform::getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                                      std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) {
    const std::string path(root);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    const BOOL ok = call(getDiskFreeSpaceExA_, path.c_str(), &available, &total, &totalFree);
    if (!ok) return ok;
    freeBytesAvailable = available.QuadPart;
    totalBytes = total.QuadPart;
    totalFreeBytes = totalFree.QuadPart;
    return ok;
}

}  // namespace zarnel
