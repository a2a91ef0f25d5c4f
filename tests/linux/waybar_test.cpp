// Waybar's bars on Wayland sessions that draw no panel of their own.
#include "platform/linux/waybar.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
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

using testing::joinWaylandSession;

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
             // Outside sway, a bar in hide mode cannot follow sway's bar settings: it shows
             // above windows.
             Row{R"({"mode": "hide", "ipc": true})", kTop},
             Row{R"({"mode": "invisible"})", kHide},
             Row{R"({"start_hidden": true, "layer": "top"})", kHide | kTop},
             Row{R"({"start_hidden": 1})", kHide},
             Row{R"({"start_hidden": 0.0})", 0},
             Row{R"({"visible": false})", kHide},
             Row{R"({"visible": false, "mode": "dock"})", 0},
             Row{R"({"mode": "dock", "modes": {"dock": {"layer": "overlay"}}})", kTop},
             Row{R"({"mode": "dock", "modes": {"hide": {"layer": "top"}}})", 0},
             // A mode of the bar's own starts in the bottom layer, not shown.
             Row{R"({"mode": "peek", "modes": {"peek": {"layer": "top"}}})", kHide | kTop},
             Row{R"({"mode": "peek", "layer": "top", "modes": {"peek": {}}})", kHide},
             // The default mode: its `modes` entry, then the bar's own keys over it.
             Row{R"({"modes": {"default": {"layer": "top"}}})", kTop},
             Row{R"({"layer": "bottom", "modes": {"default": {"layer": "top"}}})", 0},
             Row{R"({"mode": "default", "layer": "overlay"})", kTop},
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

// A bar's includes fill the keys it leaves unset, an earlier file's over a later one's, with
// the files they include in turn; a file that cannot be read, or is no bar, adds nothing.
TEST(Waybar, IncludedFilesFillWhatTheBarLeavesUnset) {
    const std::map<std::string, std::string> files = {
        {"top", R"({"layer": "top"})"},
        {"dock", R"({"mode": "dock"})"},
        {"overlay", R"({"mode": "overlay", "layer": "top"})"},
        {"default top", R"({"modes": {"default": {"layer": "top"}}})"},
        {"chain", R"({"include": "top"})"},
        {"loop", R"({"include": "loop", "layer": "top"})"},
        {"twice", R"({"layer": "bottom", "layer": "top"})"},
        {"array", R"([{"layer": "top"}])"},
        {"broken", R"({"layer": "top")"},
    };
    int reads = 0;
    const linux_fs::WaybarIncludes includes = [&](const std::string& named) {
        ++reads;
        const auto file = files.find(named);
        return file == files.end() ? std::nullopt : std::optional(file->second);
    };
    struct Row {
        std::string_view config;
        std::uint32_t state;
    };
    for (const Row& row : {
             Row{R"({"include": "top"})", kTop},
             Row{R"({"include": ["top"], "layer": "bottom"})", 0},
             Row{R"({"include": ["dock", "overlay"]})", 0},
             Row{R"({"include": ["overlay", "dock"]})", kTop},
             // An object the bar sets is merged key by key.
             Row{R"({"include": "default top", "modes": {"default": {"visible": false}}})",
                 kHide | kTop},
             Row{R"({"include": "chain"})", kTop},
             Row{R"({"include": "loop"})", kTop},
             Row{R"({"include": "twice"})", kTop},
             Row{R"([{"include": "top"}, {"mode": "invisible"}])", kHide | kTop},
             Row{R"({"include": ["missing", "array", "broken", 3]})", 0},
         }) {
        EXPECT_EQ(linux_fs::waybarState(row.config, nullptr, includes), row.state) << row.config;
    }
    // Files that include each other many times over are read a bounded number of times.
    const std::map<std::string, std::string> fan = {{"fan", R"({"include": ["fan", "fan"]})"}};
    reads = 0;
    const linux_fs::WaybarIncludes fanOut = [&](const std::string& named) {
        ++reads;
        return std::optional(fan.at(named));
    };
    EXPECT_EQ(linux_fs::waybarState(R"({"include": "fan"})", nullptr, fanOut), 0U);
    EXPECT_LE(reads, 256);
    EXPECT_GT(reads, 1);
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
    for (const Row& row : {
             Row{"/home/alice", "", kTop},
             Row{"/home/alice", "/home/alice/dotfiles", kHide | kTop},
             Row{"/home/bob", "", kTop},
             Row{"/home/carol", "", 0},
             Row{"/home/dave", "", 0},
             Row{"/home/erin", "", kHide | kTop},
         }) {
        LinuxPlatform platform(root);
        joinWaylandSession(platform.environment);
        platform.environment.home = row.home;
        platform.environment.xdgConfigHome = row.configHome;
        platform.environment.currentDesktop = "Hyprland";
        platform.environment.desktopSession = "hyprland";
        platform.environment.userId = ::geteuid();
        EXPECT_EQ(platform.appBarGetState(), row.state) << row.home << " " << row.configHome;
    }
    EXPECT_EQ(linux_fs::waybarTaskbarState(root, "/home/dave/.config", "/home/dave", {}),
              std::nullopt);
    // A machine without the bar's settings anywhere.
    EXPECT_EQ(linux_fs::waybarTaskbarState(root.parent_path() / "desktop-lxqt",
                                           "/home/alice/.config", "/home/alice", {}),
              std::nullopt);
    // The file its command line names, from the home folder where it is not absolute, wins.
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"waybar", "-c", "/home/alice/dotfiles/waybar/config"},
          std::vector<std::string>{"waybar", "--log-level", "info", "--config",
                                   "dotfiles/waybar/config"},
          std::vector<std::string>{"waybar", "--config=dotfiles/waybar/config", "-b", "bar-0"}}) {
        EXPECT_EQ(
            linux_fs::waybarTaskbarState(root, "/home/alice/.config", "/home/alice", arguments),
            kHide | kTop)
            << arguments.at(1);
    }
    EXPECT_EQ(linux_fs::waybarConfigArgument({"waybar", "-c"}), std::nullopt);
    EXPECT_EQ(linux_fs::waybarConfigArgument({"-c", "argument zero is the program"}), std::nullopt);
}

