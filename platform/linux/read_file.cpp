#include "platform/linux/read_file.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace zarnel::linux_fs {
namespace {

// procfs and sysfs files fit in a page or two; reading by chunks keeps a small file cheap
// instead of preparing the whole upper bound for every read.
constexpr std::size_t kChunkBytes = 4096;

}  // namespace

std::optional<std::string> readFile(const std::filesystem::path& root,
                                    const std::filesystem::path& relative) {
    const std::filesystem::path path = root / relative;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::nullopt;  // opens, never reads
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    std::array<char, kChunkBytes> chunk;
    // procfs and sysfs report a size of 0, so read until the stream ends.
    while (text.size() < kMaxFileBytes) {
        const std::size_t want = std::min(chunk.size(), kMaxFileBytes - text.size());
        in.read(chunk.data(), static_cast<std::streamsize>(want));
        text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (!in) break;
    }
    if (in.bad()) return std::nullopt;
    return text;
}

}  // namespace zarnel::linux_fs
