// The blocks of a file system that count as its size.
#pragma once

#include <cstdint>

#include "platform/byte_units.h"

namespace zarnel::linux_fs {

// The blocks a file system's users may fill: those in use and those still free to them. Free
// blocks it keeps back from them (ext4's reserve for root, the room btrfs holds for its own
// records) are no user's, as Windows counts a volume's size for the caller.
inline std::uint64_t usableBlocks(std::uint64_t blocks, std::uint64_t freeBlocks,
                                  std::uint64_t availableBlocks) {
    const std::uint64_t keptBack = freeBlocks > availableBlocks ? freeBlocks - availableBlocks : 0;
    return blocks > keptBack ? blocks - keptBack : 0;
}

}  // namespace zarnel::linux_fs
