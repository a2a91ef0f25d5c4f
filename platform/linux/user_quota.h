// What the disk quotas of the user and of the user's group leave them on a volume.
#pragma once

#include <linux/dqblk_xfs.h>
#include <sys/quota.h>
#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace zarnel::linux_fs {

// One user's quota on one volume, as the kernel reports it.
struct QuotaRecord {
    bool blockLimitsValid = false;      // the limits below were reported
    std::uint64_t hardLimitBlocks = 0;  // quota blocks of 1 KiB; 0 for no limit
    std::uint64_t softLimitBlocks = 0;  // the same units; 0 for no limit
    std::time_t graceEnds = 0;          // when a user over the soft limit may write no more
    std::uint64_t usedBytes = 0;
};

// The kernel's answer to a quota question, as a record.
QuotaRecord quotaRecordOf(const dqblk& answer);

// The bytes the user may still write at `now`: nothing when no limit bounds them, 0 when the
// user is at or over the hard limit, or over the soft one once its grace time has run out.
std::optional<std::uint64_t> quotaRemainder(const QuotaRecord& record, std::time_t now);

// Which limits the volume enforces: one that only counts usage keeps its limits and refuses no
// write for them.
struct QuotaEnforcement {
    bool user = true;
    bool group = true;
};

// The kernel's quota state, as the limits it enforces.
QuotaEnforcement quotaEnforcementOf(const fs_quota_statv& state);

// What the user may still write at `now`: the least of what the enforced limits of the user's
// and the group's quota leave; nothing when neither bounds them.
std::optional<std::uint64_t> quotaLeft(const std::optional<QuotaRecord>& user,
                                       const std::optional<QuotaRecord>& group,
                                       QuotaEnforcement enforced, std::time_t now);

// What the quotas of `user` and of `group` leave on the volume whose root is `folder`; nothing
// where the volume keeps no quota for them or the system cannot say (no quota support, a
// kernel before 5.14).
std::optional<std::uint64_t> userQuotaLeft(const std::string& folder, uid_t user, gid_t group);

}  // namespace zarnel::linux_fs
