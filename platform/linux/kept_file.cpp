#include "platform/linux/kept_file.h"

#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace zarnel::linux_fs {

KeptFile::KeptFile(std::filesystem::path file) : file_(std::move(file)) {}

KeptFile::~KeptFile() {
    close();
}

FileText KeptFile::read() {
    FileText result;
    if (fd_ < 0) {
        fd_ = openRegularFile(file_, FinalLink::Refuse, kMaxFileBytes, result.error);
        if (fd_ < 0) return result;
        struct statfs system {};
        kept_ = ::fstatfs(fd_, &system) == 0 && system.f_type == PROC_SUPER_MAGIC;
    }
    // procfs writes the file afresh when it is read again from the start.
    if (::lseek(fd_, 0, SEEK_SET) < 0) {
        result.error = errno;
    } else {
        result.text = readOpenFile(fd_, kMaxFileBytes, result.error);
    }
    if (!result.text || !kept_) close();
    return result;
}

void KeptFile::close() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

}  // namespace zarnel::linux_fs
