// Byte counts a system gives in units of its own (blocks, allocation units, quota blocks).
#pragma once

#include <cstdint>
#include <limits>

namespace zarnel {

// `count` units of `unitBytes` bytes each, saturating where 64 bits cannot count them.
inline std::uint64_t bytesOf(std::uint64_t count, std::uint64_t unitBytes) {
    std::uint64_t product = 0;
    return __builtin_mul_overflow(count, unitBytes, &product)
               ? std::numeric_limits<std::uint64_t>::max()
               : product;
}

}  // namespace zarnel
