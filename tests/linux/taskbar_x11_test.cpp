// The taskbar state as an X desktop shows it, on a private Xvfb server with dock windows
// mapped by the test itself.
#include "platform/linux/taskbar_x11.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/linux/linux_platform.h"

extern char** environ;

namespace zarnel {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr std::uint16_t kScreenWidth = 640;
constexpr const char* kScreen = "640x480x24";
constexpr std::uint16_t kPanelSize = 32;

// An Xvfb of our own; it picks a free display number and tells us through a pipe.
class PrivateXServer {
  public:
    PrivateXServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",    "-displayfd", fd.c_str(), "-nolisten", "tcp",
                              "-screen", "0",          kScreen,    nullptr};
        const bool spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr,
                                          const_cast<char* const*>(argv), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (spawned) display_ = readDisplay(fds[0]);
        close(fds[0]);
    }
    ~PrivateXServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    const std::optional<std::string>& display() const { return display_; }

  private:
    static std::optional<std::string> readDisplay(int fd) {
        std::string number;
        pollfd ready{.fd = fd, .events = POLLIN, .revents = 0};
        char c = 0;
        while (poll(&ready, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
            number += c;
        }
        if (number.empty()) return std::nullopt;
        return ":" + number;
    }

    pid_t pid_ = 0;
    std::optional<std::string> display_;
};

// A client that puts windows on the private server, as a panel would.
class PanelClient {
  public:
    explicit PanelClient(const std::string& display) : xcb_(xcb_connect(display.c_str(), nullptr)) {
        xcb_ewmh_init_atoms_replies(&ewmh_, xcb_ewmh_init_atoms(xcb_, &ewmh_), nullptr);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(xcb_)).data->root;
    }
    ~PanelClient() {
        xcb_ewmh_connection_wipe(&ewmh_);
        xcb_disconnect(xcb_);
    }
    PanelClient(const PanelClient&) = delete;
    PanelClient& operator=(const PanelClient&) = delete;

    void window(bool dock, bool strut, bool mapped) {
        const xcb_window_t window = xcb_generate_id(xcb_);
        xcb_create_window(xcb_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, kScreenWidth, kPanelSize,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        if (dock) {
            xcb_atom_t type = ewmh_._NET_WM_WINDOW_TYPE_DOCK;
            xcb_ewmh_set_wm_window_type(&ewmh_, window, 1, &type);
        }
        if (strut) {
            xcb_ewmh_wm_strut_partial_t top{};
            top.top = kPanelSize;
            top.top_end_x = kScreenWidth - 1;
            xcb_ewmh_set_wm_strut_partial(&ewmh_, window, top);
        }
        if (mapped) xcb_map_window(xcb_, window);
        // A round trip: the server has done all of the above before the provider looks.
        free(xcb_get_input_focus_reply(xcb_, xcb_get_input_focus(xcb_), nullptr));
    }

  private:
    xcb_connection_t* xcb_;
    xcb_ewmh_connection_t ewmh_{};
    xcb_window_t root_ = 0;
};

struct Window {
    bool dock;
    bool strut;
    bool mapped;
};

struct DesktopRow {
    std::string_view name;
    std::vector<Window> windows;
    std::uint32_t state;
};

class X11Taskbar : public ::testing::TestWithParam<DesktopRow> {};

TEST_P(X11Taskbar, DocksGiveTheState) {
    PrivateXServer server;
    if (!server.display()) GTEST_SKIP() << "Xvfb is not available";
    PanelClient client(*server.display());
    for (const Window& w : GetParam().windows) client.window(w.dock, w.strut, w.mapped);

    EXPECT_EQ(linux_x11::dockTaskbarState(server.display()->c_str()), GetParam().state);

    // The provider finds the same through DISPLAY.
    setenv("DISPLAY", server.display()->c_str(), 1);
    LinuxPlatform platform;
    EXPECT_EQ(platform.appBarGetState(), GetParam().state);
    unsetenv("DISPLAY");
}

INSTANTIATE_TEST_SUITE_P(Desktops, X11Taskbar,
                         ::testing::Values(DesktopRow{"NoWindows", {}, 0},
                                           DesktopRow{"OrdinaryWindow", {{false, false, true}}, 0},
                                           DesktopRow{"UnmappedDock", {{true, true, false}}, 0},
                                           DesktopRow{"DockWithStrut", {{true, true, true}}, 2},
                                           DesktopRow{"DockWithoutStrut", {{true, false, true}}, 3},
                                           DesktopRow{"TwoDocksOneHiding",
                                                      {{true, true, true}, {true, false, true}},
                                                      3}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(X11Taskbar, NoDisplayMeansNoTaskbar) {
    EXPECT_EQ(linux_x11::dockTaskbarState(nullptr), 0U);
    EXPECT_EQ(linux_x11::dockTaskbarState(""), 0U);
    // A display nobody serves: the connection fails and there is no dock to find.
    EXPECT_EQ(linux_x11::dockTaskbarState(":65000"), 0U);
    unsetenv("DISPLAY");
    LinuxPlatform platform;
    EXPECT_EQ(platform.appBarGetState(), 0U);
}

}  // namespace
}  // namespace zarnel
