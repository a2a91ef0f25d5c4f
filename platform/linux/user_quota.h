// What the user's disk quota leaves them on a volume.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace zarnel::linux_fs {

// One user's quota on one volume, as the kernel reports it.
struct QuotaRecord {
    bool blockLimitsValid = false;      // the limits below were reported
    std::uint64_t hardLimitBlocks = 0;  // quota blocks of 1 KiB; 0 for no limit
    std::uint64_t usedBytes = 0;
};

// The bytes the user may still write: nothing when no hard limit bounds them, 0 when the
// user is at or over it.
std::optional<std::uint64_t> quotaRemainder(const QuotaRecord& record);

// The user's quota remainder on the volume whose root is `folder`; nothing where the volume
// keeps no quota for them or the system cannot say (no quota support, a kernel before 5.14).
std::optional<std::uint64_t> userQuotaLeft(const std::string& folder, uid_t user);

}  // namespace zarnel::linux_fs
