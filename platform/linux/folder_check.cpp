#include "platform/linux/folder_check.h"

#include <system_error>
#include <utility>

namespace zarnel::linux_fs {

FolderCheck::FolderCheck(IsFolder isFolder) : isFolder_(std::move(isFolder)) {}

bool FolderCheck::systemIsFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

std::optional<bool> FolderCheck::operator()(const std::filesystem::path& folder,
                                            std::function<bool()> make,
                                            std::chrono::milliseconds deadline) const {
    return questions_.ask<bool>(
        folder.string(),
        [isFolder = isFolder_, folder, make = std::move(make)] {
            return isFolder(folder) || make();
        },
        deadline);
}

}  // namespace zarnel::linux_fs
