// Which programs run, as proc/ lists the processes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

// The command line of a process of `userId` that runs one of `programs`, by the name the
// kernel keeps for it (proc/<pid>/comm, its first 15 bytes); nothing when none runs. An
// unreadable command line is an empty one.
std::optional<std::vector<std::string>> userProcessArguments(
    const std::filesystem::path& root, std::span<const std::string_view> programs,
    std::uint32_t userId);

}  // namespace zarnel::linux_fs
