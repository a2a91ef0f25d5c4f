#include "platform/linux/mount_table.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <string>

#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {
namespace {

constexpr long kProcSuperMagic = 0x9fa0;  // PROC_SUPER_MAGIC, statfs(2)
// About 50,000 mounts; a longer table is cut rather than read whole.
constexpr std::size_t kMaxTableBytes = 8 << 20;

}  // namespace

MountTable::MountTable(std::filesystem::path root) : file_(root / "proc/self/mountinfo") {}

MountTable::~MountTable() {
    if (fd_ >= 0) ::close(fd_);
}

void MountTable::read() {
    entries_.clear();
    if (fd_ < 0) {
        fd_ = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) return;
        struct statfs info {};
        pollable_ = ::fstatfs(fd_, &info) == 0 && info.f_type == kProcSuperMagic;
    } else if (::lseek(fd_, 0, SEEK_SET) < 0) {
        return;
    }
    entries_ = parseMountinfo(readOpenFile(fd_, kMaxTableBytes).value_or(""));
    if (!pollable_) {
        ::close(fd_);
        fd_ = -1;
    }
}

const std::vector<MountEntry>& MountTable::current() {
    if (fd_ < 0) {
        read();
        return entries_;
    }
    pollfd watch{.fd = fd_, .events = POLLPRI, .revents = 0};
    if (::poll(&watch, 1, 0) != 0) read();
    return entries_;
}

}  // namespace zarnel::linux_fs
