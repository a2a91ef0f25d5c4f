#include "platform/linux/read_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace zarnel::linux_fs {
namespace {

// procfs and sysfs files fit in a page or two; reading by chunks keeps a small file cheap
// instead of preparing the whole upper bound for every read.
constexpr std::size_t kChunkBytes = 4096;

// Closes the descriptor however the read ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

std::optional<std::string> readFile(const std::filesystem::path& root,
                                    const std::filesystem::path& relative) {
    const Descriptor file(::open((root / relative).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    return readOpenFile(file.get(), kMaxFileBytes);
}

std::optional<std::string> readOpenFile(int fd, std::size_t maxBytes) {
    std::string text;
    std::array<char, kChunkBytes> chunk;
    // procfs and sysfs report a size of 0, so read until the end.
    while (text.size() < maxBytes) {
        const std::size_t want = std::min(chunk.size(), maxBytes - text.size());
        const ssize_t got = ::read(fd, chunk.data(), want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;  // a directory, or an I/O error
        if (got == 0) break;
        text.append(chunk.data(), static_cast<std::size_t>(got));
    }
    return text;
}

}  // namespace zarnel::linux_fs
