// Byte counts the kernel gives in units of its own (blocks, quota blocks).
#pragma once

#include <cstdint>
#include <limits>

namespace zarnel::linux_fs {

// `count` units of `unitBytes` bytes each, saturating where 64 bits cannot count them.
inline std::uint64_t bytesOf(std::uint64_t count, std::uint64_t unitBytes) {
    std::uint64_t product = 0;
    return __builtin_mul_overflow(count, unitBytes, &product)
               ? std::numeric_limits<std::uint64_t>::max()
               : product;
}

// The blocks a file system's users may fill: those in use and those still free to them. Free
// blocks it keeps back from them (ext4's reserve for root, the room btrfs holds for its own
// records) are no user's, as Windows counts a volume's size for the caller.
inline std::uint64_t usableBlocks(std::uint64_t blocks, std::uint64_t freeBlocks,
                                  std::uint64_t availableBlocks) {
    const std::uint64_t keptBack = freeBlocks > availableBlocks ? freeBlocks - availableBlocks : 0;
    return blocks > keptBack ? blocks - keptBack : 0;
}

}  // namespace zarnel::linux_fs
