// Reading a file whole or only its head: what a short read, a file that gives its size and one
// that does not (procfs and sysfs give 0, as a pipe does) each come to, at the edges of the first
// chunk and of the cap.
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

#include "tests/support/scratch_machine.h"

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
    const testing::ScratchMachine machine;
    const auto file = machine.root() / "text";
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

// Read through its path, a file's own size is checked against the cap before its text is: the
// same edge, a file of exactly the cap whole and one byte more too big.
TEST(ReadFile, ItsSizeMeetsTheCapAsItsTextDoes) {
    const testing::ScratchMachine machine;
    const std::string text = textOf(kPage);
    std::ofstream(machine.root() / "text", std::ios::binary) << text;
    const auto read = [&machine](std::size_t cap) {
        return linux_fs::readFileText(machine.root(), "text", linux_fs::FinalLink::Refuse, cap);
    };
    EXPECT_EQ(read(kPage).text, text);
    EXPECT_EQ(read(kPage - 1).text, std::nullopt);
    EXPECT_EQ(read(kPage - 1).error, EFBIG);
}

// A file whose read fails (the process's own memory, read at its unmapped first page) gives
// no text and the error, never what came before the failure.
TEST(ReadOpenFile, AFailedReadGivesItsErrorAndNoText) {
    const linux_fs::FileText read = linux_fs::readFileText("/", "proc/self/mem");
    EXPECT_EQ(read.text, std::nullopt);
    EXPECT_EQ(read.error, EIO);
}

// The head of a file: all of one within the limit, the whole lines that fit of a longer one,
// never a line the limit cut, and no refusal for the length.
TEST(ReadFileHead, WholeLinesUpToTheLimit) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    const auto headOf = [&root](const std::string& text, std::size_t maxBytes) {
        std::ofstream(root / "zarnel-head", std::ios::binary) << text;
        return linux_fs::readFileHead(root, "zarnel-head", linux_fs::FinalLink::Refuse, maxBytes);
    };
    EXPECT_EQ(headOf("", 10), "");
    EXPECT_EQ(headOf("one\ntwo", 7), "one\ntwo");  // ends within the limit, unbroken
    EXPECT_EQ(headOf("one\ntwo\n", 8), "one\ntwo\n");
    EXPECT_EQ(headOf("one\ntwo\n", 7), "one\n");
    EXPECT_EQ(headOf("one\ntwo\n", 4), "one\n");
    EXPECT_EQ(headOf("one\ntwo\n", 3), "");  // the first line alone is longer than the limit
    // Past a chunk of reading, and far past the limit: lines of 100 bytes, 3 MB of them.
    const std::string line = std::string(99, 'x') + "\n";
    std::string longFile;
    for (int i = 0; i < 30000; ++i) longFile += line;
    const auto head = headOf(longFile, linux_fs::kMaxFileBytes);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->size(), linux_fs::kMaxFileBytes / line.size() * line.size());
    EXPECT_EQ(*head, longFile.substr(0, head->size()));
    EXPECT_EQ(linux_fs::readFileHead(root, "zarnel-no-such-file", linux_fs::FinalLink::Refuse),
              std::nullopt);
}

}  // namespace
}  // namespace zarnel
