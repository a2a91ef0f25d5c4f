// The one way Linux readers touch files: relative to the provider's root, never throwing,
// never blocking.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// Upper bound for one read: procfs, sysfs and /etc files are small; a larger file is refused
// rather than read, so junk in place of one costs nothing.
inline constexpr std::size_t kMaxFileBytes = 1 << 20;

// Whether the file's own name may be a symbolic link. procfs and sysfs attributes never are;
// /etc and the user's configuration often are (a resolver's stub file, a dotfile manager).
enum class FinalLink { Refuse, Follow };

// A file's text, or the errno of why there is none: ENOENT missing, ELOOP a refused link or a
// loop, EISDIR a directory, EINVAL a FIFO or device, ENXIO a socket, EFBIG above the cap.
struct FileText {
    std::optional<std::string> text;
    int error = 0;
};

// Opens without blocking (a FIFO or a device in place of a file cannot stall the window),
// accepts only a regular file (procfs and sysfs files are regular) and reads at most
// `maxBytes`.
FileText readFileText(const std::filesystem::path& root, const std::filesystem::path& relative,
                      FinalLink link = FinalLink::Refuse, std::size_t maxBytes = kMaxFileBytes);

// The file's text, or nothing when it is missing, refused or unreadable.
std::optional<std::string> readFile(const std::filesystem::path& root,
                                    const std::filesystem::path& relative,
                                    FinalLink link = FinalLink::Refuse,
                                    std::size_t maxBytes = kMaxFileBytes);

// A settings file named by its place on the machine, read below `root`. Its final link is
// followed: a desktop's settings are often links into a dotfile store.
std::optional<std::string> readSettingsFile(const std::filesystem::path& root,
                                            const std::filesystem::path& machinePath,
                                            std::size_t maxBytes = kMaxFileBytes);

// The first lines of a file only its head matters to (the first matching line wins), however
// long the file runs: up to `maxBytes` of text, less a last line the limit cut. Nothing when
// the file is missing, refused or unreadable.
std::optional<std::string> readFileHead(const std::filesystem::path& root,
                                        const std::filesystem::path& relative, FinalLink link,
                                        std::size_t maxBytes = kMaxFileBytes);

// Whether the file opens as readFileText opens it: before a library that would block on a
// FIFO is handed its name.
bool opensAsFile(const std::filesystem::path& root, const std::filesystem::path& relative,
                 FinalLink link, std::size_t maxBytes = kMaxFileBytes);

// Whether `name`, taken from a settings file or the environment, names an entry of one folder
// and no way out of it: not empty, no "." or "..", no slash.
bool isPlainFileName(std::string_view name);

// A descriptor of a regular file opened as readFileText does, or -1 with `error` set.
int openRegularFile(const std::filesystem::path& file, FinalLink link, std::size_t maxBytes,
                    int& error);

// The rest of an open file, at most `maxBytes` of it; nothing with `error` set on a read
// error or when more than `maxBytes` remain.
std::optional<std::string> readOpenFile(int fd, std::size_t maxBytes, int& error);

}  // namespace zarnel::linux_fs
