#include "platform/linux/standard_streams.h"

#include <fcntl.h>

#include <cerrno>

namespace zarnel::linux_fs {

void keepStandardStreamsOpen() {
    constexpr int kStandardStreams = 3;  // input, output, error
    for (int fd = 0; fd < kStandardStreams; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open takes the lowest free number: this one. Where /dev/null cannot be opened
        // (a bare chroot) the stream stays closed, as it was given.
        ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
}

}  // namespace zarnel::linux_fs
