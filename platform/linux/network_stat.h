// statvfs of a network share, with a deadline. A server that went away holds whoever asks it
// in the kernel for as long as it is gone (for ever on a hard NFS mount), so the question is
// asked on a helper thread and waited for at most the deadline. A path whose earlier question
// is still unanswered fails at once: choosing the drive again neither waits again nor stacks
// up threads. Copies share what is still unanswered.
#pragma once

#include <sys/statvfs.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace zarnel::linux_fs {

class NetworkStat {
  public:
    // statvfs's own contract: 0, or -1 with errno set.
    using Stat = std::function<int(const char* path, struct statvfs* info)>;

    explicit NetworkStat(Stat stat = systemStat);

    // 0 with `info` filled, or the errno of the failure: ETIMEDOUT when no answer came within
    // `deadline` or an earlier question about `path` is still unanswered.
    int operator()(const std::string& path, struct statvfs& info,
                   std::chrono::milliseconds deadline) const;

  private:
    static int systemStat(const char* path, struct statvfs* info);

    struct Unanswered;  // the paths still being asked, shared with the helper threads

    Stat stat_;
    std::shared_ptr<Unanswered> unanswered_;
};

}  // namespace zarnel::linux_fs
