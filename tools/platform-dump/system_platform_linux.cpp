#include "platform/linux/linux_platform.h"
#include "tools/platform-dump/system_platform.h"

namespace zarnel::tools {

std::unique_ptr<Platform> systemPlatform(const std::optional<std::filesystem::path>& root) {
    return std::make_unique<LinuxPlatform>(root.value_or("/"));
}

}  // namespace zarnel::tools
