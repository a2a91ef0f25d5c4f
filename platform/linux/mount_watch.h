// A descriptor that signals a change of the mount table, for a toolkit's event loop.
#pragma once

#include <filesystem>

#include "platform/linux/descriptor.h"

namespace zarnel::linux_fs {

// procfs raises POLLPRI (with POLLERR) on an open mountinfo each time a mount comes or goes
// (proc(5), "mounts"), once per change: the poll that reports it also clears it. Its own
// descriptor, so the provider's table keeps seeing the change too.
class MountWatch {
  public:
    explicit MountWatch(const std::filesystem::path& root);

    // -1 when the table cannot be opened.
    int descriptor() const { return fd_.get(); }

  private:
    Descriptor fd_;
};

}  // namespace zarnel::linux_fs
