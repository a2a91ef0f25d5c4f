// The bars users run beside Wayland compositors that draw none: sway's own and Wayfire's.
#include "platform/linux/wayland_bars.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/linux/i3_bars.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/sway_config.h"
#include "platform/linux/sway_files.h"
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

// The bars of one text, with the words of its include lines.
std::vector<std::string> barsOf(std::string_view text,
                                std::vector<std::string>* includes = nullptr) {
    linux_fs::SwayConfigReader reader;
    reader.read(text, [includes](const std::vector<std::string>& words) {
        if (includes) includes->push_back(words.at(1));
    });
    return described(reader.bars());
}

// Blocks opened at a line's end or on a line of their own (blank lines between), blocks inside
// a bar's, a block closed at a line's end, variables put in (the longest name first, in the
// values of later ones too, "$$" a '$'), continued lines, and values as sway takes them.
TEST(SwayConfig, ReadsBarBlocks) {
    std::vector<std::string> includes;
    EXPECT_EQ(barsOf(R"(# bars
set $mo invisible
set $mode hide
set $cmd /usr/bin/swaybar$$
set $full $cmd --debug
bar

{
    mode $mode
    colors {
        mode dock
    }
    swaybar_command $full \
        -b bar-0
}
include "~/.config/sway/$mo.d/*"
bar {
    id "side bar"
    mode $mo
    hidden_state SHOW }
bar {
}
bar side {
    mode Overlay
}
bar {
    mode sideways
    position top
}
)",
                     &includes),
              (std::vector<std::string>{"bar-0 hide hide /usr/bin/swaybar$ --debug -b bar-0",
                                        "side bar invisible show ", "side overlay hide ",
                                        "bar-3 dock hide "}));
    EXPECT_EQ(includes, (std::vector<std::string>{"~/.config/sway/invisible.d/*"}));
}

// `bar` lines outside a block: "bar ID SETTING" sets bar ID (made if sway has none), and the
// lines after it that name no id set that bar too, until a bar block comes; a first word that
// is a setting is no id.
TEST(SwayConfig, ReadsBarLinesOutsideBlocks) {
    EXPECT_EQ(barsOf("bar {\n  mode hide\n}\n"
                     "bar bar-0 hidden_state show\n"
                     "bar mode overlay\n"
                     "bar output DP-1 HDMI-A-1\n"
                     "bar top mode invisible\n"
                     "bar {\n  position top\n}\n"
                     "bar mode hide\n"),
              (std::vector<std::string>{"bar-0 overlay show ", "top invisible hide ",
                                        "bar-2 dock hide ", "bar-3 hide hide "}));
}

