// user-dirs.dirs: an entry below $HOME stays below it, an absolute one is absolute.
#include <filesystem>

#include "fuzz/fuzz_input.h"
#include "platform/linux/drive_letters.h"
#include "platform/linux/user_dirs.h"

namespace {

constexpr std::string_view kHome = "/home/user";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    for (const auto& [name, dir] : linux_fs::parseUserDirs(fuzz::textOf(data, size))) {
        fuzz::require(!name.empty());
        if (!dir.underHome) {
            fuzz::require(dir.path.starts_with('/'));
            continue;
        }
        fuzz::require(dir.path.empty() || dir.path.starts_with('/'));
        const std::string joined =
            std::filesystem::path(std::string(kHome) + dir.path).lexically_normal().string();
        fuzz::require(linux_fs::pathIsUnder(joined, kHome));
    }
    return 0;
}
