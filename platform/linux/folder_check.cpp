#include "platform/linux/folder_check.h"

#include <string>
#include <system_error>
#include <utility>

namespace zarnel::linux_fs {

FolderCheck::FolderCheck(IsFolder isFolder, std::optional<AnswerKeeping> keeping)
    : isFolder_(std::move(isFolder)), questions_(std::move(keeping)) {}

bool FolderCheck::systemIsFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

std::optional<bool> FolderCheck::operator()(const std::filesystem::path& folder,
                                            std::function<bool()> make,
                                            std::chrono::milliseconds deadline) const {
    // A folder found missing may still be made: the two questions are kept apart.
    const std::string kind = make ? "made if missing" : "";
    return questions_.ask<bool>(
        folder.string(),
        [isFolder = isFolder_, folder, make = std::move(make)] {
            return isFolder(folder) || (make && make());
        },
        deadline, kind);
}

}  // namespace zarnel::linux_fs
