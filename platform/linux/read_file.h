// The one way Linux readers touch files: relative to the provider's root, never throwing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zarnel::linux_fs {

// Upper bound for one read: every file we read is a small text file of procfs, sysfs or
// /etc; a larger one is cut rather than read whole.
inline constexpr std::size_t kMaxFileBytes = 1 << 20;

// The file's text, or nothing when it is missing or unreadable.
std::optional<std::string> readFile(const std::filesystem::path& root,
                                    const std::filesystem::path& relative);

// The rest of an open file, at most `maxBytes` of it; nothing on a read error.
std::optional<std::string> readOpenFile(int fd, std::size_t maxBytes);

}  // namespace zarnel::linux_fs
