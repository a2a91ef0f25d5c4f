// Memory figures in whole megabytes of 1,000,000 bytes, always rounded down.
#pragma once

#include <cstdint>
#include <limits>

namespace zarnel {

inline constexpr std::int64_t kBytesPerMB = 1'000'000;

// A byte count held in a signed 64-bit window variable, saturating far beyond any machine.
constexpr std::int64_t toSignedBytes(std::uint64_t bytes) {
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(bytes > kMax ? kMax : bytes);
}

constexpr std::int64_t wholeMB(std::int64_t bytes) {
    return bytes / kBytesPerMB;
}

// The 32-bit MB figures of the pie's redraw marker: exact up to some two thousand terabytes,
// saturating beyond.
constexpr std::int32_t wholeMB32(std::int64_t bytes) {
    const std::int64_t mb = wholeMB(bytes);
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(mb > kMax ? kMax : mb);
}

}  // namespace zarnel
