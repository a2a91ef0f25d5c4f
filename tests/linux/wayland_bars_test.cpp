// The bars users run beside Wayland compositors that draw none: sway's own and Wayfire's.
#include "platform/linux/wayland_bars.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/linux/linux_platform.h"
#include "platform/linux/sway_config.h"
#include "platform/linux/waybar.h"
#include "platform/linux/wf_shell.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/wayland_session.h"

namespace zarnel {
namespace {

using linux_fs::SwayBar;

constexpr std::uint32_t kHide = app_bar_state::kAutoHide;
constexpr std::uint32_t kTop = app_bar_state::kAlwaysOnTop;

std::filesystem::path fixture(const char* machine) {
    return std::filesystem::path(ZARNEL_FIXTURES_DIR) / machine;
}

// What each bar comes to: its id, mode, hidden state and program.
std::vector<std::string> described(const std::vector<SwayBar>& bars) {
    std::vector<std::string> lines;
    for (const SwayBar& bar : bars) {
        lines.push_back(bar.id + " " + bar.mode + " " + bar.hiddenState + " " + bar.command);
    }
    return lines;
}

// Blocks opened at a line's end or on a line of their own, blocks inside a bar's, variables
// (the longest name first), continued lines, settings made outside a block, and an included
// file's bars numbered where the include stands.
TEST(SwayConfig, ReadsBarsAsSwayNumbersAndSetsThem) {
    std::vector<SwayBar> bars;
    linux_fs::SwayVariables variables;
    std::vector<std::string> includes;
    const auto include = [&](std::string_view pattern) {
        includes.emplace_back(pattern);
        linux_fs::readSwayConfig("bar {\n  mode overlay\n}\n", bars, variables, [](auto) {});
    };
    linux_fs::readSwayConfig(R"(# bars
set $mo invisible
set $mode hide
bar
{
    mode $mode
    colors {
        mode dock
    }
    swaybar_command /usr/bin/swaybar \
        --debug
}
include ~/.config/sway/config.d/*
bar {
    id "side bar"
    mode $mo
}
bar bar-0 hidden_state show
bar mode invisible
bar "side bar" mode dock
)",
                             bars, variables, include);
    EXPECT_EQ(includes, (std::vector<std::string>{" ~/.config/sway/config.d/*"}));
    EXPECT_EQ(
        described(bars),
        (std::vector<std::string>{"bar-0 hide show /usr/bin/swaybar --debug", "bar-1 overlay hide ",
                                  "side bar dock hide ", "bar-3 invisible hide "}));
}

TEST(SwayConfig, BarStates) {
    const auto bar = [](std::string mode, std::string hiddenState, std::string command = "") {
        return SwayBar{.id = "bar-0",
                       .mode = std::move(mode),
                       .hiddenState = std::move(hiddenState),
                       .command = std::move(command)};
    };
    EXPECT_EQ(linux_fs::swaybarState(bar("dock", "hide")), 0U);
    EXPECT_EQ(linux_fs::swaybarState(bar("hide", "hide")), kHide | kTop);
    EXPECT_EQ(linux_fs::swaybarState(bar("hide", "show")), kTop);
    EXPECT_EQ(linux_fs::swaybarState(bar("invisible", "hide")), kHide);
    EXPECT_EQ(linux_fs::swaybarState(bar("overlay", "hide")), kTop);
    EXPECT_EQ(linux_fs::swaybarState(bar("no such mode", "hide")), 0U);
    // Another program following the bar shows it in the top layer.
    EXPECT_EQ(linux_fs::followingBarState(bar("dock", "hide")), kTop);
    EXPECT_EQ(linux_fs::followingBarState(bar("hide", "hide")), kHide | kTop);
    EXPECT_EQ(linux_fs::followingBarState(bar("hide", "show")), kTop);
    EXPECT_EQ(linux_fs::followingBarState(bar("invisible", "show")), kHide | kTop);
    EXPECT_TRUE(linux_fs::drawnBySwaybar(bar("dock", "hide")));
    EXPECT_TRUE(linux_fs::drawnBySwaybar(bar("dock", "hide", "/usr/bin/swaybar -d")));
    EXPECT_FALSE(linux_fs::drawnBySwaybar(bar("dock", "hide", "waybar -b bar-0")));
}

// Each user's settings where sway looks for them, with the files they include.
TEST(SwayConfig, SettingsFilesOfEachUser) {
    const std::filesystem::path root = fixture("desktop-sway");
    EXPECT_EQ(described(linux_fs::swayBars(root, "/home/alice/.config", "/home/alice")),
              (std::vector<std::string>{"bar-0 hide hide "}));
    EXPECT_EQ(described(linux_fs::swayBars(root, "/home/bob/.config", "/home/bob")),
              (std::vector<std::string>{"bar-0 hide show ", "side invisible hide waybar -b side"}));
    EXPECT_EQ(described(linux_fs::swayBars(root, "/home/carol/.config", "/home/carol")),
              (std::vector<std::string>{"bar-0 dock hide "}));
    EXPECT_TRUE(
        linux_fs::swayBars(fixture("desktop-lxqt"), "/home/alice/.config", "/home/alice").empty());
}

// A Waybar bar with ipc on follows, on sway, the sway bar its id names, else its command
// line's, else the first; a bar sway does not have is the bar's own mode.
TEST(SwayConfig, WaybarFollowsTheSwayBarOfItsId) {
    const linux_fs::SwayBarsFollowed sway{
        .bars = {SwayBar{.id = "bar-0", .mode = "invisible", .hiddenState = "hide", .command = ""},
                 SwayBar{.id = "side", .mode = "dock", .hiddenState = "hide", .command = ""}},
        .barArgument = ""};
    linux_fs::SwayBarsFollowed named = sway;
    named.barArgument = "side";
    const std::string_view following = R"({"ipc": true, "mode": "dock"})";
    EXPECT_EQ(linux_fs::waybarState(following, &sway), kHide | kTop);
    EXPECT_EQ(linux_fs::waybarState(following, &named), kTop);
    EXPECT_EQ(linux_fs::waybarState(R"({"ipc": true, "id": "bar-0"})", &named), kHide | kTop);
    EXPECT_EQ(linux_fs::waybarState(R"({"ipc": true, "id": "gone"})", &sway), 0U);
    EXPECT_EQ(linux_fs::waybarState(R"({"mode": "dock"})", &sway), 0U);
    EXPECT_EQ(linux_fs::waybarState(following), 0U);
    EXPECT_EQ(linux_fs::waybarBarArgument({"waybar", "-b", "side"}), "side");
    EXPECT_EQ(linux_fs::waybarBarArgument({"waybar", "--bar=side"}), "side");
}

// wf-shell's panel: a boolean as its settings library reads one, its layer, and its settings
// down from the user's file to the machine's and its metadata.
TEST(WfShell, PanelSettings) {
    for (const std::string_view on : {"true", "TRUE", "1"}) {
        EXPECT_EQ(linux_fs::wfConfigBoolean(on), true) << on;
    }
    for (const std::string_view off : {"false", "False", "0"}) {
        EXPECT_EQ(linux_fs::wfConfigBoolean(off), false) << off;
    }
    for (const std::string_view neither : {"yes", "on", "", "2"}) {
        EXPECT_EQ(linux_fs::wfConfigBoolean(neither), std::nullopt) << neither;
    }
    EXPECT_EQ(linux_fs::wfShellPanelState(false, "top"), kTop);
    EXPECT_EQ(linux_fs::wfShellPanelState(true, "overlay"), kHide | kTop);
    EXPECT_EQ(linux_fs::wfShellPanelState(true, "bottom"), kHide);
    EXPECT_EQ(linux_fs::wfShellPanelState(false, "background"), 0U);
    EXPECT_EQ(linux_fs::wfShellPanelState(false, "a name it does not know"), kTop);

    const std::filesystem::path root = fixture("desktop-wayfire");
    EXPECT_EQ(linux_fs::wfShellTaskbarState(root, "/home/alice/.config"), kHide);
    EXPECT_EQ(linux_fs::wfShellTaskbarState(root, "/home/bob/.config"), kHide | kTop);
    // Nothing installed says: the panel's own defaults.
    EXPECT_EQ(linux_fs::wfShellTaskbarState(fixture("desktop-lxqt"), "/home/alice/.config"), kTop);
}

// The taskbar of a Wayland session whose compositor draws no panel: the bars that run, each
// from its settings; sway's bars only under sway.
TEST(WaylandBars, TheBarsThatRunTell) {
    struct Row {
        const char* machine;
        std::string_view home;
        bool sway;
        std::uint32_t state;
    };
    const testing::WaylandSession session;
    for (const Row& row : {
             Row{"desktop-sway", "/home/alice", true, kHide | kTop},
             Row{"desktop-sway", "/home/bob", true, kHide | kTop},
             // Not under sway, Waybar follows no sway bar, and swaybar is no bar of this
             // session's.
             Row{"desktop-sway", "/home/bob", false, 0},
             Row{"desktop-sway", "/home/carol", true, 0},
             Row{"desktop-wayfire", "/home/alice", false, kHide},
             Row{"desktop-wayfire", "/home/bob", false, kHide | kTop},
         }) {
        const std::string home(row.home);
        const linux_fs::WaylandBarSession bars{
            .configHome = home + "/.config", .home = home, .userId = ::geteuid(), .sway = row.sway};
        EXPECT_EQ(linux_fs::waylandBarsState(fixture(row.machine), bars), row.state)
            << row.machine << " " << row.home << (row.sway ? " sway" : "");
        if (!row.sway) {
            LinuxPlatform platform(fixture(row.machine));
            platform.environment.home = home;
            platform.environment.xdgConfigHome = "";
            platform.environment.currentDesktop = "wayfire";
            platform.environment.userId = ::geteuid();
            EXPECT_EQ(platform.appBarGetState(), row.state) << row.machine << " " << row.home;
        }
    }
    // swaybar draws only the bars sway starts it for: with Waybar not running, a bar sway
    // gives to Waybar is drawn by nobody.
    const testing::ScratchMachine machine;
    const auto write = [&machine](const std::filesystem::path& file, std::string_view text) {
        std::filesystem::create_directories((machine.root() / file).parent_path());
        std::ofstream(machine.root() / file) << text;
    };
    write("proc/12/comm", "swaybar\n");
    write("home/erin/.config/sway/config",
          "bar {\n  swaybar_command waybar\n  mode invisible\n}\n");
    const linux_fs::WaylandBarSession erin{.configHome = "/home/erin/.config",
                                           .home = "/home/erin",
                                           .userId = ::geteuid(),
                                           .sway = true};
    EXPECT_EQ(linux_fs::waylandBarsState(machine.root(), erin), std::nullopt);
    write("home/erin/.config/sway/config", "bar {\n  mode invisible\n}\n");
    EXPECT_EQ(linux_fs::waylandBarsState(machine.root(), erin), kHide);

    // No bar of these runs: nothing is known.
    EXPECT_EQ(
        linux_fs::waylandBarsState(fixture("desktop-lxqt"), {.configHome = "/home/alice/.config",
                                                             .home = "/home/alice",
                                                             .userId = ::geteuid(),
                                                             .sway = true}),
        std::nullopt);
}

}  // namespace
}  // namespace zarnel
