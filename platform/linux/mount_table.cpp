#include "platform/linux/mount_table.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <array>
#include <string>

namespace zarnel::linux_fs {
namespace {

constexpr long kProcSuperMagic = 0x9fa0;  // PROC_SUPER_MAGIC, statfs(2)
constexpr std::size_t kChunk = 16384;

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
    std::string text;
    std::array<char, kChunk> chunk{};
    for (ssize_t got; (got = ::read(fd_, chunk.data(), chunk.size())) > 0;) {
        text.append(chunk.data(), static_cast<std::size_t>(got));
    }
    entries_ = parseMountinfo(text);
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
