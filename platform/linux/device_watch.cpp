#include "platform/linux/device_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstdint>

namespace zarnel::linux_fs {
namespace {

// A whole disk's node may come before sysfs lists the disk; udev then sets its owner and mode,
// which wakes the window a second time, by when the disk is known.
constexpr std::uint32_t kNodesComingOrGoing =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_ONLYDIR;
// Room for many events per read; the queue is read until it is empty anyway.
constexpr std::size_t kReadBytes = 4096;

int watchDevices(const std::filesystem::path& root) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) return -1;
    if (::inotify_add_watch(fd, (root / "dev").c_str(), kNodesComingOrGoing) < 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

DeviceWatch::DeviceWatch(const std::filesystem::path& root) : fd_(watchDevices(root)) {}

void DeviceWatch::drain() const {
    if (fd_.get() < 0) return;
    alignas(inotify_event) std::array<char, kReadBytes> events{};
    ssize_t taken = 0;
    do {
        taken = ::read(fd_.get(), events.data(), events.size());
    } while (taken > 0);
}

}  // namespace zarnel::linux_fs
