#include "platform/linux/mount_watch.h"

#include "platform/linux/mount_table.h"
#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {

namespace {

int openTable(const std::filesystem::path& root) {
    int error = 0;  // a table that cannot be watched is simply never seen changing
    return openRegularFile(root / "proc/self/mountinfo", FinalLink::Refuse, kMaxMountTableBytes,
                           error);
}

}  // namespace

MountWatch::MountWatch(const std::filesystem::path& root) : fd_(openTable(root)) {}

}  // namespace zarnel::linux_fs
