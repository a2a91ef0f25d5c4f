// The mount table, read again only when it changed.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/linux/mountinfo.h"

namespace zarnel::linux_fs {

// About 50,000 mounts; a longer table is refused (read as empty) rather than read whole.
inline constexpr std::size_t kMaxMountTableBytes = 8 << 20;

// procfs raises POLLPRI on an open mountinfo once the table has changed (proc(5), "mounts"),
// so a live table is read once and again only after a change. A fixture's plain file is read
// again when its inode, size or times change, so both cost one read per change.
class MountTable {
  public:
    explicit MountTable(std::filesystem::path root);
    ~MountTable();
    MountTable(const MountTable&) = delete;
    MountTable& operator=(const MountTable&) = delete;

    // The current table; empty when it cannot be read.
    const std::vector<MountEntry>& current();
    // Counts the reads: what was learnt about the table's devices holds while it stays.
    std::uint64_t generation() const { return generation_; }

  private:
    // What tells a rewritten plain file from the one read last.
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Stamp& other) const;
    };
    static std::optional<Stamp> stampOf(const std::filesystem::path& file);
    void read();

    std::filesystem::path file_;
    int fd_ = -1;
    bool pollable_ = false;
    bool everRead_ = false;
    std::optional<Stamp> stamp_;
    std::uint64_t generation_ = 0;
    std::vector<MountEntry> entries_;
};

}  // namespace zarnel::linux_fs
