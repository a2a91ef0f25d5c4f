#include <stdexcept>

#include "platform/win32/win32_platform.h"
#include "tools/platform-dump/system_platform.h"

namespace zarnel::tools {

std::unique_ptr<Platform> systemPlatform(const std::optional<std::filesystem::path>& root) {
    if (root) throw std::invalid_argument("--root is for the Linux build");
    return std::make_unique<Win32Platform>();
}

}  // namespace zarnel::tools
