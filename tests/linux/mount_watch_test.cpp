// The mount table's watch against the kernel itself: a mount coming and going in a mount
// namespace of the test's own raises one priority event each, which the poll that sees it
// takes. Nothing else could show that the table the window watches is the one that signals.
#include "platform/linux/mount_watch.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace zarnel {
namespace {

// What the child reports through its exit status.
enum Outcome : int {
    kAsExpected = 0,
    kNoNamespace = 1,  // neither root nor an unprivileged user namespace may make one here
    kNotOpened = 2,
    kSignalledUnchanged = 3,
    kMountUnseen = 4,
    kSignalNotTaken = 5,
    kUnmountUnseen = 6,
    kMountFailed = 7,
};

constexpr int kWaitMs = 2000;  // the event is raised inside mount(2): only a broken watch waits

bool signalled(int fd, int waitMs) {
    pollfd watched{.fd = fd, .events = POLLPRI, .revents = 0};
    return ::poll(&watched, 1, waitMs) == 1 && (watched.revents & POLLPRI) != 0;
}

// Runs in a child of its own: the namespace and the mount never reach the test's process.
Outcome watchAMount(const std::filesystem::path& point) {
    if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return kNoNamespace;
    // Private, so that nothing mounted on the host meanwhile shows in this table.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return kNoNamespace;
    const linux_fs::MountWatch watch("/");
    if (watch.descriptor() < 0) return kNotOpened;
    if (signalled(watch.descriptor(), 0)) return kSignalledUnchanged;
    if (::mount("zarnel", point.c_str(), "tmpfs", 0, "size=64k") != 0) return kMountFailed;
    if (!signalled(watch.descriptor(), kWaitMs)) return kMountUnseen;
    if (signalled(watch.descriptor(), 0)) return kSignalNotTaken;
    if (::umount(point.c_str()) != 0) return kMountFailed;
    if (!signalled(watch.descriptor(), kWaitMs)) return kUnmountUnseen;
    return kAsExpected;
}

TEST(MountWatch, SignalsEachMountAndUnmountOnce) {
    std::string folder = (std::filesystem::temp_directory_path() / "zarnel-mount-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(watchAMount(folder));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::filesystem::remove(folder);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNoNamespace) GTEST_SKIP() << "no mount namespace allowed here";
    EXPECT_EQ(WEXITSTATUS(status), kAsExpected);
}

}  // namespace
}  // namespace zarnel
