// tint2's panels in light X11 sessions: what their settings say, and which settings each panel
// that runs reads.
#include "platform/linux/tint2.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/linux/linux_platform.h"
#include "platform/platform.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/wayland_session.h"

namespace zarnel {
namespace {

constexpr std::uint32_t kHide = app_bar_state::kAutoHide;
constexpr std::uint32_t kTop = app_bar_state::kAlwaysOnTop;

// The last line of a key counts; a comment only where '#' opens the line; the number read by
// its leading digit; any layer but top leaves windows over the panel (bottom by default),
// except a panel that hides, which rises above them when summoned.
TEST(Tint2, SettingsText) {
    EXPECT_EQ(linux_fs::tint2State(""), 0U);
    EXPECT_EQ(linux_fs::tint2State("panel_layer = top\nautohide = 1\n"), kHide | kTop);
    EXPECT_EQ(linux_fs::tint2State("panel_layer = bottom\nautohide = 1\n"), kHide | kTop);
    EXPECT_EQ(linux_fs::tint2State("autohide=1\r\nautohide = 0\n"), 0U);
    EXPECT_EQ(linux_fs::tint2State("#autohide = 1\n  autohide = 2 # twice\n"), kHide | kTop);
    EXPECT_EQ(linux_fs::tint2State("autohide = 0\npanel_layer = normal\n"), 0U);
    EXPECT_EQ(linux_fs::tint2State("panel_layer = top\npanel_layer = bottom"), 0U);
    EXPECT_EQ(linux_fs::tint2State("autohide_height = 4\nautohide\n"), 0U);
}

class Tint2Machine : public ::testing::Test {
  protected:
    void write(const std::filesystem::path& file, std::string_view text) const {
        std::filesystem::create_directories((machine.root() / file).parent_path());
        std::ofstream(machine.root() / file) << text;
    }
    // A tint2 of the user's running with `arguments` (NUL-separated after the program), under
    // the name `comm` the kernel keeps.
    void runs(std::string_view pid, std::string_view arguments = "",
              std::string_view comm = "tint2") const {
        write(std::filesystem::path("proc") / pid / "comm", std::string(comm) + "\n");
        write(std::filesystem::path("proc") / pid / "cmdline",
              std::string("tint2\0", 6) + std::string(arguments));
    }
    std::optional<std::uint32_t> state() const {
        return linux_fs::tint2TaskbarState(
            machine.root(), {.configHome = "/home/erin/.config", .configDirs = {"/etc/xdg"}},
            linux_fs::userPrograms(machine.root(), linux_fs::kTint2Programs, ::geteuid()));
    }

    testing::ScratchMachine machine;
};

// Each panel reads the file its command line names, else the user's, else the machine's; the
// panels' bits combine, and none is known while no tint2 runs.
TEST_F(Tint2Machine, EachPanelReadsItsOwnSettings) {
    write("etc/xdg/tint2/tint2rc", "autohide = 1\n");
    EXPECT_EQ(state(), std::nullopt);
    runs("40");
    EXPECT_EQ(state(), kHide | kTop);
    write("home/erin/.config/tint2/tint2rc", "panel_layer = top\n");
    EXPECT_EQ(state(), kTop);
    runs("41", std::string("-c\0/home/erin/side.rc\0", 22));
    write("home/erin/side.rc", "autohide = 1\n");
    EXPECT_EQ(state(), kHide | kTop);
    // A file named relative to where tint2 started says nothing.
    runs("41", std::string("-c\0side.rc\0", 11));
    EXPECT_EQ(state(), kTop);
    // Named as the last word, or by the long option; a snapshot's file is no settings file.
    runs("41", std::string("/home/erin/side.rc\0", 19));
    EXPECT_EQ(state(), kHide | kTop);
    runs("41", std::string("--config\0/home/erin/side.rc\0", 28));
    EXPECT_EQ(state(), kHide | kTop);
    runs("41", std::string("-s\0/home/erin/side.rc\0", 22));
    EXPECT_EQ(state(), kTop);
}

// An X11 session without a desktop of its own (Openbox) whose tint2 hides: its settings tell,
// though no display is asked. NixOS starts tint2 through a wrapper.
TEST_F(Tint2Machine, AHidingPanelOfALightSessionIsTold) {
    write("home/erin/.config/tint2/tint2rc", "autohide = 1\npanel_layer = top\n");
    for (const std::string_view comm : {"tint2", ".tint2-wrapped"}) {
        runs("40", "", comm);
        LinuxPlatform platform(machine.root());
        testing::joinSessionWithoutDisplay(platform.environment, "Openbox", "/home/erin");
        platform.environment.desktopSession = "openbox";
        EXPECT_EQ(platform.appBarGetState(), kHide | kTop) << comm;
    }
}

}  // namespace
}  // namespace zarnel
