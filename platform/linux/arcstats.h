// proc/spl/kstat/zfs/arcstats: how much of ZFS's cache the kernel could take back.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zarnel::linux_fs {

// ZFS keeps its cache (the ARC) apart from the page cache, so the kernel's available figure
// leaves it out, though it shrinks to its floor (c_min) when memory runs short: on a ZFS
// machine half the memory can read as used while most of it is cache. The bytes above the
// floor, from the "size" and "c_min" rows ("name type data"); nothing when either row is
// missing or not a number.
std::optional<std::uint64_t> reclaimableArcBytes(std::string_view text);

}  // namespace zarnel::linux_fs
