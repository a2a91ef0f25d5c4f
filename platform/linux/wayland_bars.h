// The bars a user runs beside a Wayland compositor that draws no panel of its own: Waybar
// (Hyprland, sway, niri, river), sway's own swaybar and Wayfire's wf-panel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/linux/sway_config.h"

namespace zarnel::linux_fs {

struct WaylandBarSession {
    std::filesystem::path configHome;  // the user's: $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path home;
    std::uint32_t userId = 0;  // whose processes count
    bool sway = false;         // sway runs the session ($SWAYSOCK), whose bars it describes
};

// A bar swaybar draws: dock mode keeps it in the bottom layer, shown; hide mode in the overlay
// layer, hidden until its modifier is held unless its hidden state is show; invisible never
// shows it; overlay shows it above windows.
std::uint32_t swaybarState(const SwayBar& bar);

// The taskbar bits (1 auto-hide, 2 always on top) of the bars of these that run as the user,
// from each one's settings, combined; nothing when none of them runs. A swaybar draws the
// bar its command line names (-b ID), else every bar no other program is named for; each
// Waybar its own settings.
std::optional<std::uint32_t> waylandBarsState(const std::filesystem::path& root,
                                              const WaylandBarSession& session);

}  // namespace zarnel::linux_fs
