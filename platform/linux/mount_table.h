// The mount table, read again only when the kernel says it changed.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/linux/mountinfo.h"

namespace zarnel::linux_fs {

// procfs raises POLLPRI on an open mountinfo once the table has changed (proc(5), "mounts"),
// so a live table is read once and again only after a change. A fixture's plain file is read
// at every call.
class MountTable {
  public:
    explicit MountTable(std::filesystem::path root);
    ~MountTable();
    MountTable(const MountTable&) = delete;
    MountTable& operator=(const MountTable&) = delete;

    // The current table; empty when it cannot be read.
    const std::vector<MountEntry>& current();

  private:
    void read();

    std::filesystem::path file_;
    int fd_ = -1;
    bool pollable_ = false;
    std::vector<MountEntry> entries_;
};

}  // namespace zarnel::linux_fs
