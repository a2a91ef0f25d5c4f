// A file read again and again through one descriptor.
#pragma once

#include <filesystem>

#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {

// The memory figures read proc/meminfo at every tick of the graph; opening it each time walks
// the path and checks the file anew for the same answer. The file is opened as readFileText
// opens it. A procfs file is kept open, since it never changes identity; any other (a fixture
// tree's) is opened at every reading, since it may be replaced.
class KeptFile {
  public:
    explicit KeptFile(std::filesystem::path file);
    KeptFile(const KeptFile&) = delete;
    KeptFile& operator=(const KeptFile&) = delete;
    ~KeptFile();

    // The whole file from its start, as readFileText gives it.
    FileText read();

  private:
    void close();

    std::filesystem::path file_;
    int fd_ = -1;
    bool kept_ = false;
};

}  // namespace zarnel::linux_fs
