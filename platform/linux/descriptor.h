// A file descriptor closed when its owner goes, however that happens.
#pragma once

#include <unistd.h>

namespace zarnel::linux_fs {

class Descriptor {
  public:
    // -1 for none.
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

}  // namespace zarnel::linux_fs
