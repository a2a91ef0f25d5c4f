// An X desktop of the test's own: a private Xvfb, and a client that puts panels and ordinary
// windows on it as a desktop's own programs would.
#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <optional>
#include <string>

namespace zarnel::testing {

// An Xvfb of our own; it picks a free display number and tells us through a pipe.
class PrivateXServer {
  public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // Xvfb is installed and was started; it may still have failed to open a display.
    bool installed() const { return pid_ > 0; }
    // ":N", or nothing when Xvfb could not be started or opened no display.
    const std::optional<std::string>& display() const { return display_; }

  private:
    pid_t pid_ = 0;
    std::optional<std::string> display_;
};

enum class Strut { None, Partial, Whole };

struct DesktopWindow {
    bool dock;
    Strut strut;
    bool mapped;
    bool framed = false;  // inside a frame window, as a reparenting window manager puts it
    bool below = false;   // asks to be kept below other windows
};

class PanelClient {
  public:
    explicit PanelClient(const std::string& display);
    ~PanelClient();
    PanelClient(const PanelClient&) = delete;
    PanelClient& operator=(const PanelClient&) = delete;

    // Puts `window` on the desktop; the server has done so when this returns.
    void add(const DesktopWindow& window);

  private:
    xcb_window_t create(xcb_window_t parent, bool mapped);
    xcb_atom_t atom(const char* name);

    xcb_connection_t* xcb_;
    xcb_window_t root_;
};

}  // namespace zarnel::testing
