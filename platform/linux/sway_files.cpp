#include "platform/linux/sway_files.h"

#include <fnmatch.h>

#include <algorithm>
#include <array>
#include <set>
#include <span>
#include <string>

#include "platform/linux/home_words.h"
#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {
namespace {

namespace fs = std::filesystem;

// Deeper than any settings include; a file that includes itself by another name stops there.
constexpr int kMaxIncludeDepth = 16;
// More files than any settings hold; a pattern that reaches the same files many ways (a folder
// linked into itself) stops there.
constexpr std::size_t kMaxFiles = 256;
// More folder entries than any settings' patterns look at; a pattern of many wildcards over a
// folder linked into itself would otherwise look at millions.
constexpr std::size_t kMaxEntriesLookedAt = 4096;
constexpr std::string_view kWildcards = "*?[";

// The paths of the machine a pattern's components match, below the root: a component with
// wildcards against the entries of each folder so far, as glob(3) matches them (a leading '.'
// only by a '.'), any other as it is. Sorted, as glob(3) gives them.
std::vector<fs::path> matches(const fs::path& root, const fs::path& pattern) {
    std::vector<fs::path> found{"/"};
    std::size_t lookedAt = 0;
    for (const fs::path& component : pattern.relative_path()) {
        const std::string name = component.string();
        std::vector<fs::path> next;
        for (const fs::path& folder : found) {
            if (name.find_first_of(kWildcards) == std::string::npos) {
                next.push_back(folder / name);
                continue;
            }
            std::error_code error;
            fs::directory_iterator entry(root / folder.relative_path(), error);
            for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
                if (++lookedAt > kMaxEntriesLookedAt) return {};
                const std::string entryName = entry->path().filename().string();
                if (::fnmatch(name.c_str(), entryName.c_str(), FNM_PERIOD) == 0) {
                    next.push_back(folder / entryName);
                }
            }
        }
        found = std::move(next);
    }
    std::sort(found.begin(), found.end());
    return found;
}

class SwayFiles {
  public:
    SwayFiles(fs::path root, fs::path configHome, fs::path home)
        : root_(std::move(root)), configHome_(std::move(configHome)), home_(std::move(home)) {}

    // The bars of the first of `candidates` that can be read.
    std::vector<SwayBar> bars(std::span<const fs::path> candidates) {
        for (const fs::path& candidate : candidates) {
            if (auto text = readSettingsFile(root_, candidate)) {
                firstTime(candidate);
                read(candidate, *text, 0);
                break;
            }
        }
        return reader_.bars();
    }

  private:
    void read(const fs::path& file, std::string_view text, int depth) {
        reader_.read(text, [this, &file, depth](const std::vector<std::string>& words) {
            if (depth >= kMaxIncludeDepth) return;
            for (const fs::path& included : filesOf(words[1], file.parent_path())) {
                if (!firstTime(included)) continue;
                if (auto found = readSettingsFile(root_, included)) {
                    read(included, *found, depth + 1);
                }
            }
        });
    }

    // Whether `file` is read for the first time, by its real place: a file reached by two
    // names is read once; and no more files than any settings hold.
    bool firstTime(const fs::path& file) {
        if (seen_.size() >= kMaxFiles) return false;
        std::error_code error;
        const fs::path real = fs::canonical(root_ / file.relative_path(), error);
        return seen_.insert(error ? file.lexically_normal().string() : real.string()).second;
    }

    // The machine's files a pattern names, as paths of the machine.
    std::vector<fs::path> filesOf(const std::string& pattern, const fs::path& folder) const {
        // Relative to the including file's folder; ".." goes no higher than the root.
        return matches(root_,
                       (folder / withHomeWords(pattern, home_, configHome_)).lexically_normal());
    }

    fs::path root_;
    fs::path configHome_;
    fs::path home_;
    SwayConfigReader reader_;
    std::set<std::string> seen_;
};

}  // namespace

std::vector<SwayBar> swayBars(const fs::path& root, const fs::path& configHome,
                              const fs::path& home) {
    const std::array<fs::path, 6> candidates = {home / ".sway/config", configHome / "sway/config",
                                                home / ".i3/config",   configHome / "i3/config",
                                                "/etc/sway/config",    "/etc/i3/config"};
    return SwayFiles(root, configHome, home).bars(candidates);
}

std::vector<SwayBar> i3Bars(const fs::path& root, const fs::path& configHome, const fs::path& home,
                            std::span<const std::string> configDirs) {
    std::vector<fs::path> candidates = {home / ".i3/config", configHome / "i3/config",
                                        "/etc/i3/config"};
    for (const std::string& folder : configDirs)
        candidates.push_back(fs::path(folder) / "i3/config");
    return SwayFiles(root, configHome, home).bars(candidates);
}

}  // namespace zarnel::linux_fs
