// A Wayland session for as long as the object lives, as a compositor gives its programs one:
// $WAYLAND_DISPLAY set, then put back as it was.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace zarnel::testing {

class WaylandSession {
  public:
    WaylandSession() {
        if (const char* saved = ::getenv(kVariable)) saved_ = saved;
        ::setenv(kVariable, "wayland-1", 1);
    }
    ~WaylandSession() {
        if (saved_) {
            ::setenv(kVariable, saved_->c_str(), 1);
        } else {
            ::unsetenv(kVariable);
        }
    }
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

  private:
    static constexpr const char* kVariable = "WAYLAND_DISPLAY";
    std::optional<std::string> saved_;
};

}  // namespace zarnel::testing
