// Waybar's bars on Wayland sessions that draw no panel of their own.
#include "platform/linux/waybar.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/linux/linux_platform.h"
#include "platform/linux/running_programs.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/wayland_session.h"

namespace zarnel {
namespace {

constexpr std::uint32_t kHide = app_bar_state::kAutoHide;
constexpr std::uint32_t kTop = app_bar_state::kAlwaysOnTop;

using testing::WaylandSession;

// A mode decides the bar's layer and whether it shows; the bar's own layer and visibility
// count only where it names none, and its own modes change what they name.
TEST(Waybar, ModesLayersAndHiddenStarts) {
    struct Row {
        std::string_view config;
        std::uint32_t state;
    };
    for (const Row& row : {
             Row{"{}", 0},
             Row{R"({"layer": "top"})", kTop},
             Row{R"({"layer": "overlay"})", kTop},
             Row{R"({"layer": "background"})", 0},
             Row{R"({"layer": "top", "mode": "dock"})", 0},
             Row{R"({"layer": "top", "mode": "no such mode"})", kTop},
             Row{R"({"mode": "overlay"})", kTop},
             // Shown above windows; only sway's own bar settings hide it, when it follows them.
             Row{R"({"mode": "hide"})", kTop},
             Row{R"({"mode": "hide", "ipc": true})", kHide | kTop},
             Row{R"({"mode": "hide", "ipc": "true"})", kTop},
             Row{R"({"mode": "invisible"})", kHide},
             Row{R"({"start_hidden": true, "layer": "top"})", kHide | kTop},
             Row{R"({"visible": false})", kHide},
             Row{R"({"visible": false, "mode": "dock"})", 0},
             Row{R"({"mode": "dock", "modes": {"dock": {"layer": "overlay"}}})", kTop},
             Row{R"({"mode": "peek", "modes": {"peek": {"layer": "top", "visible": false}}})",
                 kHide | kTop},
             Row{R"({"mode": "dock", "modes": {"hide": {"layer": "top"}}})", 0},
             // Several bars: each one's bits count.
             Row{R"([{"layer": "top"}, {"mode": "invisible"}, "no bar", 3])", kHide | kTop},
         }) {
        EXPECT_EQ(linux_fs::waybarState(row.config), row.state) << row.config;
    }
    // Settings Waybar would not start with describe no bar.
    for (const std::string_view config : {"", "[]", R"(["no bar"])", R"({"layer": "top")", "3"}) {
        EXPECT_EQ(linux_fs::waybarState(config), std::nullopt) << config;
    }
}

// Each user's bar where Waybar looks for it, their own settings folder first; the first file
// there is read even when it is broken.
TEST(Waybar, SettingsFileOfEachUser) {
    const std::filesystem::path root =
        std::filesystem::path(ZARNEL_FIXTURES_DIR) / "desktop-waybar";
    struct Row {
        std::string_view home;
        std::string_view configHome;  // $XDG_CONFIG_HOME
        std::uint32_t state;
    };
    const WaylandSession session;
    for (const Row& row : {
             Row{"/home/alice", "", kTop},
             Row{"/home/alice", "/home/alice/dotfiles", kHide | kTop},
             Row{"/home/bob", "", kHide | kTop},
             Row{"/home/carol", "", 0},
             Row{"/home/dave", "", 0},
         }) {
        LinuxPlatform platform(root);
        platform.environment.home = row.home;
        platform.environment.xdgConfigHome = row.configHome;
        platform.environment.currentDesktop = "Hyprland";
        platform.environment.desktopSession = "hyprland";
        platform.environment.userId = ::geteuid();
        EXPECT_EQ(platform.appBarGetState(), row.state) << row.home << " " << row.configHome;
    }
    EXPECT_EQ(linux_fs::waybarTaskbarState(root, "/home/dave/.config", "/home/dave"), std::nullopt);
    // A machine without the bar's settings anywhere.
    EXPECT_EQ(linux_fs::waybarTaskbarState(root.parent_path() / "desktop-lxqt",
                                           "/home/alice/.config", "/home/alice"),
              std::nullopt);
}

// A bar counts only while Waybar runs as this user: settings left from trying it tell
// nothing, nor does another user's bar.
TEST(Waybar, OnlyARunningBarOfTheUserCounts) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    std::filesystem::create_directories(root / "home/alice/.config/waybar");
    std::ofstream(root / "home/alice/.config/waybar/config") << R"({"layer": "top"})";
    std::filesystem::create_directories(root / "proc/1");
    std::ofstream(root / "proc/1/comm") << "systemd\n";
    std::filesystem::create_directories(root / "proc/self");
    std::ofstream(root / "proc/self/comm") << "waybar\n";

    const WaylandSession session;
    LinuxPlatform platform(root);
    platform.environment.home = "/home/alice";
    platform.environment.xdgConfigHome = "";
    platform.environment.currentDesktop = "niri";
    platform.environment.userId = ::geteuid();
    EXPECT_EQ(platform.appBarGetState(), 0U);

    std::filesystem::create_directories(root / "proc/4242");
    std::ofstream(root / "proc/4242/comm") << "waybar\n";
    EXPECT_TRUE(linux_fs::userRuns(root, "waybar", ::geteuid()));
    EXPECT_FALSE(linux_fs::userRuns(root, "waybar", ::geteuid() + 1));
    EXPECT_FALSE(linux_fs::userRuns(root, "way", ::geteuid()));
    EXPECT_EQ(platform.appBarGetState(), kTop);

    // The kernel keeps 15 bytes of a name.
    std::ofstream(root / "proc/4242/comm") << "a-long-program-\n";
    EXPECT_TRUE(linux_fs::userRuns(root, "a-long-program-name", ::geteuid()));
}

}  // namespace
}  // namespace zarnel
