#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/name_copy.h"
#include "platform/win32/disk_space.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// What GetVolumeInformationW left in buffers of the caller's sizes, and its last error.
struct VolumeAnswer {
    BOOL ok = FALSE;
    std::uint32_t error = ERROR_SUCCESS;
    std::vector<wchar_t> volumeName;
    std::vector<wchar_t> fileSystemName;
    DWORD serial = 0;
    DWORD component = 0;
    DWORD flags = 0;
};

// What the space question answered, and its last error.
struct FreeSpaceAnswer {
    BOOL ok = FALSE;
    std::uint32_t error = ERROR_SUCCESS;
    win32::DiskSpace space;
};

// The function where this Windows has it (1809 on), else none.
template <typename Pointer>
Pointer boundOrNone(win32::LazyFunction<Pointer>& function) {
    try {
        return function.pointer();
    } catch (const BindingError&) {
        return nullptr;
    }
}

}  // namespace

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
    const auto function = getVolumeInformationW_.pointer();
    // The call works on buffers of its own (a share's server may answer after the caller
    // stopped waiting); the caller's are written only from a full answer.
    // Kept by the buffers' sizes too: a name that fits one may not fit another.
    const std::string kind =
        "volume " + std::to_string(volumeName.size()) + ' ' + std::to_string(fileSystemName.size());
    const auto answer = askDrive<VolumeAnswer>(
        path, kind,
        [function, wide = wideOf(root), names = volumeName.size(),
         systems = fileSystemName.size()] {
            VolumeAnswer found{.volumeName = std::vector<wchar_t>(names),
                               .fileSystemName = std::vector<wchar_t>(systems)};
            found.ok = withLastError(found.error, [&] {
                return function(wide.c_str(), found.volumeName.data(),
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
    if (!answer->ok) return answer->ok;
    // Each name in the code page into the caller's buffer, unless it gave none; one whose
    // code-page form does not fit fails the call, as the system's own form does.
    const auto copied = [this](const std::vector<wchar_t>& wide, std::span<char> buffer) {
        std::uint32_t length = static_cast<std::uint32_t>(buffer.size());
        return buffer.empty() ||
               copyInCodePage({wide.data(), wide.size()}, buffer, length,
                              LengthOnSuccess::WithoutNul, win32_error::kMoreData) != 0;
    };
    if (!copied(answer->volumeName, volumeName) ||
        !copied(answer->fileSystemName, fileSystemName)) {
        return FALSE;
    }
    lastError_ = answer->error;
    serialNumber = answer->serial;
    maximumComponentLength = answer->component;
    fileSystemFlags = answer->flags;
    return answer->ok;
}

int Win32Platform::getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                                      std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) {
    const std::string path(root);
    const auto function = getDiskFreeSpaceExA_.pointer();
    // Where the caller has a quota the older call gives its limit as the volume's size: the
    // newer one tells the volume's own. Windows before 1809 (and wine) have only the older.
    const auto spaceInformation = boundOrNone(getDiskSpaceInformationW_);
    const auto answer = askDrive<FreeSpaceAnswer>(
        path, "space", [function, spaceInformation, path, wide = wideOf(root)] {
            FreeSpaceAnswer found;
            win32::DiskSpaceInformation information{};
            if (spaceInformation && SUCCEEDED(spaceInformation(wide.c_str(), &information))) {
                found.ok = TRUE;
                found.space = win32::spaceOf(information);
                return found;
            }
            // A failure of the newer call is told by the older, with the codes it gives.
            ULARGE_INTEGER available{};
            ULARGE_INTEGER total{};
            ULARGE_INTEGER totalFree{};
            found.ok = withLastError(found.error, [&] {
                return function(path.c_str(), &available, &total, &totalFree);
            });
            found.space = {.availableToCaller = available.QuadPart,
                           .total = total.QuadPart,
                           .totalFree = totalFree.QuadPart};
            return found;
        });
    if (!answer) {
        lastError_ = ERROR_NOT_READY;
        return FALSE;
    }
    lastError_ = answer->error;
    if (!answer->ok) return answer->ok;
    freeBytesAvailable = answer->space.availableToCaller;
    totalBytes = answer->space.total;
    totalFreeBytes = answer->space.totalFree;
    return answer->ok;
}

}  // namespace zarnel
