// ~/.config/user-dirs.dirs: where the user keeps the desktop, documents and templates.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// One entry: a path below $HOME ("$HOME/Desktop" keeps "/Desktop") or an absolute path.
struct UserDir {
    bool underHome = false;
    std::string path;
};

// Entries by name ("DESKTOP" for XDG_DESKTOP_DIR). Lines are XDG_<NAME>_DIR="value" with the
// value starting "$HOME" or "/", a backslash quoting the next character; other lines are
// skipped, and a later entry replaces an earlier one.
std::map<std::string, UserDir, std::less<>> parseUserDirs(std::string_view text);

}  // namespace zarnel::linux_fs
