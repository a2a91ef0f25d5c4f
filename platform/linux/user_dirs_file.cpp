#include "platform/linux/user_dirs_file.h"

#include <utility>

#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {

UserDirsFile::UserDirsFile(Read read) : read_(std::move(read)) {}

SettingsText UserDirsFile::systemRead(const std::filesystem::path& root,
                                      const std::filesystem::path& relative) {
    // A settings manager may keep the file as a link into its store.
    return readFile(root, relative, FinalLink::Follow);
}

std::optional<SettingsText> UserDirsFile::operator()(const std::filesystem::path& root,
                                                     const std::filesystem::path& file,
                                                     std::chrono::milliseconds deadline) const {
    return questions_.ask<SettingsText>(
        (root / file.relative_path()).string(),
        [read = read_, root, relative = file.relative_path()] { return read(root, relative); },
        deadline);
}

}  // namespace zarnel::linux_fs
