// A Wayland session, as a compositor gives its programs one: a display to talk to, and sway's
// socket for sway's; or a session whose display is not asked, where settings files alone tell.
#pragma once

#include <unistd.h>

#include <string>
#include <utility>

#include "platform/linux/user_environment.h"

namespace zarnel::testing {

inline void joinWaylandSession(linux_fs::UserEnvironment& environment, bool sway = false) {
    environment.waylandDisplay = "wayland-1";
    environment.swaySocket = sway ? "/run/user/1000/sway-ipc.sock" : "";
}

// A session of `desktop` for the user of `home`, with the machine's default settings folders,
// no display and no compositor's socket.
inline void joinSessionWithoutDisplay(linux_fs::UserEnvironment& environment, std::string desktop,
                                      std::string home) {
    environment.home = std::move(home);
    environment.xdgConfigHome = "";
    environment.xdgConfigDirs = "";
    environment.currentDesktop = std::move(desktop);
    environment.waylandDisplay = "";
    environment.x11Display = "";
    environment.swaySocket = "";
    environment.userId = ::geteuid();
}

}  // namespace zarnel::testing
