#include "platform/linux/user_environment.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "platform/linux/name_service.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The locale a category is written in, as the C library chooses it: the first of these set.
std::string numericLocaleName() {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        if (std::string value = variable(name); !value.empty()) return value;
    }
    return "C";
}

}  // namespace

UserEnvironment UserEnvironment::fromProcess(const NameService& names) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    // Without $HOME every desktop program takes the home folder from the user's passwd entry;
    // a relative one names no folder at all.
    UserEnvironment environment{.home = variable("HOME"),
                                .xdgConfigHome = variable("XDG_CONFIG_HOME"),
                                .xdgDataHome = variable("XDG_DATA_HOME"),
                                .xdgConfigDirs = variable("XDG_CONFIG_DIRS"),
                                .xdgDataDirs = variable("XDG_DATA_DIRS"),
                                .workingDirectory = error ? std::string() : current.string(),
                                .currentDesktop = variable("XDG_CURRENT_DESKTOP"),
                                .kdeSessionVersion = variable("KDE_SESSION_VERSION"),
                                .desktopSession = variable("DESKTOP_SESSION"),
                                .x11Display = variable("DISPLAY"),
                                .waylandDisplay = variable("WAYLAND_DISPLAY"),
                                .swaySocket = variable("SWAYSOCK"),
                                .numericLocale = numericLocaleName(),
                                .userId = ::geteuid(),
                                .groupId = ::getegid()};
    environment.learnHomeFrom(names);
    return environment;
}

bool UserEnvironment::learnHomeFrom(const NameService& names) {
    if (home.starts_with('/') || variable("HOME").starts_with('/')) return false;
    const auto user = effectiveUserEntry(names);
    if (!user || !user->home.starts_with('/')) return false;
    home = user->home;
    return true;
}

std::string UserEnvironment::configHome() const {
    return xdgConfigHome.starts_with('/') ? xdgConfigHome : home + "/.config";
}

std::string UserEnvironment::dataHome() const {
    return xdgDataHome.starts_with('/') ? xdgDataHome : home + "/.local/share";
}

namespace {

// The absolute folders of a list of them, else `defaults`.
std::vector<std::string> absoluteFolders(std::string_view list,
                                         std::initializer_list<std::string_view> defaults) {
    std::vector<std::string> folders;
    for (const std::string_view folder : separatedItems(list, ':')) {
        if (folder.starts_with('/')) folders.emplace_back(folder);
    }
    if (folders.empty()) folders.assign(defaults.begin(), defaults.end());
    return folders;
}

}  // namespace

std::vector<std::string> UserEnvironment::configDirs() const {
    return absoluteFolders(xdgConfigDirs, {"/etc/xdg"});
}

std::vector<std::string> UserEnvironment::dataDirs() const {
    return absoluteFolders(xdgDataDirs, {"/usr/local/share", "/usr/share"});
}

}  // namespace zarnel::linux_fs
