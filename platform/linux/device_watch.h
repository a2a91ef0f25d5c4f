// A descriptor that turns readable when a device node comes or goes, for a toolkit's event
// loop: a stick or card that nothing mounts changes no mount table.
#pragma once

#include <filesystem>

#include "platform/linux/descriptor.h"

namespace zarnel::linux_fs {

// inotify on dev/ below the root, where the kernel makes and removes the nodes of block
// devices as they come and go. Other nodes wake it too (a mouse's); a refresh that finds no
// drive changed costs a fraction of a millisecond and shows nothing.
class DeviceWatch {
  public:
    explicit DeviceWatch(const std::filesystem::path& root);

    // -1 when dev/ cannot be watched.
    int descriptor() const { return fd_.get(); }
    // Takes the changes seen so far, so the descriptor is quiet until the next one.
    void drain() const;

  private:
    Descriptor fd_;
};

}  // namespace zarnel::linux_fs
