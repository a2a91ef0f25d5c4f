// Standard streams a launcher closed are reopened on /dev/null before anything else is opened,
// and open ones are left alone.
#include "platform/linux/standard_streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarnel::linux_fs {
namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_rdev == b.st_rdev;
}

// In a child of its own: closes the streams whose bit is set in `closed`, puts a pipe on the
// others, keeps the streams open, and exits 0 only if each closed one is /dev/null, each other
// one still the pipe, and the next descriptor opened comes after them.
[[noreturn]] void checkWithStreamsClosed(unsigned closed) {
    int ends[2];
    struct stat null {};
    struct stat pipeEnd {};
    if (::pipe(ends) != 0 || ::stat("/dev/null", &null) != 0 || ::fstat(ends[1], &pipeEnd) != 0) {
        ::_exit(2);
    }
    for (int fd = 0; fd < kStandardStreams; ++fd) {
        if ((closed >> fd) & 1U) {
            ::close(fd);
        } else {
            ::dup2(ends[1], fd);
        }
    }
    const ReopenedStreams reopened = keepStandardStreamsOpen();
    for (int fd = 0; fd < kStandardStreams; ++fd) {
        struct stat now {};
        if (::fstat(fd, &now) != 0) ::_exit(3);
        if (reopened[static_cast<std::size_t>(fd)] != (((closed >> fd) & 1U) != 0)) ::_exit(6);
        if (!sameFile(now, ((closed >> fd) & 1U) ? null : pipeEnd)) ::_exit(4);
    }
    const int next = ::open("/dev/null", O_RDONLY);
    ::_exit(next >= kStandardStreams && next != ends[0] && next != ends[1] ? 0 : 5);
}

TEST(StandardStreams, EachClosedOneIsReopenedOnNullAndTheOthersAreKept) {
    constexpr unsigned kEveryCombination = 1U << kStandardStreams;
    for (unsigned closed = 1; closed < kEveryCombination; ++closed) {
        SCOPED_TRACE("closed streams mask " + std::to_string(closed));
        EXPECT_EXIT(checkWithStreamsClosed(closed), testing::ExitedWithCode(0), "");
    }
}

}  // namespace
}  // namespace zarnel::linux_fs
