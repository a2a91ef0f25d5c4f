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

}  // namespace zarnel::linux_fs
