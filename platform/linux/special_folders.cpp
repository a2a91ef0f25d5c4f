// The shell's special folders on a Linux desktop.
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <functional>
#include <optional>

#include "platform/errors.h"
#include "platform/linux/drive_letters.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/user_dirs.h"
#include "platform/name_copy.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

constexpr int kCsidlFlagMask = 0xFF00;
// The folder is not there and may not be made.
constexpr std::int32_t kPathNotFound = hresultFromWin32(win32_error::kPathNotFound);
constexpr std::int32_t kEInvalidArg = hresultFromWin32(win32_error::kInvalidParameter);
// The folder's share did not answer in time.
constexpr std::int32_t kNotReady = hresultFromWin32(win32_error::kNotReady);

enum class Source {
    UserDir,     // an entry of user-dirs.dirs, else a folder below $HOME
    ConfigHome,  // a fixed folder in the user's settings folder ($XDG_CONFIG_HOME, ~/.config)
    DataHome,    // a fixed folder in the user's data folder ($XDG_DATA_HOME, ~/.local/share)
    System,      // a fixed folder of the machine
    None,        // no such folder on this desktop
};

struct FolderRow {
    int csidl;
    Source source;
    std::string_view where;     // the user-dirs name, or the path in its folder
    std::string_view fallback;  // below $HOME, for a user-dirs name without an entry
};

constexpr std::array<FolderRow, 16> kFolders = {{
    {csidl::kDesktop, Source::UserDir, "DESKTOP", "/Desktop"},
    {csidl::kPrograms, Source::DataHome, "/applications", ""},
    // Without an entry the documents and templates are the home folder itself, as
    // xdg-user-dir answers.
    {csidl::kPersonal, Source::UserDir, "DOCUMENTS", ""},
    {csidl::kFavorites, Source::None, "", ""},
    {csidl::kStartup, Source::ConfigHome, "/autostart", ""},
    {csidl::kStartMenu, Source::DataHome, "/applications", ""},
    {csidl::kFonts, Source::System, "/usr/share/fonts", ""},
    {csidl::kTemplates, Source::UserDir, "TEMPLATES", ""},
    {csidl::kCommonStartMenu, Source::System, "/usr/share/applications", ""},
    {csidl::kCommonPrograms, Source::System, "/usr/share/applications", ""},
    {csidl::kCommonStartup, Source::System, "/etc/xdg/autostart", ""},
    {csidl::kCommonDesktopDirectory, Source::None, "", ""},
    {csidl::kCommonFavorites, Source::None, "", ""},
    {csidl::kWindows, Source::System, "/", ""},
    {csidl::kSystem, Source::System, "/usr/lib", ""},
    {csidl::kProgramFiles, Source::System, "/usr/bin", ""},
}};

const FolderRow* folderRow(int folder) {
    for (const FolderRow& row : kFolders) {
        if (row.csidl == folder) return &row;
    }
    return nullptr;
}

bool isAbsoluteHome(std::string_view home) {
    return home.starts_with('/');
}

// Where the user's folder settings are kept, below the machine's root.
fs::path userDirsPath(const linux_fs::UserEnvironment& environment) {
    return fs::path(environment.configHome()).relative_path() / "user-dirs.dirs";
}

// Whether a settings file that gave no text leaves the folders at their defaults: it is not
// there, or junk stands in its place (a folder, a pipe, a socket, a link loop, a file past what
// the window reads). One that is there and cannot be read (its permissions, a share's stale
// handle) may name other folders.
bool noSettingsFile(int error) {
    return error == ENOENT || error == ENOTDIR || error == EISDIR || error == EINVAL ||
           error == ENXIO || error == ELOOP || error == EFBIG;
}

std::string userDir(const linux_fs::UserEnvironment& environment, const FolderRow& row,
                    const std::optional<std::string>& settings) {
    if (settings) {
        const auto dirs = linux_fs::parseUserDirs(*settings);
        if (const auto entry = dirs.find(row.where); entry != dirs.end()) {
            return entry->second.underHome ? environment.home + entry->second.path
                                           : entry->second.path;
        }
    }
    return environment.home + std::string(row.fallback);
}

// Whether the folder's path depends on $HOME, which must then be set.
bool needsHome(const FolderRow& row) {
    return row.source != Source::System && row.source != Source::None;
}

// The folder a fixed path of `row` lies in: the machine's root, or one of the user's.
std::string baseFolder(const linux_fs::UserEnvironment& environment, const FolderRow& row) {
    switch (row.source) {
        case Source::ConfigHome:
            return environment.configHome();
        case Source::DataHome:
            return environment.dataHome();
        default:
            return {};
    }
}

