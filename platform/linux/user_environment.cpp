#include "platform/linux/user_environment.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/linux/name_service.h"

namespace zarnel::linux_fs {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

UserEnvironment UserEnvironment::fromProcess(const NameService& names) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    // Without $HOME every desktop program takes the home folder from the user's passwd entry;
    // a relative one names no folder at all.
    std::string home = variable("HOME");
    if (!home.starts_with('/')) {
        if (const auto user = effectiveUserEntry(names)) home = user->home;
    }
    return {.home = std::move(home),
            .xdgConfigHome = variable("XDG_CONFIG_HOME"),
            .xdgDataHome = variable("XDG_DATA_HOME"),
            .workingDirectory = error ? std::string() : current.string(),
            .currentDesktop = variable("XDG_CURRENT_DESKTOP"),
            .kdeSessionVersion = variable("KDE_SESSION_VERSION"),
            .desktopSession = variable("DESKTOP_SESSION"),
            .userId = ::geteuid()};
}

std::string UserEnvironment::configHome() const {
    return xdgConfigHome.starts_with('/') ? xdgConfigHome : home + "/.config";
}

std::string UserEnvironment::dataHome() const {
    return xdgDataHome.starts_with('/') ? xdgDataHome : home + "/.local/share";
}

}  // namespace zarnel::linux_fs
