#include "platform/linux/read_file.h"

#include <fstream>

namespace zarnel::linux_fs {

std::optional<std::string> readFile(const std::filesystem::path& root,
                                    const std::filesystem::path& relative) {
    const std::filesystem::path path = root / relative;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::nullopt;  // opens, never reads
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(kMaxFileBytes, '\0');
    // procfs and sysfs report a size of 0, so read until the stream ends.
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace zarnel::linux_fs
