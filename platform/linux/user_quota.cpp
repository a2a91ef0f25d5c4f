#include "platform/linux/user_quota.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

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

std::optional<std::uint64_t> userQuotaLeft(const std::string& folder, uid_t user) {
    // Asked through the volume's root folder rather than its device, so that volumes without
    // one (tmpfs) answer too.
    const Descriptor root(
        ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (root.get() < 0) return std::nullopt;
    dqblk quota{};
    if (::syscall(SYS_quotactl_fd, root.get(), QCMD(Q_GETQUOTA, USRQUOTA), user, &quota) != 0) {
        return std::nullopt;
    }
    return quotaRemainder(quotaRecordOf(quota), std::time(nullptr));
}

}  // namespace zarnel::linux_fs
