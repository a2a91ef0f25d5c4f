// Reading a file whole: what a short read, a file that gives its size and one that does not
// (procfs and sysfs give 0, as a pipe does) each come to, at the edges of the first chunk and
// of the cap.
#include "platform/linux/read_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

namespace zarnel {
namespace {

constexpr std::size_t kPage = 4096;

// `length` bytes that repeat only every 251, NULs among them.
std::string textOf(std::size_t length) {
    constexpr int kPrime = 251;
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i % kPrime);
    return text;
}

// The text as read through a regular file, which gives its size.
std::optional<std::string> throughFile(const std::string& text, std::size_t maxBytes, int& error) {
    const auto file = std::filesystem::path(::testing::TempDir()) / "zarnel-read-file";
    std::ofstream(file, std::ios::binary) << text;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    auto read = linux_fs::readOpenFile(fd, maxBytes, error);
    ::close(fd);
    return read;
}

// The text as read through a pipe, which gives no size, written while it is read.
std::optional<std::string> throughPipe(const std::string& text, std::size_t maxBytes, int& error) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
    std::thread writer([&text, in = ends[1]] {
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t put = ::write(in, text.data() + done, text.size() - done);
            if (put <= 0) break;
            done += static_cast<std::size_t>(put);
        }
        ::close(in);
    });
    auto read = linux_fs::readOpenFile(ends[0], maxBytes, error);
    ::close(ends[0]);
    writer.join();
    return read;
}

TEST(ReadOpenFile, WholeTextUpToTheCapAndTooBigPastIt) {
    for (const std::size_t length : {std::size_t{0}, std::size_t{1}, kPage - 1, kPage, kPage + 1,
                                     2 * kPage + 1, std::size_t{300000}}) {
        const std::string text = textOf(length);
        for (const auto& [kind, read] : {std::pair{"file", &throughFile}, {"pipe", &throughPipe}}) {
            for (const std::size_t cap : {length, length + 1, 2 * length + 1}) {
                int error = 0;
                EXPECT_EQ(read(text, cap, error), text) << kind << " " << length << " in " << cap;
                EXPECT_EQ(error, 0);
            }
            if (length == 0) continue;
            int error = 0;
            EXPECT_EQ(read(text, length - 1, error), std::nullopt) << kind << " " << length;
            EXPECT_EQ(error, EFBIG) << kind << " " << length;
        }
    }
}

}  // namespace
}  // namespace zarnel