// "/home/a//Desktop/" as "/home/a/Desktop": a $HOME with a trailing slash joins with one.
std::string tidy(const std::string& path) {
    std::string normal = fs::path(path).lexically_normal().string();
    if (normal.size() > 1 && normal.ends_with('/')) normal.pop_back();
    return normal;
}

// A folder may be made only strictly below one of the user's own (the home folder, or the
// settings or data folder it lies in), never through a link that leads elsewhere, and only in
// a folder of the user running the program: run as root with a user's $HOME (sudo keeping the
// environment), it would leave that user folders they cannot write to.
bool mayCreateBelow(const fs::path& root, const std::string& own, std::uint32_t userId,
                    const std::string& path) {
    const std::string normalOwn = fs::path(own).lexically_normal().string();
    const std::string normalPath = fs::path(path).lexically_normal().string();
    if (normalOwn == "/" || normalPath == normalOwn ||
        !linux_fs::pathIsUnder(normalPath, normalOwn)) {
        return false;
    }
    std::error_code error;
    const fs::path realOwn = fs::canonical(root / fs::path(normalOwn).relative_path(), error);
    struct stat owner {};
    if (error || ::stat(realOwn.c_str(), &owner) != 0 || owner.st_uid != userId) {
        return false;
    }
    fs::path existing = root / fs::path(normalPath).relative_path();
    while (!fs::exists(fs::symlink_status(existing, error)) && existing.has_parent_path() &&
           existing != existing.parent_path()) {
        existing = existing.parent_path();
    }
    const fs::path realExisting = fs::canonical(existing, error);
    return !error && linux_fs::pathIsUnder(realExisting.string(), realOwn.string());
}

// Makes the folders of `path` that are missing, each for its owner alone (0700), as the
// base-directory rules make the settings and data folders: programs keep their secrets there.
bool makePrivately(const fs::path& path) {
    constexpr mode_t kOwnerOnly = S_IRWXU;
    fs::path made;
    for (const fs::path& part : path) {
        made /= part;
        if (::mkdir(made.c_str(), kOwnerOnly) != 0 && errno != EEXIST) return false;
    }
    return true;
}

}  // namespace

std::int32_t LinuxPlatform::getFolderPath(Hwnd, int csidl, std::span<char> path) {
    const FolderRow* row = folderRow(csidl & ~kCsidlFlagMask);
    if (!row) return kEInvalidArg;
    if (row->source == Source::None) return kEFail;
    if (needsHome(*row) && !isAbsoluteHome(environment.home)) return kEFail;
    // The user's settings or data folder a fixed folder lies in; empty for the others.
    const std::string base = baseFolder(environment, *row);
    std::string folder;
    if (row->source == Source::UserDir) {
        const fs::path settingsFile = userDirsPath(environment);
        const auto settings = userDirsFile((root_ / settingsFile).string(), kNetworkAnswerDeadline,
                                           root_, settingsFile);
        if (!settings) return kNotReady;
        // Shown or made, the default would stand beside the folder the settings name.
        if (!settings->text && !noSettingsFile(settings->error)) return kPathNotFound;
        folder = tidy(userDir(environment, *row, settings->text));
    } else {
        folder = tidy(base + std::string(row->where));
    }
    // A path too long for the caller is refused before anything is made for it.
    if (folder.size() >= path.size()) {
        lastError_ = win32_error::kMoreData;
        return kEFail;
    }

    const fs::path located = root_ / fs::path(folder).relative_path();
    const bool create = (csidl & kCsidlFlagCreate) != 0;
    // Made on the checking thread, which may outlive this call: it owns what it touches.
    std::function<bool()> make;
    if (create) {
        // A settings or data folder the user moved out of the home is theirs as well.
        make = [root = root_, home = environment.home, base, user = environment.userId, folder,
                located] {
            std::error_code error;
            return (mayCreateBelow(root, home, user, folder) ||
                    (!base.empty() && mayCreateBelow(root, base, user, folder))) &&
                   (base.empty() || makePrivately(root / fs::path(tidy(base)).relative_path())) &&
                   fs::create_directories(located, error);
        };
    }
    const auto found = folderCheck(located, std::move(make), kNetworkAnswerDeadline);
    if (!found) return kNotReady;
    if (!*found) return kPathNotFound;
    std::uint32_t len = static_cast<std::uint32_t>(path.size());
    if (copyName(folder, path, len, LengthOnSuccess::WithoutNul, win32_error::kMoreData,
                 lastError_) == 0) {
        return kEFail;
    }
    return kSOk;
}

}  // namespace zarnel
