#include "platform/linux/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

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

int refusalOf(const struct stat& info, std::size_t maxBytes) {
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return EINVAL;
    // procfs and sysfs report 0 here; their text is measured while it is read.
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return EFBIG;
    return 0;
}

}  // namespace

int openRegularFile(const std::filesystem::path& file, FinalLink link, std::size_t maxBytes,
                    int& error) {
    const int flags =
        O_RDONLY | O_NONBLOCK | O_CLOEXEC | (link == FinalLink::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(file.c_str(), flags);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat info {};
    error = ::fstat(fd, &info) == 0 ? refusalOf(info, maxBytes) : errno;
    if (error != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

FileText readFileText(const std::filesystem::path& root, const std::filesystem::path& relative,
                      FinalLink link, std::size_t maxBytes) {
    FileText result;
    const Descriptor file(openRegularFile(root / relative, link, maxBytes, result.error));
    if (file.get() < 0) return result;
    result.text = readOpenFile(file.get(), maxBytes, result.error);
    return result;
}

std::optional<std::string> readFile(const std::filesystem::path& root,
                                    const std::filesystem::path& relative, FinalLink link,
                                    std::size_t maxBytes) {
    return readFileText(root, relative, link, maxBytes).text;
}

std::optional<std::string> readOpenFile(int fd, std::size_t maxBytes, int& error) {
    std::string text;
    std::array<char, kChunkBytes> chunk;
    // procfs and sysfs report a size of 0, so read until the end; one byte past the cap tells
    // a file that fits from one that does not.
    while (text.size() <= maxBytes) {
        const std::size_t want = std::min(chunk.size(), maxBytes + 1 - text.size());
        const ssize_t got = ::read(fd, chunk.data(), want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
            return std::nullopt;
        }
        if (got == 0) return text;
        text.append(chunk.data(), static_cast<std::size_t>(got));
    }
    error = EFBIG;
    return std::nullopt;
}

}  // namespace zarnel::linux_fs
