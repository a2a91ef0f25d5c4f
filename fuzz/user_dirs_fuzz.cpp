// user-dirs.dirs: each entry is one line's quoted path, below $HOME or absolute. "$HOME/.." is
// a path the file may hold: whether a folder may be made there is the lookup's question.
#include "fuzz/fuzz_input.h"
#include "platform/linux/user_dirs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    for (const auto& [name, dir] : linux_fs::parseUserDirs(fuzz::textOf(data, size))) {
        fuzz::require(!name.empty());
        fuzz::require(dir.path.find('\n') == std::string::npos);
        fuzz::require(dir.underHome ? dir.path.empty() || dir.path.starts_with('/')
                                    : dir.path.starts_with('/'));
    }
    return 0;
}
