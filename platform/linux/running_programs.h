// Which programs run, as proc/ lists the processes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace zarnel::linux_fs {

// Whether a process of `userId` runs `program`, by the name the kernel keeps for it
// (proc/<pid>/comm, its first 15 bytes).
bool userRuns(const std::filesystem::path& root, std::string_view program, std::uint32_t userId);

}  // namespace zarnel::linux_fs
