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
// More than any bar's command line; only its head is read.
constexpr std::size_t kMostCommandLineBytes = 65536;

bool namesOneOf(std::string_view name, std::span<const std::string_view> programs) {
    for (const std::string_view program : programs) {
        if (name == program.substr(0, kTaskNameBytes - 1)) return true;
    }
    return false;
}

}  // namespace

std::vector<RunningProgram> userPrograms(const std::filesystem::path& root,
                                         std::span<const std::string_view> programs,
                                         std::uint32_t userId) {
    std::vector<RunningProgram> found;
    std::error_code error;
    std::filesystem::directory_iterator entry(root / "proc", error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::filesystem::path& process = entry->path();
        if (!wholeNumber<unsigned>(process.filename().string())) continue;
        // A process's folder belongs to the user it runs as: the others' are not read.
        struct stat owner {};
        if (::stat(process.c_str(), &owner) != 0 || owner.st_uid != userId) continue;
        const auto comm = readFile(process, "comm", FinalLink::Refuse, kMostNameFileBytes);
        const std::string_view name = comm ? trimmed(*comm, "\n") : std::string_view();
        if (!comm || !namesOneOf(name, programs)) continue;
        RunningProgram program{.name = std::string(name), .arguments = {}};
        const std::string line =
            readFileHead(process, "cmdline", FinalLink::Refuse, kMostCommandLineBytes).value_or("");
        for (std::string_view rest = line; !rest.empty();) {
            const std::size_t end = rest.find('\0');
            program.arguments.emplace_back(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        found.push_back(std::move(program));
    }
    return found;
}

}  // namespace zarnel::linux_fs
