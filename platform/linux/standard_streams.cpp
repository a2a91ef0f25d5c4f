#include "platform/linux/standard_streams.h"

#include <fcntl.h>

#include <cerrno>

namespace zarnel::linux_fs {

ReopenedStreams keepStandardStreamsOpen() {
    ReopenedStreams reopened{};
    for (int fd = kStandardInput; fd < kStandardStreams; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open takes the lowest free number: this one. Where /dev/null cannot be opened
        // (a bare chroot) the stream stays closed, as it was given.
        reopened[static_cast<std::size_t>(fd)] =
            ::open("/dev/null", fd == kStandardInput ? O_RDONLY : O_WRONLY) == fd;
    }
    return reopened;
}

}  // namespace zarnel::linux_fs
