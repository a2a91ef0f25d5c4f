// The taskbar state as an X desktop shows it, on a private Xvfb server with dock windows
// mapped by the test itself. The provider is told of no desktop: one named by the session the
// tests run in would answer from its own settings instead of the server's windows.
#include "platform/linux/taskbar_x11.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "platform/linux/linux_platform.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/x_desktop.h"

namespace zarnel {
namespace {

using testing::DesktopWindow;
using testing::PanelClient;
using testing::PrivateXServer;
using testing::Strut;

struct DesktopRow {
    std::string_view name;
    std::vector<DesktopWindow> windows;
    std::uint32_t state;
};

// Hundreds of ordinary windows, then one dock that reserves no strut: every window is looked
// at, however many there are.
std::vector<DesktopWindow> busyDesktop() {
    constexpr int kOrdinaryWindows = 300;
    std::vector<DesktopWindow> windows(kOrdinaryWindows, {false, Strut::None, true, true});
    windows.push_back({true, Strut::None, true});
    return windows;
}

void PrintTo(const DesktopRow& row, std::ostream* out) {
    *out << row.name;
}

// The provider in an X session on `display` with no desktop of its own named, whatever session
// the tests run in; its machine (an empty tree) runs no bar whose settings would tell.
void joinXSession(LinuxPlatform& platform, const std::string& display) {
    platform.environment.currentDesktop.clear();
    platform.environment.kdeSessionVersion.clear();
    platform.environment.desktopSession.clear();
    platform.environment.waylandDisplay.clear();
    platform.environment.swaySocket.clear();
    platform.environment.x11Display = display;
}

class X11Taskbar : public ::testing::TestWithParam<DesktopRow> {};

TEST_P(X11Taskbar, DocksGiveTheState) {
    PrivateXServer server;
    if (!server.installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server.display()) << "Xvfb opened no display";
    PanelClient client(*server.display());
    for (const DesktopWindow& w : GetParam().windows) client.add(w);

    EXPECT_EQ(linux_x11::dockTaskbarState(server.display()->c_str()), GetParam().state);

    // The provider finds the same on the session's display.
    const testing::ScratchMachine machine;
    LinuxPlatform platform(machine.root());
    joinXSession(platform, *server.display());
    EXPECT_EQ(platform.appBarGetState(), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, X11Taskbar,
    ::testing::Values(
        DesktopRow{"NoWindows", {}, 0},
        DesktopRow{"OrdinaryWindow", {{false, Strut::None, true}}, 0},
        DesktopRow{"UnmappedDock", {{true, Strut::Partial, false}}, 0},
        DesktopRow{"DockWithStrut", {{true, Strut::Partial, true}}, 2},
        DesktopRow{"DockWithOldStrut", {{true, Strut::Whole, true}}, 2},
        DesktopRow{"DockWithoutStrut", {{true, Strut::None, true}}, 3},
        DesktopRow{"StrutWithoutDock", {{false, Strut::Partial, true}}, 0},
        DesktopRow{"DockInsideFrame", {{true, Strut::Partial, true, true}}, 2},
        DesktopRow{
            "TwoDocksOneHiding", {{true, Strut::Partial, true}, {true, Strut::None, true}}, 3},
        DesktopRow{"BusyDesktop", busyDesktop(), 3},
        // A panel kept below (tint2's bottom layer) is covered by windows.
        DesktopRow{"DockKeptBelow", {{true, Strut::Partial, true, false, true}}, 0},
        DesktopRow{"OneDockOfTwoKeptBelow",
                   {{true, Strut::Partial, true, false, true}, {true, Strut::Whole, true}},
                   2}),
    [](const auto& row) { return std::string(row.param.name); });

// A Wayland session's panels are no X windows; its X server, maybe started only when asked,
// is left alone.
TEST(X11Taskbar, AWaylandSessionAsksNoXServer) {
    PrivateXServer server;
    if (!server.installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server.display()) << "Xvfb opened no display";
    PanelClient client(*server.display());
    client.add({true, Strut::None, true});
    const testing::ScratchMachine machine;
    LinuxPlatform platform(machine.root());
    joinXSession(platform, *server.display());
    platform.environment.waylandDisplay = "wayland-0";
    EXPECT_EQ(platform.appBarGetState(), 0U);
    platform.environment.waylandDisplay.clear();
    EXPECT_EQ(platform.appBarGetState(), 3U) << "the same X desktop shows a dock";
}

TEST(X11Taskbar, NoDisplayMeansNoTaskbar) {
    EXPECT_EQ(linux_x11::dockTaskbarState(nullptr), 0U);
    EXPECT_EQ(linux_x11::dockTaskbarState(""), 0U);
    // A display nobody serves: the connection fails and there is no dock to find.
    EXPECT_EQ(linux_x11::dockTaskbarState(":65000"), 0U);
    const testing::ScratchMachine machine;
    LinuxPlatform platform(machine.root());
    joinXSession(platform, "");
    EXPECT_EQ(platform.appBarGetState(), 0U);
}

// A display server that takes connections and never answers (a hung Xwayland): the window
// would wait for it for good. It is asked once, with a deadline, and then known to be deaf.
TEST(X11Taskbar, ADisplayThatNeverAnswersMeansNoTaskbar) {
    const int deaf = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(deaf, 0);
    // The display's socket in the abstract namespace, as X servers on Linux listen first.
    std::string display;
    for (int number = 64999; display.empty() && number > 64000; --number) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const int name = std::snprintf(address.sun_path + 1, sizeof(address.sun_path) - 1,
                                       "/tmp/.X11-unix/X%d", number);
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name);
        if (::bind(deaf, reinterpret_cast<sockaddr*>(&address), length) == 0) {
            display = std::to_string(number);
            display.insert(0, 1, ':');
        }
    }
    ASSERT_FALSE(display.empty());
    constexpr int kRoomForAskingAgain = 4;
    ASSERT_EQ(::listen(deaf, kRoomForAskingAgain), 0);
    {
        const testing::ScratchMachine machine;
        LinuxPlatform platform(machine.root());
        joinXSession(platform, display);
        EXPECT_EQ(platform.appBarGetState(), 0U);
        EXPECT_EQ(platform.appBarGetState(), 0U);
    }
    // Still unanswered, the display was not asked again: one connection, however late the
    // first question's thread came to make it.
    constexpr int kLongWhileMs = 30'000;
    pollfd waiting{.fd = deaf, .events = POLLIN, .revents = 0};
    ASSERT_EQ(::poll(&waiting, 1, kLongWhileMs), 1);
    ASSERT_EQ(::fcntl(deaf, F_SETFL, O_NONBLOCK), 0);
    int connections = 0;
    for (int peer; (peer = ::accept4(deaf, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; ++connections) {
        ::close(peer);
    }
    EXPECT_EQ(connections, 1);
    ::close(deaf);
}

}  // namespace
}  // namespace zarnel
