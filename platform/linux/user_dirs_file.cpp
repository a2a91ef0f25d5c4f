#include "platform/linux/user_dirs_file.h"

#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {

SettingsText readSettings(const std::filesystem::path& root,
                          const std::filesystem::path& relative) {
    return readFileText(root, relative, FinalLink::Follow);
}

}  // namespace zarnel::linux_fs
