// The taskbar as each desktop's own panel settings give it, on fixture sessions.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/desktop_session.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/panel_files.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/stalled_server.h"

namespace zarnel {
namespace {

using linux_fs::Desktop;

constexpr std::uint32_t kHide = app_bar_state::kAutoHide;
constexpr std::uint32_t kTop = app_bar_state::kAlwaysOnTop;

struct SessionRow {
    std::string_view machine;
    std::string_view currentDesktop;
    std::string_view kdeSessionVersion;
    bool schemas;  // the dock, panel and Cinnamon schemas are installed
    std::uint32_t state;
    std::string_view desktopSession = "";
    std::string_view configDirs = "";  // $XDG_CONFIG_DIRS
};

class DesktopTaskbar : public ::testing::TestWithParam<SessionRow> {};

TEST_P(DesktopTaskbar, FollowsThePanelSettings) {
    const SessionRow& row = GetParam();
    const std::filesystem::path root = std::filesystem::path(ZARNEL_FIXTURES_DIR) / row.machine;
    LinuxPlatform platform(root);
    platform.environment.home = "/home/alice";
    platform.environment.xdgConfigHome = "";
    platform.environment.xdgDataHome = "";
    platform.environment.currentDesktop = row.currentDesktop;
    platform.environment.kdeSessionVersion = row.kdeSessionVersion;
    platform.environment.desktopSession = row.desktopSession;
    platform.environment.xdgConfigDirs = row.configDirs;
    platform.desktopSettings =
        linux_fs::keyFileDesktopSettings(row.schemas ? ZARNEL_DESKTOP_SCHEMAS_DIR : root.c_str(),
                                         root / "home/alice/.config/glib-2.0/settings/keyfile");
    EXPECT_EQ(platform.appBarGetState(), row.state);
    EXPECT_EQ(platform.lastError(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, DesktopTaskbar,
    ::testing::Values(
        SessionRow{"desktop-gnome-ubuntu-dock", "ubuntu:GNOME", "", true, kHide | kTop},
        SessionRow{"desktop-gnome-plain", "GNOME", "", false, kTop},
        // A dock counts only while the shell runs it: enabled by the user, or started by the
        // distribution's session and not disabled.
        SessionRow{"desktop-gnome-dock-off", "GNOME", "", true, kTop},
        SessionRow{"desktop-gnome-dock-off", "GNOME-Classic:GNOME", "", true, kTop},
        SessionRow{"desktop-gnome-dash-to-dock", "GNOME", "", true, kHide | kTop},
        SessionRow{"desktop-gnome-ubuntu-dock-disabled", "ubuntu:GNOME", "", true, kTop},
        // A taskbar extension in the top bar's place, hiding when a window meets it.
        SessionRow{"desktop-gnome-dash-to-panel", "GNOME", "", true, kHide | kTop},
        SessionRow{"desktop-plasma-autohide", "KDE", "6", true, kHide | kTop},
        // The same setting, 2: windows may cover the panel in Plasma 5, it dodges them after.
        SessionRow{"desktop-plasma-windows-cover", "KDE", "5", true, 0},
        SessionRow{"desktop-plasma-windows-cover", "KDE", "6", true, kHide | kTop},
        SessionRow{"desktop-xfce-intellihide", "XFCE", "", true, kHide | kTop},
        SessionRow{"desktop-mate", "MATE", "", true, kHide | kTop},
        SessionRow{"desktop-cinnamon", "X-Cinnamon", "", true, kTop},
        SessionRow{"desktop-lxqt", "LXQt", "", true, kTop},
        SessionRow{"desktop-cosmic", "COSMIC", "", false, kHide | kTop},
        SessionRow{"desktop-budgie", "Budgie:GNOME", "", true, kHide | kTop},
        // lxpanel's profile is the session's: the user's panels of it, else those of the
        // first machine folder that has any, its own package's last; an editor's backup is no
        // panel, and a session name that is no file name is LXDE's.
        SessionRow{"desktop-lxde", "LXDE", "", false, kHide | kTop, "LXDE-pi"},
        SessionRow{"desktop-lxde", "LXDE", "", false, kTop, "LXDE"},
        SessionRow{"desktop-lxde", "LXDE", "", false, kTop, "Lubuntu", "/etc/xdg/lubuntu:/etc/xdg"},
        SessionRow{"desktop-lxde", "LXDE", "", false, kHide | kTop, "Lubuntu"},
        SessionRow{"desktop-lxde", "LXDE", "", false, kHide, "Lubuntu", "/etc/xdg/none"},
        SessionRow{"desktop-lxde", "LXDE", "", false, kTop, "../lxpanel/LXDE-pi"},
        // Raspberry Pi OS's later X11 session runs lxpanel-pi, whose panels have no profile,
        // and may name no desktop.
        SessionRow{"desktop-lxde", "LXDE", "", false, kHide, "rpd-x"},
        SessionRow{"desktop-lxde", "", "", false, kHide, "rpd-x"}),
    [](const auto& row) {
        std::string name = std::string(row.param.machine) + std::string(row.param.currentDesktop) +
                           std::string(row.param.kdeSessionVersion) +
                           std::string(row.param.desktopSession) +
                           std::string(row.param.configDirs);
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

TEST(DesktopTaskbar, SessionNamesPickTheDesktop) {
    EXPECT_EQ(linux_fs::desktopOf("ubuntu:GNOME", "", ""), Desktop::GnomeSession);
    EXPECT_EQ(linux_fs::desktopOf("pop:GNOME", "", ""), Desktop::GnomeSession);
    EXPECT_EQ(linux_fs::desktopOf("GNOME", "", ""), Desktop::Gnome);
    EXPECT_EQ(linux_fs::desktopOf("GNOME-Classic:GNOME", "", ""), Desktop::Gnome);
    EXPECT_EQ(linux_fs::desktopOf("zorin:GNOME", "", ""), Desktop::Gnome);  // no session dock
    EXPECT_EQ(linux_fs::desktopOf("GNOME-Flashback:GNOME", "", ""), Desktop::Other);
    EXPECT_EQ(linux_fs::desktopOf("Budgie:GNOME", "", ""), Desktop::Budgie);
    EXPECT_EQ(linux_fs::desktopOf("Unity:Unity7:ubuntu", "", ""), Desktop::Unity);  // no GNOME dock
    EXPECT_EQ(linux_fs::desktopOf("KDE", "5", ""), Desktop::Plasma5);
    EXPECT_EQ(linux_fs::desktopOf("KDE", "6", ""), Desktop::Plasma);
    EXPECT_EQ(linux_fs::desktopOf("KDE", "", ""), Desktop::Plasma);
    EXPECT_EQ(linux_fs::desktopOf("GNOME", "5", ""), Desktop::Gnome);  // left behind by a KDE login
    EXPECT_EQ(linux_fs::desktopOf("X-Cinnamon", "", ""), Desktop::Cinnamon);
    EXPECT_EQ(linux_fs::desktopOf("LXQt", "", ""), Desktop::Lxqt);
    EXPECT_EQ(linux_fs::desktopOf("COSMIC", "", ""), Desktop::Cosmic);
    EXPECT_EQ(linux_fs::desktopOf("LXDE", "", ""), Desktop::Lxde);
    EXPECT_EQ(linux_fs::desktopOf("Pantheon", "", ""), Desktop::Pantheon);
    EXPECT_EQ(linux_fs::desktopOf("Deepin", "", ""), Desktop::Deepin);
    EXPECT_EQ(linux_fs::desktopOf("DDE", "", ""), Desktop::Other);  // its later dock: DConfig
    EXPECT_EQ(linux_fs::desktopOf("sway", "", ""), Desktop::Other);
    EXPECT_EQ(linux_fs::desktopOf("", "", ""), Desktop::Other);
    // The names are case-sensitive.
    EXPECT_EQ(linux_fs::desktopOf("gnome", "", ""), Desktop::Other);
    // Raspberry Pi OS's later sessions are known by their session's name only, and a desktop
    // named where names are given goes first.
    EXPECT_EQ(linux_fs::desktopOf("", "", "LXDE-pi-wayfire"), Desktop::PiWayland);
    EXPECT_EQ(linux_fs::desktopOf("labwc:wlroots", "", "LXDE-pi-labwc"), Desktop::PiWayland);
    EXPECT_EQ(linux_fs::desktopOf("", "", "rpd-labwc"), Desktop::PiWayland);
    EXPECT_EQ(linux_fs::desktopOf("", "", "rpd-x"), Desktop::Lxde);
    EXPECT_EQ(linux_fs::desktopOf("KDE", "", "LXDE-pi-labwc"), Desktop::Plasma);
    EXPECT_EQ(linux_fs::desktopOf("", "", "LXDE-pi"), Desktop::Other);
}

// COSMIC's settings over its releases: hiding written as an optional timing, then as a mode.
TEST(DesktopTaskbar, CosmicPanelSettings) {
    EXPECT_EQ(linux_fs::cosmicPanelNames("[\n    \"Panel\",\n    \"Dock\",\n]"),
              (std::vector<std::string>{"Panel", "Dock"}));
    EXPECT_EQ(linux_fs::cosmicPanelNames(R"(["../../etc", "a/b", "", "..", "Dock 2"])"),
              std::vector<std::string>{"Dock 2"});
    EXPECT_EQ(
        linux_fs::cosmicPanelState(
            "Some((\n    wait_time: 1000,\n    transition_time: 200,\n    handle_size: 4,\n))",
            std::nullopt),
        kHide | kTop);
    EXPECT_EQ(linux_fs::cosmicPanelState("Always", "Overlay"), kHide | kTop);
    EXPECT_EQ(linux_fs::cosmicPanelState("None\n", "Bottom"), 0u);
    EXPECT_EQ(linux_fs::cosmicPanelState(std::nullopt, "Background"), 0u);
    EXPECT_EQ(linux_fs::cosmicPanelState(std::nullopt, std::nullopt), kTop);
}

TEST(DesktopTaskbar, PanelFilesWithoutPanelsLeaveItToTheWindows) {
    EXPECT_EQ(linux_fs::plasmaPanelState("[Updates]\nperformed=x\n", ""), std::nullopt);
    EXPECT_EQ(linux_fs::plasmaPanelState("[PlasmaViews][Panel 2][Defaults]\nthickness=44\n", ""),
              kTop);  // a panel without a visibility setting is a normal one
    EXPECT_EQ(linux_fs::xfcePanelState("<channel name=\"xfce4-panel\"/>"), std::nullopt);
    EXPECT_EQ(linux_fs::xfcePanelState("<property name=\"panel-1\" type=\"empty\">"
                                       "<property name=\"autohide-behavior\" type=\"uint\" "
                                       "value=\"2\"/></property>"),
              kHide | kTop);
    EXPECT_EQ(linux_fs::lxqtPanelState("[General]\npanels=\n"), std::nullopt);
    // Hiding only when a window covers it narrows "hidable"; on its own it hides nothing.
    EXPECT_EQ(linux_fs::lxqtPanelState("[panel1]\nhidable=false\nhide-on-overlap=true\n"), kTop);
    EXPECT_EQ(linux_fs::lxqtPanelState("[panel1]\nhidable=true\nhide-on-overlap=true\n"),
              kHide | kTop);
    EXPECT_EQ(linux_fs::lxqtPanelState("[panelx]\nhidable=true\n"), std::nullopt);
}

// Xfce's stock layout: the window list on the top panel, which never hides, and a launcher dock
// at the bottom that hides when a window meets it. The taskbar is the panel with the windows.
std::string xfceStockLayout(std::string_view topPanelHides, std::string_view windowList) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n"
           "<channel name=\"xfce4-panel\" version=\"1.0\">\n"
           "  <property name=\"configver\" type=\"int\" value=\"2\"/>\n"
           "  <property name=\"panels\" type=\"array\">\n"
           "    <value type=\"int\" value=\"1\"/>\n"
           "    <value type=\"int\" value=\"2\"/>\n"
           "    <property name=\"panel-1\" type=\"empty\">\n"
           "      <property name=\"position\" type=\"string\" value=\"p=6;x=0;y=0\"/>\n"
           "      <property name=\"autohide-behavior\" type=\"uint\" value=\"" +
           std::string(topPanelHides) +
           "\"/>\n"
           "      <property name=\"plugin-ids\" type=\"array\">\n"
           "        <value type=\"int\" value=\"1\"/>\n"
           "        <value type=\"int\" value=\"2\"/>\n"
           "      </property>\n"
           "    </property>\n"
           "    <property name=\"panel-2\" type=\"empty\">\n"
           "      <property name=\"autohide-behavior\" type=\"uint\" value=\"1\"/>\n"
           "      <property name=\"plugin-ids\" type=\"array\">\n"
           "        <value type=\"int\" value=\"15\"/>\n"
           "      </property>\n"
           "    </property>\n"
           "  </property>\n"
           "  <property name=\"plugins\" type=\"empty\">\n"
           "    <property name=\"plugin-1\" type=\"string\" value=\"applicationsmenu\"/>\n"
           "    <property name=\"plugin-2\" type=\"string\" value=\"" +
           std::string(windowList) +
           "\">\n"
           "      <property name=\"grouping\" type=\"uint\" value=\"1\"/>\n"
           "    </property>\n"
           "    <property name=\"plugin-15\" type=\"string\" value=\"launcher\">\n"
           "      <property name=\"items\" type=\"array\">\n"
           "        <value type=\"string\" value=\"xfce4-terminal-emulator.desktop\"/>\n"
           "      </property>\n"
           "    </property>\n"
           "  </property>\n"
           "</channel>\n";
}

TEST(DesktopTaskbar, XfcesTaskbarIsThePanelWithTheWindowList) {
    EXPECT_EQ(linux_fs::xfcePanelState(xfceStockLayout("0", "tasklist")), kTop);
    EXPECT_EQ(linux_fs::xfcePanelState(xfceStockLayout("2", "tasklist")), kHide | kTop);
    EXPECT_EQ(linux_fs::xfcePanelState(xfceStockLayout("0", "docklike")), kTop);
    EXPECT_EQ(linux_fs::xfcePanelState(xfceStockLayout("1", "docklike")), kHide | kTop);
    // No panel lists the windows: any that hides counts.
    EXPECT_EQ(linux_fs::xfcePanelState(xfceStockLayout("0", "clock")), kHide | kTop);
}

// A panel added from the panel's menu is named after a fresh id, and its group's braces are
// escaped; the panels are those the list names, a listed one without settings being a normal
// panel, and a group left from a removed panel being none.
TEST(DesktopTaskbar, LxqtPanelsAreTheListedOnes) {
    const std::string added = "panel_{3f2a9c1e-7b44-4d1a-9a61-0c2b5e7d8f10}";
    const std::string addedGroup = "[panel_%7B3f2a9c1e-7b44-4d1a-9a61-0c2b5e7d8f10%7D]\n";
    EXPECT_EQ(linux_fs::lxqtPanelState("[General]\npanels=panel1, \"" + added + "\"\n" +
                                       "[panel1]\nhidable=false\n" + addedGroup + "hidable=true\n"),
              kHide | kTop);
    EXPECT_EQ(linux_fs::lxqtPanelState("[General]\npanels=\"" + added + "\"\n" + addedGroup +
                                       "hidable=false\n"),
              kTop);
    EXPECT_EQ(linux_fs::lxqtPanelState("[General]\npanels=panel2\n[panel1]\nhidable=true\n"), kTop);
}

// lxpanel's own panel file: the Global block's switches, in this release's form (1, 0) and
// the earlier one's (true, false); a plugin's block of the same key is not the panel's.
TEST(DesktopTaskbar, LxpanelPanelFiles) {
    EXPECT_EQ(linux_fs::lxpanelPanelState("# lxpanel <profile> config file.\n"
                                          "Global {\n  edge=bottom\n  autohide=1\n"
                                          "  heightwhenhidden=2\n}\n"),
              kHide | kTop);
    EXPECT_EQ(linux_fs::lxpanelPanelState("Global {\n  AutoHide=true\n  SetDockType=false\n}\n"),
              kHide);
    // A plugin's key of the same name, or one in a block within the panel's, is not the
    // panel's; nor is one after a closing brace with a comment behind it.
    EXPECT_EQ(linux_fs::lxpanelPanelState("Global {\n  autohide=0\n  Extra {\n    autohide=1\n"
                                          "  }\n}\nPlugin {\n  type=x\n  Config {\n"
                                          "    autohide=1\n  }\n}\n"),
              kTop);
    EXPECT_EQ(linux_fs::lxpanelPanelState("Global {\n}  # end\nautohide=1\n"), kTop);
    // A commented-out block is no block.
    EXPECT_EQ(linux_fs::lxpanelPanelState("#Plugin {\n#}\nGlobal {\n  autohide=1\n}\n"),
              kHide | kTop);
    // The panel's block is the first one, or there is no panel.
    EXPECT_EQ(linux_fs::lxpanelPanelState("Plugin {\n  type=space\n}\nGlobal {\n  autohide=1\n}\n"),
              std::nullopt);
    EXPECT_EQ(linux_fs::lxpanelPanelState("Global {\n}\nautohide=1\nGlobal {\n  autohide=1\n}\n"),
              kTop);
    EXPECT_EQ(linux_fs::lxpanelPanelState("autohide=1\n"), std::nullopt);
}

// A lone Plasma panel set to hide itself is an auto-hiding taskbar kept above the windows, in
// either Plasma: the mode that changed meaning is the next one.
TEST(DesktopTaskbar, ALonePlasmaPanelThatHidesIsOnTopToo) {
    constexpr std::string_view kHiding = "[PlasmaViews][Panel 2]\npanelVisibility=1\n";
    EXPECT_EQ(linux_fs::plasmaPanelState(kHiding, ""), kHide | kTop);
    EXPECT_EQ(linux_fs::plasma5PanelState(kHiding, ""), kHide | kTop);
}

// Plasma 5.8 and earlier kept the setting in a group of one screen size below the panel's;
// later ones write it in the panel's own, which wins over a value left in the older place.
TEST(DesktopTaskbar, APlasmaPanelsOwnVisibilityWinsOverItsScreenSizeGroup) {
    constexpr std::string_view kOld = "[PlasmaViews][Panel 2][Horizontal1920]\npanelVisibility=1\n";
    EXPECT_EQ(linux_fs::plasmaPanelState(kOld, ""), kHide | kTop);
    EXPECT_EQ(
        linux_fs::plasmaPanelState(
            std::string("[PlasmaViews][Panel 2]\npanelVisibility=0\n") + std::string(kOld), ""),
        kTop);
    EXPECT_EQ(linux_fs::plasmaPanelState(
                  std::string(kOld) + "[PlasmaViews][Panel 2]\npanelVisibility=0\n", ""),
              kTop);
    // The panel's defaults never hold it.
    EXPECT_EQ(
        linux_fs::plasmaPanelState("[PlasmaViews][Panel 2][Defaults]\npanelVisibility=1\n", ""),
        kTop);
}

// A theme's layout replaces the shell's panels and leaves their views' settings behind: only
// the containments the shell lists are panels, and a list that lists none tells nothing.
TEST(DesktopTaskbar, APlasmaPanelGroupLeftBehindIsNoPanel) {
    constexpr std::string_view kViews =
        "[PlasmaViews][Panel 2]\npanelVisibility=0\n[PlasmaViews][Panel 41]\npanelVisibility=1\n";
    constexpr std::string_view kContainments =
        "[Containments][1]\nplugin=org.kde.plasma.folder\n"
        "[Containments][2]\nplugin=org.kde.panel\n"
        "[Containments][2][Applets][41]\nplugin=org.kde.plasma.kickoff\n";
    EXPECT_EQ(linux_fs::plasmaPanelState(kViews, kContainments), kTop);
    EXPECT_EQ(linux_fs::plasmaPanelState(kViews, ""), kHide | kTop);
    EXPECT_EQ(linux_fs::plasmaPanelState(kViews, "[General]\nx=1\n"), kHide | kTop);
    // A list that names none of the panels is another shell's, or stale itself.
    EXPECT_EQ(linux_fs::plasmaPanelState(kViews, "[Containments][7]\nplugin=org.kde.panel\n"),
              kHide | kTop);
}

// Each shell keeps its containments in a file named after it; plasmashellrc says which runs.
TEST(DesktopTaskbar, PlasmasContainmentsAreInItsShellsFile) {
    EXPECT_EQ(linux_fs::plasmaAppletsFile("[PlasmaViews][Panel 2]\npanelVisibility=1\n"),
              "plasma-org.kde.plasma.desktop-appletsrc");
    EXPECT_EQ(linux_fs::plasmaAppletsFile("[Shell]\nShellPackage=org.kde.plasma.mobileshell\n"),
              "plasma-org.kde.plasma.mobileshell-appletsrc");
    EXPECT_EQ(linux_fs::plasmaAppletsFile("[Shell]\nShellPackage=../../x\n"), std::nullopt);
}

// The taskbar state `desktop`'s settings give, from the text of a settings key file.
std::optional<std::uint32_t> stateFromSettings(Desktop desktop, std::string_view keyFileText) {
    const testing::ScratchMachine machine;
    const std::filesystem::path keyFile = machine.root() / "keyfile";
    std::ofstream(keyFile) << keyFileText;
    const auto settings = linux_fs::keyFileDesktopSettings(ZARNEL_DESKTOP_SCHEMAS_DIR, keyFile);
    return linux_fs::panelTaskbarState(desktop, machine.root(), {}, *settings);
}

// The panel ids come from the settings and become paths there: an empty id or one with a
// slash makes a path GSettings refuses, which must cost that panel only, not the program.
TEST(DesktopTaskbar, MatePanelIdsThatMakeNoPathAreSkipped) {
    EXPECT_EQ(stateFromSettings(Desktop::Mate,
                                "[org/mate/panel]\n"
                                "toplevel-id-list=['', 'a/', 'x//y', 'bottom']\n"
                                "\n"
                                "[org/mate/panel/toplevels/bottom]\n"
                                "auto-hide=true\n"),
              kHide | kTop);
}

// "intel" hides a Cinnamon panel when a window meets it, "true" always; one hiding panel is
// enough, of those enabled: a removed panel's mode stays behind.
TEST(DesktopTaskbar, CinnamonPanelsThatHideByEitherModeHide) {
    const auto state = [](std::string_view modes, std::string_view enabled) {
        return stateFromSettings(Desktop::Cinnamon,
                                 "[org/cinnamon]\npanels-enabled=" + std::string(enabled) +
                                     "\npanels-autohide=" + std::string(modes) + "\n");
    };
    const std::string_view both = "['1:0:bottom', '2:0:top']";
    EXPECT_EQ(state("['1:false', '2:intel']", both), kHide | kTop);
    EXPECT_EQ(state("['1:true']", both), kHide | kTop);
    EXPECT_EQ(state("['1:false', '2:false']", both), kTop);
    EXPECT_EQ(state("['1:false', '2:true']", "['1:0:bottom']"), kTop);
    EXPECT_EQ(state("['1:false', '12:true']", "['1:0:bottom', '2:1:left']"), kTop);
}

// A distribution's session starts its own dock (Ubuntu's, or Pop!_OS's in its place) unless
// the user disabled it.
TEST(DesktopTaskbar, ASessionsOwnDockHidesUntilDisabled) {
    const auto state = [](std::string_view disabled) {
        return stateFromSettings(Desktop::GnomeSession,
                                 "[org/gnome/shell]\nenabled-extensions=[]\ndisabled-extensions=" +
                                     std::string(disabled) +
                                     "\n[org/gnome/shell/extensions/dash-to-dock]\n"
                                     "dock-fixed=false\nintellihide=true\n");
    };
    EXPECT_EQ(state("[]"), kHide | kTop);
    EXPECT_EQ(state("['cosmic-dock@system76.com']"), kTop);
    EXPECT_EQ(state("['ubuntu-dock@ubuntu.com']"), kTop);
}

// elementary OS's dock hides by default, when a window of the focused app overlaps it; only
// 'never' keeps it shown.
TEST(DesktopTaskbar, ElementaryDockHidesUnlessNever) {
    EXPECT_EQ(stateFromSettings(Desktop::Pantheon, ""), kHide | kTop);
    EXPECT_EQ(
        stateFromSettings(Desktop::Pantheon, "[io/elementary/dock]\nautohide-mode='always'\n"),
        kHide | kTop);
    EXPECT_EQ(stateFromSettings(Desktop::Pantheon, "[io/elementary/dock]\nautohide-mode='never'\n"),
              kTop);
}

// Unity's launcher hides in any mode but never; it and the top panel are always above windows.
TEST(DesktopTaskbar, UnityLauncherHidesUnlessNever) {
    const auto state = [](std::string_view mode) {
        return stateFromSettings(
            Desktop::Unity, "[org/compiz/profiles/unity/plugins/unityshell]\nlauncher-hide-mode=" +
                                std::string(mode) + "\n");
    };
    EXPECT_EQ(stateFromSettings(Desktop::Unity, ""), kTop);
    EXPECT_EQ(state("0"), kTop);
    EXPECT_EQ(state("1"), kHide | kTop);
    EXPECT_EQ(state("2"), kHide | kTop);  // dodging windows, in its first releases
}

// deepin 20's dock hides when kept hidden or hiding smartly; it is always above windows.
TEST(DesktopTaskbar, DeepinDockHidesUnlessKeptShowing) {
    const auto state = [](std::string_view mode) {
        return stateFromSettings(Desktop::Deepin,
                                 "[com/deepin/dde/dock]\nhide-mode='" + std::string(mode) + "'\n");
    };
    EXPECT_EQ(stateFromSettings(Desktop::Deepin, ""), kTop);
    EXPECT_EQ(state("keep-showing"), kTop);
    EXPECT_EQ(state("keep-hidden"), kHide | kTop);
    EXPECT_EQ(state("smart-hide"), kHide | kTop);
}

// A dock set to hide hides without intellihide; a fixed dock never hides, whatever its hiding
// settings say; a dock switched off with all the user's extensions is not there to hide.
TEST(DesktopTaskbar, GnomeDockHidesByItsOwnSettingsOnlyWhileRunning) {
    const auto state = [](std::string_view shell, std::string_view dock) {
        return stateFromSettings(Desktop::Gnome,
                                 "[org/gnome/shell]\n"
                                 "enabled-extensions=['dash-to-dock@micxgx.gmail.com']\n" +
                                     std::string(shell) +
                                     "\n[org/gnome/shell/extensions/dash-to-dock]\n" +
                                     std::string(dock));
    };
    EXPECT_EQ(state("", "dock-fixed=false\nautohide=true\nintellihide=false\n"), kHide | kTop);
    EXPECT_EQ(state("", "dock-fixed=false\nautohide=false\nintellihide=false\n"), kTop);
    EXPECT_EQ(state("", "dock-fixed=true\nautohide=true\nintellihide=true\n"), kTop);
    EXPECT_EQ(state("disable-user-extensions=true\n",
                    "dock-fixed=false\nautohide=true\nintellihide=true\n"),
              kTop);
    // Enabled once and disabled since: the shell does not run it.
    EXPECT_EQ(state("disabled-extensions=['dash-to-dock@micxgx.gmail.com']\n",
                    "dock-fixed=false\nautohide=true\nintellihide=true\n"),
              kTop);
    // Pop!_OS's dock switched off in its settings is not on the desktop to hide.
    EXPECT_EQ(state("", "dock-fixed=false\nautohide=true\nmanualhide=true\n"), kTop);
    // Without the shell's schema nothing says whether it runs the dock: its settings tell.
    const testing::ScratchMachine machine;
    const std::filesystem::path keyFile = machine.root() / "keyfile";
    std::ofstream(keyFile) << "[org/gnome/shell/extensions/dash-to-dock]\n"
                              "dock-fixed=false\nautohide=true\nintellihide=false\n";
    const auto dockOnly = linux_fs::keyFileDesktopSettings(ZARNEL_DOCK_SCHEMAS_DIR, keyFile);
    EXPECT_EQ(linux_fs::panelTaskbarState(Desktop::Gnome, machine.root(), {}, *dockOnly),
              kHide | kTop);
}

constexpr int kAskedAgain = 20;

// What a copy of the dock extension holds as its compiled schemas.
enum class Schemas { Compiled, Fifo, Broken };

struct DockCopy {
    std::string_view dataFolder;  // below the machine's root
    Schemas schemas;
};

// The taskbar of a GNOME session whose machine has no dock schema of its own, with copies of
// the dock extension in these data folders, as the window asks it.
std::uint32_t stateWithDockCopies(const std::vector<DockCopy>& copies,
                                  std::string_view xdgDataHome = "") {
    const testing::ScratchMachine machine;
    const std::filesystem::path keyFile = machine.root() / "keyfile";
    std::ofstream(keyFile) << "[org/gnome/shell]\n"
                              "enabled-extensions=['dash-to-dock@micxgx.gmail.com']\n"
                              "[org/gnome/shell/extensions/dash-to-dock]\n"
                              "dock-fixed=false\nautohide=false\nintellihide=true\n";
    for (const auto& [dataFolder, schemas] : copies) {
        const std::filesystem::path folder =
            machine.root() / dataFolder / "gnome-shell/extensions/dash-to-dock@micxgx.gmail.com" /
            "schemas";
        std::filesystem::create_directories(folder);
        const std::filesystem::path compiled = folder / "gschemas.compiled";
        if (schemas == Schemas::Fifo) {
            EXPECT_EQ(::mkfifo(compiled.c_str(), S_IRUSR | S_IWUSR), 0);
        } else if (schemas == Schemas::Broken) {
            std::ofstream(compiled) << "not a schema file";
        } else {
            std::filesystem::copy_file(
                std::filesystem::path(ZARNEL_DOCK_SCHEMAS_DIR) / "gschemas.compiled", compiled);
        }
    }
    LinuxPlatform platform(machine.root());
    platform.environment.home = "/home/alice";
    platform.environment.xdgConfigHome = "";
    platform.environment.xdgDataHome = xdgDataHome;
    platform.environment.currentDesktop = "GNOME";
    platform.environment.kdeSessionVersion = "";
    platform.desktopSettings =
        linux_fs::keyFileDesktopSettings(ZARNEL_DESKTOP_SCHEMAS_WITHOUT_DOCK_DIR, keyFile);
    // Asked again and again through the same settings, the answer stays.
    const std::uint32_t state = platform.appBarGetState();
    for (int again = 0; again < kAskedAgain; ++again) EXPECT_EQ(platform.appBarGetState(), state);
    return state;
}

// dash-to-dock installed from GNOME's extension site keeps its schema in its own folder, which
// only the shell reads: the user's copy (in $XDG_DATA_HOME when it is absolute), else the
// machine's. A copy whose schemas are broken is the one the shell loads and fails on: no dock.
// A FIFO in place of the compiled schemas must not stall the window.
TEST(DesktopTaskbar, GnomeDockInstalledByItsUserIsReadFromItsOwnFolder) {
    constexpr std::string_view kUserData = "home/alice/.local/share";
    EXPECT_EQ(stateWithDockCopies({{kUserData, Schemas::Compiled}}), kHide | kTop);
    EXPECT_EQ(stateWithDockCopies({{"usr/share", Schemas::Compiled}}), kHide | kTop);
    EXPECT_EQ(stateWithDockCopies({{"home/bob/.local/share", Schemas::Compiled}}), kTop);
    EXPECT_EQ(stateWithDockCopies({{kUserData, Schemas::Compiled}, {"usr/share", Schemas::Broken}}),
              kHide | kTop);
    EXPECT_EQ(stateWithDockCopies({{kUserData, Schemas::Broken}, {"usr/share", Schemas::Compiled}}),
              kTop);
    EXPECT_EQ(stateWithDockCopies({{"data/alice", Schemas::Compiled}}, "/data/alice"),
              kHide | kTop);
    EXPECT_EQ(stateWithDockCopies({{kUserData, Schemas::Compiled}}, "data/alice"), kHide | kTop);
    EXPECT_EQ(stateWithDockCopies({{kUserData, Schemas::Fifo}}), kTop);
}

// The taskbar extension installed from GNOME's extension site keeps its schema in its own
// folder too; it hides only while the shell runs it.
TEST(DesktopTaskbar, GnomeTaskbarInstalledByItsUserIsReadFromItsOwnFolder) {
    const testing::ScratchMachine machine;
    const std::filesystem::path schemas =
        machine.root() /
        "home/alice/.local/share/gnome-shell/extensions/dash-to-panel@jderose9.github.com/schemas";
    std::filesystem::create_directories(schemas);
    std::filesystem::copy_file(
        std::filesystem::path(ZARNEL_TASKBAR_SCHEMAS_DIR) / "gschemas.compiled",
        schemas / "gschemas.compiled");
    const auto state = [&machine](std::string_view shell, std::string_view taskbar = "") {
        const std::filesystem::path keyFile = machine.root() / "keyfile";
        std::ofstream(keyFile) << "[org/gnome/shell]\n"
                               << shell
                               << "\n[org/gnome/shell/extensions/dash-to-panel]\n"
                                  "intellihide=true\n"
                               << taskbar;
        const auto settings =
            linux_fs::keyFileDesktopSettings(ZARNEL_DESKTOP_SCHEMAS_WITHOUT_DOCK_DIR, keyFile);
        linux_fs::SessionFolders folders;
        folders.dataHome = "/home/alice/.local/share";
        return linux_fs::panelTaskbarState(Desktop::Gnome, machine.root(), folders, *settings);
    };
    constexpr std::string_view kEnabled =
        "enabled-extensions=['dash-to-panel@jderose9.github.com']";
    EXPECT_EQ(state(kEnabled), kHide | kTop);
    EXPECT_EQ(state(std::string(kEnabled) +
                    "\ndisabled-extensions=['dash-to-panel@jderose9.github.com']"),
              kTop);
    EXPECT_EQ(state(std::string(kEnabled) + "\ndisable-user-extensions=true"), kTop);
    EXPECT_EQ(state("enabled-extensions=[]"), kTop);
    // Hiding on the other screens only leaves the main one's taskbar shown.
    EXPECT_EQ(state(kEnabled, "intellihide-only-secondary=true\n"), kTop);
}

// Zorin OS's taskbar (dash-to-panel's fork) and dock (read by dash-to-dock's keys) count while
// the shell runs them, as its session's desktop name enables them.
TEST(DesktopTaskbar, ZorinTaskbarAndDockHideByTheirOwnSettings) {
    const auto state = [](std::string_view enabled, std::string_view settings) {
        return stateFromSettings(
            Desktop::Gnome, "[org/gnome/shell]\nenabled-extensions=" + std::string(enabled) + "\n" +
                                std::string(settings));
    };
    constexpr std::string_view kTaskbar = "['zorin-taskbar@zorinos.com']";
    constexpr std::string_view kDash = "['zorin-dash@zorinos.com']";
    constexpr std::string_view kTaskbarHides =
        "[org/gnome/shell/extensions/zorin-taskbar]\nintellihide=true\n";
    EXPECT_EQ(state(kTaskbar, ""), kTop);
    EXPECT_EQ(state(kTaskbar, kTaskbarHides), kHide | kTop);
    EXPECT_EQ(state(kTaskbar, std::string(kTaskbarHides) + "intellihide-only-secondary=true\n"),
              kTop);
    EXPECT_EQ(state("[]", kTaskbarHides), kTop);
    EXPECT_EQ(state(kDash, ""), kHide | kTop);  // the dock's defaults hide it
    EXPECT_EQ(state(kDash, "[org/gnome/shell/extensions/zorin-dash]\ndock-fixed=true\n"), kTop);
    EXPECT_EQ(state(kTaskbar, "[org/gnome/shell/extensions/zorin-dash]\ndock-fixed=false\n"), kTop);
}

// The extension that hides the top bar hides it while the shell runs it, by its defaults or
// only when a window meets it: installed (by its user or the machine's package), enabled and
// not disabled.
TEST(DesktopTaskbar, GnomeTopBarHiddenByAnExtension) {
    const testing::ScratchMachine machine;
    linux_fs::SessionFolders folders;
    folders.dataHome = "/home/alice/.local/share";
    const auto state = [&machine, &folders](std::string_view shell) {
        const std::filesystem::path keyFile = machine.root() / "keyfile";
        std::ofstream(keyFile) << "[org/gnome/shell]\n" << shell << "\n";
        const auto settings = linux_fs::keyFileDesktopSettings(ZARNEL_DESKTOP_SCHEMAS_DIR, keyFile);
        return linux_fs::panelTaskbarState(Desktop::Gnome, machine.root(), folders, *settings);
    };
    const auto install = [&machine](const std::filesystem::path& data) {
        const std::filesystem::path folder =
            machine.root() / data / "gnome-shell/extensions/hidetopbar@mathieu.bidon.ca";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "metadata.json") << "{}\n";
    };
    constexpr std::string_view kEnabled = "enabled-extensions=['hidetopbar@mathieu.bidon.ca']";
    EXPECT_EQ(state(kEnabled), kTop) << "listed, but not installed";
    install("usr/share");
    EXPECT_EQ(state(kEnabled), kHide | kTop);
    EXPECT_EQ(state(std::string(kEnabled) + "\ndisable-user-extensions=true"), kTop);
    EXPECT_EQ(
        state(std::string(kEnabled) + "\ndisabled-extensions=['hidetopbar@mathieu.bidon.ca']"),
        kTop);
    std::filesystem::remove_all(machine.root() / "usr");
    install("home/alice/.local/share");
    EXPECT_EQ(state(kEnabled), kHide | kTop);
    // Installed where the machine's data folders name (NixOS keeps its own).
    std::filesystem::remove_all(machine.root() / "home");
    install("run/current-system/sw/share");
    EXPECT_EQ(state(kEnabled), kTop);
    folders.dataDirs = {"/run/current-system/sw/share"};
    EXPECT_EQ(state(kEnabled), kHide | kTop);
}

// Raspberry Pi OS's panel on Wayland, by the settings its generations read: the user's file
// (in a folder of its own from 2024, one file in the config folder before), the machine's,
// the defaults its metadata gives, and its own bottom layer last.
TEST(DesktopTaskbar, RaspberryPiPanelSettings) {
    struct Row {
        std::string_view machine;
        std::string_view session;
        std::string_view home;
        std::uint32_t state;
    };
    for (const Row& row : {
             Row{"desktop-pi-labwc", "LXDE-pi-labwc", "/home/alice", 0},
             Row{"desktop-pi-labwc", "rpd-labwc", "/home/bob", kHide | kTop},
             Row{"desktop-pi-wayfire", "LXDE-pi-wayfire", "/home/alice", kHide | kTop},
             Row{"desktop-pi-wayfire", "LXDE-pi-wayfire", "/home/bob", kTop},
             Row{"desktop-pi-wayfire", "LXDE-pi-wayfire", "/home/carol", 0},
         }) {
        LinuxPlatform platform(std::filesystem::path(ZARNEL_FIXTURES_DIR) / row.machine);
        platform.environment.home = row.home;
        platform.environment.xdgConfigHome = "";
        platform.environment.currentDesktop = "";
        platform.environment.desktopSession = row.session;
        EXPECT_EQ(platform.appBarGetState(), row.state) << row.machine << " " << row.home;
    }
}

TEST(DesktopTaskbar, RaspberryPiPanelSettingsFiles) {
    // The last value in [panel] counts; a '#' starts a comment unless escaped, and other
    // sections' keys are theirs.
    EXPECT_EQ(linux_fs::wfPanelSetting("[panel]\n  autohide = true  \n[dock]\nautohide=false\n"
                                       "[panel]\nlayer=top\n",
                                       "autohide"),
              "true");
    EXPECT_EQ(linux_fs::wfPanelSetting("[panel]\nautohide=false\nautohide=1 # hides\n", "autohide"),
              "1");
    EXPECT_EQ(linux_fs::wfPanelSetting("[panel]\nlayer=bottom\\#2\n", "layer"), "bottom#2");
    EXPECT_EQ(linux_fs::wfPanelSetting("# [panel]\nlayer=top\n[panel]\n#layer=top\n", "layer"),
              std::nullopt);
    EXPECT_EQ(linux_fs::wfPanelSetting("[panel:extra]\nlayer=top\nlayer_x=top\n", "layer"),
              std::nullopt);

    // A default is the option's own, not the next option's.
    const std::string_view metadata =
        "<option name=\"layer_shell\" type=\"string\">\n<default>overlay</default>\n</option>\n"
        "<option name=\"autohide\" type=\"bool\">\n<_short>Autohide</_short>\n</option>\n"
        "<option name=\"layer\" type=\"string\">\n<default> top </default>\n</option>\n"
        "<option name=\"position\" type=\"string\">\n<default>bottom</default>\n</option>\n";
    EXPECT_EQ(linux_fs::wfPanelDefault(metadata, "layer"), "top");
    EXPECT_EQ(linux_fs::wfPanelDefault(metadata, "autohide"), std::nullopt);
    EXPECT_EQ(linux_fs::wfPanelDefault(metadata, "monitor"), std::nullopt);
    EXPECT_EQ(linux_fs::wfPanelDefault("<option name=\"layer\"><default>top", "layer"),
              std::nullopt);
    EXPECT_EQ(linux_fs::wfPanelDefault("<option name=\"layer\"/>\n<option name=\"position\">"
                                       "<default>bottom</default></option>",
                                       "layer"),
              std::nullopt);
    EXPECT_EQ(linux_fs::wfPanelDefault(
                  "<option name=\"layer\"><default>a</_short><default>top</default>", "layer"),
              std::nullopt);

    // A hiding panel is raised to the top layer; below it windows may cover the panel, and
    // a panel that names no layer is in the bottom one.
    EXPECT_EQ(linux_fs::wfPanelState("TRUE", "bottom"), kHide | kTop);
    EXPECT_EQ(linux_fs::wfPanelState("yes", std::nullopt), kHide | kTop);
    EXPECT_EQ(linux_fs::wfPanelState("false", "bottom"), 0u);
    EXPECT_EQ(linux_fs::wfPanelState("0", "background"), 0u);
    EXPECT_EQ(linux_fs::wfPanelState("", std::nullopt), 0u);
    EXPECT_EQ(linux_fs::wfPanelState("", "overlay"), kTop);
    EXPECT_EQ(linux_fs::wfPanelState("on", "Bottom"), kTop);  // neither is a word it knows
}

// lxpanel looks for the panels of its own profile only: a session whose profile has none has
// no panel settings, though another profile's are there. lxpanel-pi, with no profile, takes
// the machine's panels when the user keeps none.
TEST(DesktopTaskbar, LxpanelLooksOnlyWhereItsSessionKeepsPanels) {
    const std::filesystem::path root = std::filesystem::path(ZARNEL_FIXTURES_DIR) / "desktop-lxde";
    const auto state = [&root](std::string_view home, std::string_view session) {
        linux_fs::SessionFolders folders;
        folders.configHome = std::filesystem::path(home) / ".config";
        folders.configDirs = {"/etc/xdg"};
        folders.session = session;
        return linux_fs::panelTaskbarState(Desktop::Lxde, root, folders,
                                           *linux_fs::keyFileDesktopSettings(root, ""));
    };
    EXPECT_EQ(state("/home/alice", "Openbox"), std::nullopt);
    EXPECT_EQ(state("/home/bob", "rpd-x"), kTop);
}

// A desktop whose settings are missing falls back to the X11 docks: with no display, none.
TEST(DesktopTaskbar, MissingSettingsFallBackToTheWindows) {
    const std::filesystem::path root = std::filesystem::path(ZARNEL_FIXTURES_DIR) / "desktop-lxqt";
    linux_fs::SessionFolders folders;
    folders.configHome = "/home/alice/.config";
    for (const Desktop desktop :
         {Desktop::Plasma, Desktop::Other, Desktop::Cinnamon, Desktop::Pantheon, Desktop::Lxde,
          Desktop::Unity, Desktop::Deepin, Desktop::PiWayland}) {
        EXPECT_EQ(linux_fs::panelTaskbarState(desktop, root, folders,
                                              *linux_fs::keyFileDesktopSettings(root, "")),
                  std::nullopt);
    }
}

// Panel settings in a home folder whose server went away: the window does not wait for them,
// and a desktop whose settings did not come has no taskbar known.
TEST(DesktopTaskbar, SettingsOnAStalledHomeAreNotWaitedFor) {
    class StalledSettings : public linux_fs::DesktopSettings {
      public:
        explicit StalledSettings(testing::StalledServer server) : server_(std::move(server)) {}
        std::optional<std::string> value(std::string_view, std::string_view,
                                         std::string_view) const override {
            server_.hold();
            return std::nullopt;
        }
        std::unique_ptr<DesktopSettings> withSchemasFrom(
            const std::filesystem::path&) const override {
            return std::make_unique<StalledSettings>(server_);
        }

      private:
        testing::StalledServer server_;
    };
    const testing::StalledServer server;
    LinuxPlatform platform(std::filesystem::path(ZARNEL_FIXTURES_DIR) / "desktop-mate");
    platform.environment.home = "/home/alice";
    platform.environment.currentDesktop = "MATE";
    platform.desktopSettings = std::make_shared<StalledSettings>(server);
    auto state = std::async(std::launch::async, [&platform] { return platform.appBarGetState(); });
    // Far beyond the deadline: only a read that waits for the server gets here.
    const bool settled = state.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    server.answer();  // whatever still waits may go, the read on the old code included
    ASSERT_TRUE(settled) << "waited for the home folder's server";
    EXPECT_EQ(state.get(), 0U);
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
}

}  // namespace
}  // namespace zarnel
