// The mount table's watch against the kernel itself: a mount coming and going in a mount
// namespace of the test's own raises one priority event each, which the poll that sees it
// takes. Nothing else could show that the table the window watches is the one that signals.
#include "platform/linux/mount_watch.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/mount.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/private_mounts.h"

namespace zarnel {
namespace {

// What the child reports through its exit status.
enum Outcome : int {
    kAsExpected = 0,
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

// Runs in mounts of its own: nothing the host mounts meanwhile shows in this table.
Outcome watchAMount(const std::filesystem::path& point) {
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
    const std::optional<int> outcome = testing::inPrivateMounts(
        [&folder] { return watchAMount(folder); }, testing::Namespaces::OrUnprivileged);
    std::filesystem::remove(folder);
    if (!outcome) GTEST_SKIP() << "no mount namespace allowed here";
    EXPECT_EQ(*outcome, kAsExpected);
}

}  // namespace
}  // namespace zarnel
