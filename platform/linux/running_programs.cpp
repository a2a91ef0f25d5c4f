#include "platform/linux/running_programs.h"

#include <sys/stat.h>

#include "platform/linux/read_file.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

// The kernel keeps this much of a program's name, its terminating NUL included.
constexpr std::size_t kTaskNameBytes = 16;
// A name and its newline; no more is read of a file that should hold one.
constexpr std::size_t kMostNameFileBytes = kTaskNameBytes + 1;

}  // namespace

bool userRuns(const std::filesystem::path& root, std::string_view program, std::uint32_t userId) {
    const std::string_view kept = program.substr(0, kTaskNameBytes - 1);
    std::error_code error;
    std::filesystem::directory_iterator entry(root / "proc", error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string pid = entry->path().filename().string();
        if (!wholeNumber<unsigned>(pid)) continue;
        const auto name = readFile(entry->path(), "comm", FinalLink::Refuse, kMostNameFileBytes);
        if (!name || trimmed(*name, "\n") != kept) continue;
        // A process's folder belongs to the user it runs as.
        struct stat owner {};
        if (::stat(entry->path().c_str(), &owner) == 0 && owner.st_uid == userId) return true;
    }
    return false;
}

}  // namespace zarnel::linux_fs
