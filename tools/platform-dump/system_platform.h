// The provider of the system the dump was built for.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace zarnel::tools {

// `root` moves the Linux provider onto a captured machine tree; a system that reads no files
// throws std::invalid_argument for it.
std::unique_ptr<Platform> systemPlatform(const std::optional<std::filesystem::path>& root);

}  // namespace zarnel::tools