TEST(SwayConfig, BarStates) {
    const auto bar = [](std::string mode, std::string hiddenState) {
        return SwayBar{.id = "bar-0",
                       .mode = std::move(mode),
                       .hiddenState = std::move(hiddenState),
                       .command = ""};
    };
    EXPECT_EQ(linux_fs::swaybarState(bar("dock", "hide")), 0U);
    EXPECT_EQ(linux_fs::swaybarState(bar("hide", "hide")), kHide | kTop);
    EXPECT_EQ(linux_fs::swaybarState(bar("hide", "show")), kTop);
    EXPECT_EQ(linux_fs::swaybarState(bar("invisible", "show")), kHide);
    EXPECT_EQ(linux_fs::swaybarState(bar("overlay", "hide")), kTop);
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

// Includes as sway follows them: relative to the including file, from the home folder, each
// file once however it is reached (a cycle, a second name), and a folder linked into itself
// read a bounded number of times; a root whose name holds glob characters is taken literally.
TEST(SwayConfig, IncludesAreReadOnceEach) {
    const testing::ScratchMachine machine;
    const std::filesystem::path root = machine.root() / "machine [1]*";
    const auto write = [&root](const std::filesystem::path& file, std::string_view text) {
        std::filesystem::create_directories((root / file).parent_path());
        std::ofstream(root / file) << text;
    };
    const std::filesystem::path sway = "home/erin/.config/sway";
    write(sway / "config", "include conf.d/*.conf\ninclude $HOME/.config/sway/config\n");
    write(sway / "conf.d/a.conf", "bar mode hide\ninclude ../config\n");
    write(sway / "conf.d/b.conf", "bar {\n  mode overlay\n}\n");
    std::filesystem::create_symlink("b.conf", root / sway / "conf.d/c.conf");
    for (const char* loop : {"l1", "l2", "l3"}) {
        std::filesystem::create_directory_symlink(".", root / sway / "conf.d" / loop);
    }
    write(sway / "conf.d/z.conf", "include */*/*/*/*/*/*/*/*/*/*/*/*/*/*/*.conf\n");
    EXPECT_EQ(described(linux_fs::swayBars(root, "/home/erin/.config", "/home/erin")),
              (std::vector<std::string>{"bar-0 hide hide ", "bar-1 overlay hide "}));
}

// A Waybar bar with ipc on follows, on sway, the sway bar its id names (an empty one the
// first), else its command line's, else the first: shown in the mode sway gives it, as its own
// modes change that, and hidden as sway hides it. A bar sway does not have is the bar's own.
TEST(SwayConfig, WaybarFollowsTheSwayBarOfItsId) {
    const linux_fs::SwayBarsFollowed sway{
        .bars = {SwayBar{.id = "bar-0", .mode = "hide", .hiddenState = "hide", .command = ""},
                 SwayBar{.id = "side", .mode = "dock", .hiddenState = "hide", .command = ""},
                 SwayBar{.id = "gone", .mode = "invisible", .hiddenState = "hide", .command = ""}},
        .barArgument = ""};
    linux_fs::SwayBarsFollowed named = sway;
    named.barArgument = "side";
    const std::string_view following = R"({"ipc": true, "mode": "overlay", "start_hidden": true})";
    EXPECT_EQ(linux_fs::waybarState(following, &sway), kHide | kTop);
    EXPECT_EQ(linux_fs::waybarState(following, &named), 0U);
    EXPECT_EQ(linux_fs::waybarState(R"({"ipc": true, "id": ""})", &named), kHide | kTop);
    EXPECT_EQ(linux_fs::waybarState(R"({"ipc": true, "id": "gone"})", &named), kHide);
    EXPECT_EQ(
        linux_fs::waybarState(R"({"ipc": true, "modes": {"dock": {"layer": "top"}}})", &named),
        kTop);
    EXPECT_EQ(linux_fs::waybarState(R"({"ipc": true, "id": "none", "layer": "top"})", &sway), kTop);
    EXPECT_EQ(linux_fs::waybarState(R"({"mode": "dock"})", &sway), 0U);
    EXPECT_EQ(linux_fs::waybarState(following), kHide | kTop);
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
        std::string_view desktop;
        std::string_view home;
        bool sway;
        std::uint32_t state;
    };
    for (const Row& row : {
             Row{"desktop-sway", "sway", "/home/alice", true, kHide | kTop},
             Row{"desktop-sway", "sway", "/home/bob", true, kHide | kTop},
             // Not under sway, Waybar follows no sway bar, and swaybar is no bar of this
             // session's.
             Row{"desktop-sway", "Hyprland", "/home/bob", false, 0},
             Row{"desktop-sway", "sway", "/home/carol", true, 0},
             Row{"desktop-wayfire", "Wayfire", "/home/alice", false, kHide},
             Row{"desktop-wayfire", "Wayfire", "/home/bob", false, kHide | kTop},
         }) {
        LinuxPlatform platform(fixture(row.machine));
        testing::joinWaylandSession(platform.environment, row.sway);
        platform.environment.home = row.home;
        platform.environment.xdgConfigHome = "";
        platform.environment.currentDesktop = row.desktop;
        platform.environment.userId = ::geteuid();
        EXPECT_EQ(platform.appBarGetState(), row.state) << row.machine << " " << row.home;
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

// i3's bars, drawn by the i3bar processes i3 starts for them: a bar that hides is told by i3's
// settings (found where i3 looks: ~/.i3 before the settings folder, /etc/i3 before /etc/xdg),
// one that shows is left to the display's docks. sway, which also names i3's socket, is not i3.
TEST(I3Bars, TheBarsI3barDrawsTell) {
    const testing::ScratchMachine machine;
    const auto write = [&machine](const std::filesystem::path& file, std::string_view text) {
        std::filesystem::create_directories((machine.root() / file).parent_path());
        std::ofstream(machine.root() / file) << text;
    };
    const auto i3BarsState = [&machine] {
        const std::array<std::string_view, 1> programs = {linux_fs::kI3bar};
        return linux_fs::i3BarsState(
            machine.root(),
            {.configHome = "/home/erin/.config", .home = "/home/erin", .configDirs = {"/etc/xdg"}},
            linux_fs::userPrograms(machine.root(), programs, ::geteuid()));
    };
    write("etc/xdg/i3/config", "bar {\n  mode invisible\n}\n");
    EXPECT_EQ(i3BarsState(), std::nullopt) << "no i3bar runs";
    write("proc/31/comm", "i3bar\n");
    write("proc/31/cmdline", std::string("i3bar\0--bar_id=bar-1\0--socket=/run/i3\0", 38));
    EXPECT_EQ(i3BarsState(), std::nullopt) << "bar-1 is no bar";
    write("etc/xdg/i3/config", "bar {\n  mode dock\n}\nbar {\n  mode invisible\n}\n");
    EXPECT_EQ(i3BarsState(), kHide);
    write("etc/i3/config", "bar {\n  mode dock\n}\nbar {\n  mode hide\n}\n");
    EXPECT_EQ(i3BarsState(), kHide | kTop);
    write("home/erin/.config/i3/config", "bar {\n  mode dock\n}\nbar {\n  mode dock\n}\n");
    EXPECT_EQ(i3BarsState(), 0U);
    write("home/erin/.i3/config",
          "bar {\n  mode dock\n}\nbar {\n  mode hide\n  hidden_state show\n}\n");
    EXPECT_EQ(i3BarsState(), kTop);

    write("home/erin/.i3/config", "bar {\n  mode dock\n}\nbar {\n  mode hide\n}\n");
    LinuxPlatform platform(machine.root());
    // i3 names its socket only to the programs it starts: one started by a service or by
    // D-Bus has none, yet its bars are the same.
    testing::joinSessionWithoutDisplay(platform.environment, "i3", "/home/erin");
    EXPECT_EQ(platform.appBarGetState(), kHide | kTop);
    platform.environment.swaySocket = "/run/user/1000/sway-ipc.sock";
    EXPECT_EQ(platform.appBarGetState(), 0U);
}

}  // namespace
}  // namespace zarnel
