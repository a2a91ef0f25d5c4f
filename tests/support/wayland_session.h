// A Wayland session for as long as the object lives, as a compositor gives its programs one:
// $WAYLAND_DISPLAY set, and $SWAYSOCK for sway's, then put back as they were.
#pragma once

#include "tests/support/scoped_variable.h"

namespace zarnel::testing {

class WaylandSession {
  public:
    explicit WaylandSession(bool sway = false)
        : display_("WAYLAND_DISPLAY", "wayland-1"),
          swaySocket_("SWAYSOCK", sway ? "/run/user/1000/sway-ipc.sock" : nullptr) {}

  private:
    ScopedVariable display_;
    ScopedVariable swaySocket_;
};

}  // namespace zarnel::testing
