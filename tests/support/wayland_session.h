// A Wayland session for as long as the object lives, as a compositor gives its programs one:
// $WAYLAND_DISPLAY set, and $SWAYSOCK for sway's, then put back as they were.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace zarnel::testing {

class WaylandSession {
  public:
    explicit WaylandSession(bool sway = false)
        : display_("WAYLAND_DISPLAY", "wayland-1"),
          swaySocket_("SWAYSOCK", sway ? "/run/user/1000/sway-ipc.sock" : nullptr) {}

  private:
    // One variable, set (or unset, for no value) and put back.
    class Variable {
      public:
        Variable(const char* name, const char* value) : name_(name) {
            if (const char* saved = ::getenv(name)) saved_ = saved;
            if (value) {
                ::setenv(name, value, 1);
            } else {
                ::unsetenv(name);
            }
        }
        ~Variable() {
            if (saved_) {
                ::setenv(name_, saved_->c_str(), 1);
            } else {
                ::unsetenv(name_);
            }
        }
        Variable(const Variable&) = delete;
        Variable& operator=(const Variable&) = delete;

      private:
        const char* name_;
        std::optional<std::string> saved_;
    };

    Variable display_;
    Variable swaySocket_;
};

}  // namespace zarnel::testing
