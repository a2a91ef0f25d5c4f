#include "platform/linux/meminfo.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::uint64_t kBytesPerKiB = 1024;
constexpr double kPercent = 100;
constexpr std::string_view kUnit = "kB";

// "  16318464 kB" -> bytes. A value cut short (no unit) or too large is no value.
std::optional<std::uint64_t> kibibytes(std::string_view value) {
    value = trimmed(value);
    if (!value.ends_with(kUnit)) return std::nullopt;
    const std::string_view digits = trimmed(value.substr(0, value.size() - kUnit.size()));
    const auto kib = wholeNumber<std::uint64_t>(digits);
    if (!kib || *kib > std::numeric_limits<std::uint64_t>::max() / kBytesPerKiB) {
        return std::nullopt;
    }
    return *kib * kBytesPerKiB;
}

}  // namespace

Meminfo parseMeminfo(std::string_view text) {
    Meminfo info;
    const std::array<std::pair<std::string_view, std::optional<std::uint64_t>*>, 5> fields = {{
        {"MemTotal", &info.memTotal},
        {"MemAvailable", &info.memAvailable},
        {"MemFree", &info.memFree},
        {"Buffers", &info.buffers},
        {"Cached", &info.cached},
    }};
    while (!text.empty()) {
        const std::string_view line = takeLine(text);
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = line.substr(0, colon);
        for (const auto& [wanted, slot] : fields) {
            if (name == wanted && !slot->has_value()) *slot = kibibytes(line.substr(colon + 1));
        }
    }
    return info;
}

std::optional<MemoryStatus> memoryStatusFrom(const Meminfo& info, std::uint64_t reclaimableCache) {
    // No machine runs with no memory: a zero total is a broken file, not a reading.
    if (!info.memTotal || *info.memTotal == 0) return std::nullopt;
    std::uint64_t available = 0;
    if (info.memAvailable) {
        available = *info.memAvailable;
    } else if (info.memFree && info.buffers && info.cached) {
        // Figures no machine has would wrap the sum round to a believable one.
        if (__builtin_add_overflow(*info.memFree, *info.buffers, &available) ||
            __builtin_add_overflow(available, *info.cached, &available)) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    const std::uint64_t total = *info.memTotal;
    // The estimate can exceed the total (page cache counted twice on some kernels), and so can
    // a cache figure read a moment apart from it.
    if (__builtin_add_overflow(available, reclaimableCache, &available) || available > total) {
        available = total;
    }
    const std::uint64_t used = total - available;
    MemoryStatus status;
    status.ullTotalPhys = total;
    status.ullAvailPhys = available;
    // In floating point, as used * 100 could overflow 64 bits; the percent is exact enough.
    status.dwMemoryLoad = static_cast<std::uint32_t>(
        std::lround(static_cast<double>(used) * kPercent / static_cast<double>(total)));
    return status;
}

}  // namespace zarnel::linux_fs
