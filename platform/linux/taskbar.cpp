// The taskbar's state: what the desktop's own panel settings say, else what its windows show.
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/linux/desktop_session.h"
#include "platform/linux/i3_bars.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/taskbar_x11.h"
#include "platform/linux/tint2.h"
#include "platform/linux/wayland_bars.h"

namespace zarnel {
namespace {

// A display server on this machine answers within milliseconds, even with hundreds of windows
// to list, and the desktop's settings as soon as they are read; what has not in two seconds
// (the settings library loaded on a cold start included) is not going to.
constexpr std::chrono::milliseconds kDesktopAnswerDeadline{2000};

linux_fs::SessionFolders sessionFoldersOf(const linux_fs::UserEnvironment& environment) {
    const std::vector<std::string> configDirs = environment.configDirs();
    const std::vector<std::string> dataDirs = environment.dataDirs();
    return {.configHome = environment.configHome(),
            .dataHome = environment.dataHome(),
            .configDirs = {configDirs.begin(), configDirs.end()},
            .dataDirs = {dataDirs.begin(), dataDirs.end()},
            .session = environment.desktopSession};
}

}  // namespace

std::uint32_t LinuxPlatform::appBarGetState() {
    lastError_ = win32_error::kSuccess;
    // GNOME and every Wayland session show no X11 dock, and a panel hidden for now is unmapped:
    // the settings know what the windows cannot tell.
    const linux_fs::Desktop desktop = linux_fs::desktopOf(
        environment.currentDesktop, environment.kdeSessionVersion, environment.desktopSession);
    if (desktop != linux_fs::Desktop::Other) {
        // They lie in the home folder (the session's settings database too), which a server
        // that went away would hold: read with a deadline, and a desktop whose settings did not
        // come in time has no taskbar known, whatever its windows show.
        const auto state = panelSettings_.ask<std::optional<std::uint32_t>>(
            "panels",
            [desktop, root = root_, folders = sessionFoldersOf(environment),
             settings = desktopSettings] {
                return linux_fs::panelTaskbarState(desktop, root, folders, *settings);
            },
            kDesktopAnswerDeadline);
        if (!state) return 0;
        if (*state) return **state;
    }
    // A Wayland session's panels are no X windows, and asking would start an Xwayland that
    // the compositor keeps for X programs until one comes. A compositor that draws no panel of
    // its own leaves it to a bar the user runs, whose settings tell, read as the desktops' are.
    if (!environment.waylandDisplay.empty()) {
        const auto state = panelSettings_.ask<std::optional<std::uint32_t>>(
            "bars",
            [root = root_,
             session = linux_fs::WaylandBarSession{.configHome = environment.configHome(),
                                                   .home = environment.home,
                                                   .userId = environment.userId,
                                                   .sway = !environment.swaySocket.empty()}] {
                return linux_fs::waylandBarsState(root, session);
            },
            kDesktopAnswerDeadline);
        return state && *state ? **state : 0;
    }
    // A bar that hides leaves no dock that tells so: i3's is unmapped until summoned, tint2's
    // keeps a sliver mapped. Their settings tell; a bar that shows is a dock like any other.
    const auto hidingBars = panelSettings_.ask<std::optional<std::uint32_t>>(
        "X11 bars",
        [root = root_, configDirs = environment.configDirs(),
         // i3bar draws on X11 only; sway runs its own bars.
         i3 = environment.swaySocket.empty(), configHome = environment.configHome(),
         home = environment.home, userId = environment.userId] {
            // The processes listed once for both.
            const std::array<std::string_view, 3> programs = {
                linux_fs::kI3bar, linux_fs::kTint2Programs[0], linux_fs::kTint2Programs[1]};
            const std::vector<linux_fs::RunningProgram> running =
                linux_fs::userPrograms(root, programs, userId);
            std::optional<std::uint32_t> state;
            const auto add = [&state](std::optional<std::uint32_t> bits) {
                if (bits) state = state.value_or(0) | *bits;
            };
            if (i3) {
                add(linux_fs::i3BarsState(
                    root, {.configHome = configHome, .home = home, .configDirs = configDirs},
                    running));
            }
            add(linux_fs::tint2TaskbarState(
                root, {.configHome = configHome, .configDirs = configDirs}, running));
            return state;
        },
        kDesktopAnswerDeadline);
    if (hidingBars && *hidingBars && (**hidingBars & app_bar_state::kAutoHide) != 0) {
        return **hidingBars;
    }
    // A display server that accepts but never answers (a hung Xwayland) would hold the window
    // for good: its docks are asked with a deadline, and unanswered know of no taskbar.
    if (environment.x11Display.empty()) return 0;  // no display, no docks
    return displays_
        .ask<std::uint32_t>(
            environment.x11Display,
            [name = environment.x11Display] { return linux_x11::dockTaskbarState(name.c_str()); },
            kDesktopAnswerDeadline)
        .value_or(0);
}

}  // namespace zarnel
