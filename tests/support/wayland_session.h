// A Wayland session, as a compositor gives its programs one: a display to talk to, and sway's
// socket for sway's.
#pragma once

#include "platform/linux/user_environment.h"

namespace zarnel::testing {

inline void joinWaylandSession(linux_fs::UserEnvironment& environment, bool sway = false) {
    environment.waylandDisplay = "wayland-1";
    environment.swaySocket = sway ? "/run/user/1000/sway-ipc.sock" : "";
}

}  // namespace zarnel::testing
