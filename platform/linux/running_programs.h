// Which programs run, as proc/ lists the processes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

// A program a process runs: the name the kernel keeps for it (proc/<pid>/comm, its first 15
// bytes), and its command line (empty where it cannot be read).
struct RunningProgram {
    std::string name;
    std::vector<std::string> arguments;
};

// The processes of `userId` that run one of `programs`, in the order proc/ lists them.
std::vector<RunningProgram> userPrograms(const std::filesystem::path& root,
                                         std::span<const std::string_view> programs,
                                         std::uint32_t userId);

}  // namespace zarnel::linux_fs
