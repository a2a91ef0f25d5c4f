#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// What GetVolumeInformationA left in buffers of the caller's sizes, and its last error.
struct VolumeAnswer {
    BOOL ok = FALSE;
    std::uint32_t error = ERROR_SUCCESS;
    std::vector<char> volumeName;
    std::vector<char> fileSystemName;
    DWORD serial = 0;
    DWORD component = 0;
    DWORD flags = 0;
};

// What GetDiskFreeSpaceExA answered, and its last error.
struct FreeSpaceAnswer {
    BOOL ok = FALSE;
    std::uint32_t error = ERROR_SUCCESS;
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
};

}  // namespace

template <typename Answer>
std::optional<Answer> Win32Platform::askDrive(const std::string& root,
                                              std::function<Answer()> question) {
    // The drive's type is known without asking its server: a mapped share says what it is
    // while the server is gone.
    if (getDriveTypeA_(root.c_str()) != DRIVE_REMOTE) return question();
    return networkShares_.ask<Answer>(root, std::move(question), kNetworkAnswerDeadline);
}

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
    const auto function = getVolumeInformationA_.pointer();
    // The call works on copies of the caller's buffers (a share's server may answer after the
    // caller stopped waiting), so what it leaves alone stays as the caller had it.
    const auto answer = askDrive<VolumeAnswer>(
        path, [function, path, name = std::vector<char>(volumeName.begin(), volumeName.end()),
               system = std::vector<char>(fileSystemName.begin(), fileSystemName.end())] {
            VolumeAnswer found{.volumeName = name, .fileSystemName = system};
            found.ok = withLastError(found.error, [&] {
                return function(path.c_str(), found.volumeName.data(),
                                static_cast<DWORD>(found.volumeName.size()), &found.serial,
                                &found.component, &found.flags, found.fileSystemName.data(),
                                static_cast<DWORD>(found.fileSystemName.size()));
            });
            return found;
        });
    if (!answer) {
        lastError_ = ERROR_NOT_READY;
        return FALSE;
    }
    lastError_ = answer->error;
    // Whatever the call wrote, as it would have written it into the caller's buffers.
    std::ranges::copy(answer->volumeName, volumeName.begin());
    std::ranges::copy(answer->fileSystemName, fileSystemName.begin());
    if (!answer->ok) return answer->ok;
    serialNumber = answer->serial;
    maximumComponentLength = answer->component;
    fileSystemFlags = answer->flags;
    return answer->ok;
}

int Win32Platform::getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                                      std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) {
    const std::string path(root);
    const auto function = getDiskFreeSpaceExA_.pointer();
    const auto answer = askDrive<FreeSpaceAnswer>(path, [function, path] {
        FreeSpaceAnswer found;
        found.ok = withLastError(found.error, [&] {
            return function(path.c_str(), &found.available, &found.total, &found.totalFree);
        });
        return found;
    });
    if (!answer) {
        lastError_ = ERROR_NOT_READY;
        return FALSE;
    }
    lastError_ = answer->error;
    if (!answer->ok) return answer->ok;
    freeBytesAvailable = answer->available.QuadPart;
    totalBytes = answer->total.QuadPart;
    totalFreeBytes = answer->totalFree.QuadPart;
    return answer->ok;
}

}  // namespace zarnel