// A bar counts only while Waybar runs as this user: settings left from trying it tell
// nothing, nor does another user's bar. Its command line comes with it.
TEST(Waybar, OnlyARunningBarOfTheUserCounts) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    const auto write = [&root](const std::filesystem::path& file, std::string_view text) {
        std::filesystem::create_directories((root / file).parent_path());
        std::ofstream(root / file) << text;
    };
    write("home/alice/.config/waybar/config", R"({"layer": "top"})");
    write("home/alice/tall.jsonc", R"({"layer": "bottom"})");
    write("proc/1/comm", "systemd\n");
    write("proc/self/comm", "waybar\n");  // no process's own number

    LinuxPlatform platform(root);
    joinWaylandSession(platform.environment);
    platform.environment.home = "/home/alice";
    platform.environment.xdgConfigHome = "";
    platform.environment.currentDesktop = "niri";
    platform.environment.userId = ::geteuid();
    EXPECT_EQ(platform.appBarGetState(), 0U);

    // NixOS starts it through a wrapper, under the wrapped program's name.
    write("proc/4242/comm", ".waybar-wrapped\n");
    EXPECT_EQ(platform.appBarGetState(), kTop);
    using std::string_literals::operator""s;
    write("proc/4242/cmdline", "/run/current-system/sw/bin/waybar\0-c\0tall.jsonc\0"s);
    EXPECT_EQ(platform.appBarGetState(), 0U);

    const std::vector<std::string_view> programs(std::begin(linux_fs::kWaybarPrograms),
                                                 std::end(linux_fs::kWaybarPrograms));
    const auto found = linux_fs::userPrograms(root, programs, ::geteuid());
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].name, ".waybar-wrapped");
    EXPECT_EQ(found[0].arguments,
              (std::vector<std::string>{"/run/current-system/sw/bin/waybar", "-c", "tall.jsonc"}));
    EXPECT_TRUE(linux_fs::userPrograms(root, programs, ::geteuid() + 1).empty());
    const std::string_view shortName[] = {"way"};
    EXPECT_TRUE(linux_fs::userPrograms(root, shortName, ::geteuid()).empty());
    // The kernel keeps 15 bytes of a name.
    write("proc/4242/comm", "a-long-program-\n");
    const std::string_view longName[] = {"a-long-program-name"};
    EXPECT_EQ(linux_fs::userPrograms(root, longName, ::geteuid()).size(), 1U);
}

}  // namespace
}  // namespace zarnel
