#include "platform/linux/mount_table.h"

#include <poll.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <string>

#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {
namespace {

constexpr long kProcSuperMagic = 0x9fa0;  // PROC_SUPER_MAGIC, statfs(2)

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool MountTable::Stamp::operator==(const Stamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

MountTable::MountTable(std::filesystem::path root) : file_(root / "proc/self/mountinfo") {}

MountTable::~MountTable() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<MountTable::Stamp> MountTable::stampOf(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return std::nullopt;
    return Stamp{.device = info.st_dev,
                 .inode = info.st_ino,
                 .size = info.st_size,
                 .modified = info.st_mtim,
                 .changed = info.st_ctim};
}

void MountTable::read() {
    entries_.clear();
    ++generation_;
    everRead_ = true;
    int error = 0;
    if (fd_ < 0) {
        fd_ = openRegularFile(file_, FinalLink::Refuse, kMaxMountTableBytes, error);
        // Not read: asked again next time. A failure to open (out of descriptors for a moment)
        // must not stand for the run, since procfs's times never tell of a change.
        if (fd_ < 0) {
            everRead_ = false;
            return;
        }
        struct statfs info {};
        pollable_ = ::fstatfs(fd_, &info) == 0 && info.f_type == kProcSuperMagic;
    } else if (::lseek(fd_, 0, SEEK_SET) < 0) {
        return;
    }
    entries_ = parseMountinfo(readOpenFile(fd_, kMaxMountTableBytes, error).value_or(""));
    if (!pollable_) {
        ::close(fd_);
        fd_ = -1;
    }
}

const std::vector<MountEntry>& MountTable::current() {
    if (pollable_) {
        pollfd watch{.fd = fd_, .events = POLLPRI, .revents = 0};
        if (::poll(&watch, 1, 0) != 0) read();
        return entries_;
    }
    std::optional<Stamp> now = stampOf(file_);
    if (!everRead_ || !now || now != stamp_) {
        stamp_ = now;
        read();
    }
    return entries_;
}

}  // namespace zarnel::linux_fs
