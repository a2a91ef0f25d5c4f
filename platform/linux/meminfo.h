// proc/meminfo: the kernel's memory figures, as text in and a record out.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace zarnel::linux_fs {

// The lines the memory status needs, in bytes; a line that is missing or not of the form
// "Name:  <digits> kB" stays empty.
struct Meminfo {
    std::optional<std::uint64_t> memTotal;
    std::optional<std::uint64_t> memAvailable;
    std::optional<std::uint64_t> memFree;
    std::optional<std::uint64_t> buffers;
    std::optional<std::uint64_t> cached;
};

Meminfo parseMeminfo(std::string_view text);

// Total and available physical memory with the load in percent, or nothing when the figures
// it needs are missing. Kernels before 3.14 have no MemAvailable: free plus buffers plus page
// cache stands in for it there. `reclaimableCache` is cache the kernel does not count as
// available though it can take it back (ZFS's), added to what is.
std::optional<MemoryStatus> memoryStatusFrom(const Meminfo& info,
                                             std::uint64_t reclaimableCache = 0);

}  // namespace zarnel::linux_fs
