#include "platform/linux/user_quota.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/byte_count.h"
#include "platform/linux/descriptor.h"

namespace zarnel::linux_fs {

QuotaRecord quotaRecordOf(const dqblk& answer) {
    return {.blockLimitsValid = (answer.dqb_valid & QIF_BLIMITS) != 0,
            .hardLimitBlocks = answer.dqb_bhardlimit,
            .softLimitBlocks = answer.dqb_bsoftlimit,
            .graceEnds = static_cast<std::time_t>(answer.dqb_btime),
            .usedBytes = answer.dqb_curspace};
}

std::optional<std::uint64_t> quotaRemainder(const QuotaRecord& record, std::time_t now) {
    if (!record.blockLimitsValid) return std::nullopt;
    // The kernel starts the grace time when usage passes the soft limit and refuses every
    // write once it has run out, whatever room the hard limit leaves.
    const bool graceRunOut = record.softLimitBlocks != 0 && record.graceEnds != 0 &&
                             now >= record.graceEnds &&
                             record.usedBytes >= bytesOf(record.softLimitBlocks, QIF_DQBLKSIZE);
    if (graceRunOut) return 0;
    if (record.hardLimitBlocks == 0) return std::nullopt;
    const std::uint64_t limit = bytesOf(record.hardLimitBlocks, QIF_DQBLKSIZE);
    return record.usedBytes < limit ? limit - record.usedBytes : 0;
}

QuotaEnforcement quotaEnforcementOf(const fs_quota_statv& state) {
    return {.user = (state.qs_flags & FS_QUOTA_UDQ_ENFD) != 0,
            .group = (state.qs_flags & FS_QUOTA_GDQ_ENFD) != 0};
}

std::optional<std::uint64_t> quotaLeft(const std::optional<QuotaRecord>& user,
                                       const std::optional<QuotaRecord>& group,
                                       QuotaEnforcement enforced, std::time_t now) {
    std::optional<std::uint64_t> left;
    const auto bound = [&left, now](const std::optional<QuotaRecord>& record, bool enforcedFor) {
        if (!record || !enforcedFor) return;
        if (const auto remainder = quotaRemainder(*record, now)) {
            left = std::min(left.value_or(*remainder), *remainder);
        }
    };
    bound(user, enforced.user);
    bound(group, enforced.group);
    return left;
}

std::optional<std::uint64_t> userQuotaLeft(const std::string& folder, uid_t user, gid_t group) {
    // Asked through the volume's root folder rather than its device, so that volumes without
    // one (tmpfs) answer too.
    const Descriptor root(
        ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (root.get() < 0) return std::nullopt;
    const auto recordOf = [&root](int type, unsigned id) -> std::optional<QuotaRecord> {
        dqblk quota{};
        if (::syscall(SYS_quotactl_fd, root.get(), QCMD(Q_GETQUOTA, type), id, &quota) != 0) {
            return std::nullopt;
        }
        return quotaRecordOf(quota);
    };
    // A state the kernel cannot tell leaves every kept limit counted, as each is meant to be.
    QuotaEnforcement enforced;
    fs_quota_statv state{};
    state.qs_version = FS_QSTATV_VERSION1;
    if (::syscall(SYS_quotactl_fd, root.get(), QCMD(Q_XGETQSTATV, USRQUOTA), 0, &state) == 0) {
        enforced = quotaEnforcementOf(state);
    }
    return quotaLeft(recordOf(USRQUOTA, user), recordOf(GRPQUOTA, group), enforced,
                     std::time(nullptr));
}

}  // namespace zarnel::linux_fs
