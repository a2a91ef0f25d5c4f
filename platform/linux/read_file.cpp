#include "platform/linux/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <limits>

#include "platform/linux/descriptor.h"

namespace zarnel::linux_fs {
namespace {

// procfs and sysfs files fit in a page or two; reading one into a chunk of that size keeps a
// small file cheap instead of preparing the whole upper bound for every read.
constexpr std::size_t kChunkBytes = 4096;

// Up to `want` bytes into `into`: how many came (0 at the end), or nothing with `error` set.
std::optional<std::size_t> readSome(int fd, char* into, std::size_t want, int& error) {
    for (;;) {
        const ssize_t got = ::read(fd, into, want);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            error = errno;
            return std::nullopt;
        }
    }
}

int refusalOf(const struct stat& info, std::size_t maxBytes) {
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return EINVAL;
    // procfs and sysfs report 0 here; their text is measured while it is read.
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return EFBIG;
    return 0;
}

// The first `room` bytes of the file, or all of it when it is shorter.
std::optional<std::string> readUpTo(int fd, std::size_t room, int& error) {
    std::array<char, kChunkBytes> chunk;
    const std::size_t first = std::min(chunk.size(), room);
    std::size_t filled = 0;
    // A small file, the usual kind, is read whole into the chunk and copied once.
    while (filled < first) {
        const auto got = readSome(fd, chunk.data() + filled, first - filled, error);
        if (!got) return std::nullopt;
        if (*got == 0) return std::string(chunk.data(), filled);
        filled += *got;
    }
    // A larger one is read straight into its text, each read filling all the room there is: a
    // big server's cpuinfo or mount table runs to a megabyte, which reads of a page appended
    // one by one copied and faulted in twice over. A file that gives its size (procfs and
    // sysfs give 0) gets room for all of it at once, else the room doubles whenever full.
    struct stat info {};
    const std::size_t size =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    std::string text(chunk.data(), filled);
    text.resize(std::min(std::max(size + 1, 2 * filled), room));
    for (;;) {
        if (filled == text.size()) {
            if (filled == room) return text;
            text.resize(std::min(2 * filled, room));
        }
        const auto got = readSome(fd, text.data() + filled, text.size() - filled, error);
        if (!got) return std::nullopt;
        if (*got == 0) {
            text.resize(filled);
            return text;
        }
        filled += *got;
    }
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

std::optional<std::string> readSettingsFile(const std::filesystem::path& root,
                                            const std::filesystem::path& machinePath,
                                            std::size_t maxBytes) {
    return readFile(root, machinePath.relative_path(), FinalLink::Follow, maxBytes);
}

bool opensAsFile(const std::filesystem::path& root, const std::filesystem::path& relative,
                 FinalLink link, std::size_t maxBytes) {
    int error = 0;
    return Descriptor(openRegularFile(root / relative, link, maxBytes, error)).get() >= 0;
}

std::optional<std::string> readFileHead(const std::filesystem::path& root,
                                        const std::filesystem::path& relative, FinalLink link,
                                        std::size_t maxBytes) {
    int error = 0;
    // No size is refused: the head of any length of file is read.
    const Descriptor file(
        openRegularFile(root / relative, link, std::numeric_limits<std::size_t>::max(), error));
    if (file.get() < 0) return std::nullopt;
    // One byte past the limit tells a file that ends within it from one that runs on.
    std::optional<std::string> text = readUpTo(file.get(), maxBytes + 1, error);
    if (!text || text->size() <= maxBytes) return text;
    text->resize(maxBytes);
    const std::size_t lastBreak = text->rfind('\n');
    text->resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    return text;
}

std::optional<std::string> readOpenFile(int fd, std::size_t maxBytes, int& error) {
    // One byte past the cap tells a file that fits from one that does not.
    std::optional<std::string> text = readUpTo(fd, maxBytes + 1, error);
    if (text && text->size() > maxBytes) {
        error = EFBIG;
        return std::nullopt;
    }
    return text;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

}  // namespace zarnel::linux_fs
