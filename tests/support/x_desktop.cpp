#include "tests/support/x_desktop.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace zarnel::testing {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr const char* kScreen = "640x480x24";
constexpr std::uint16_t kScreenWidth = 640;
constexpr std::uint16_t kPanelSize = 32;
constexpr std::uint8_t kItemBits = 32;

std::optional<std::string> readDisplay(int fd) {
    std::string number;
    pollfd ready{.fd = fd, .events = POLLIN, .revents = 0};
    char c = 0;
    while (poll(&ready, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    if (number.empty()) return std::nullopt;
    return ":" + number;
}

template <typename Item, std::size_t N>
void setProperty(xcb_connection_t* xcb, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                 const std::array<Item, N>& items) {
    xcb_change_property(xcb, XCB_PROP_MODE_REPLACE, window, property, type, kItemBits, N,
                        items.data());
}

}  // namespace

PrivateXServer::PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb",    "-displayfd", fd.c_str(), "-nolisten", "tcp",
                          "-screen", "0",          kScreen,    nullptr};
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ) !=
        0) {
        pid_ = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (installed()) display_ = readDisplay(fds[0]);
    close(fds[0]);
}

PrivateXServer::~PrivateXServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

PanelClient::PanelClient(const std::string& display)
    : xcb_(xcb_connect(display.c_str(), nullptr)),
      root_(xcb_setup_roots_iterator(xcb_get_setup(xcb_)).data->root) {}

PanelClient::~PanelClient() {
    xcb_disconnect(xcb_);
}

void PanelClient::add(const DesktopWindow& w) {
    const xcb_window_t parent = w.framed ? create(root_, true) : root_;
    const xcb_window_t window = create(parent, w.mapped);
    if (w.dock) {
        // A panel may list more than one type; the dock need not be the first.
        const std::array<xcb_atom_t, 2> types = {atom("_NET_WM_WINDOW_TYPE_NORMAL"),
                                                 atom("_NET_WM_WINDOW_TYPE_DOCK")};
        setProperty(xcb_, window, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, types);
    }
    if (w.below) {
        const std::array<xcb_atom_t, 2> states = {atom("_NET_WM_STATE_STICKY"),
                                                  atom("_NET_WM_STATE_BELOW")};
        setProperty(xcb_, window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, states);
    }
    if (w.strut == Strut::Partial) {
        // left, right, top, bottom, then where each edge's strip starts and ends
        const std::array<std::uint32_t, 12> top = {0, 0, kPanelSize, 0, 0,
                                                   0, 0, 0,          0, kScreenWidth - 1};
        setProperty(xcb_, window, atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, top);
    } else if (w.strut == Strut::Whole) {
        const std::array<std::uint32_t, 4> bottom = {0, 0, 0, kPanelSize};
        setProperty(xcb_, window, atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, bottom);
    }
    // A round trip: the server has done all of the above before anyone looks.
    free(xcb_get_input_focus_reply(xcb_, xcb_get_input_focus(xcb_), nullptr));
}

xcb_window_t PanelClient::create(xcb_window_t parent, bool mapped) {
    const xcb_window_t window = xcb_generate_id(xcb_);
    xcb_create_window(xcb_, XCB_COPY_FROM_PARENT, window, parent, 0, 0, kScreenWidth, kPanelSize, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (mapped) xcb_map_window(xcb_, window);
    return window;
}

xcb_atom_t PanelClient::atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        xcb_, xcb_intern_atom(xcb_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
}

}  // namespace zarnel::testing
