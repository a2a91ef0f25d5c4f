// The bars a user runs beside a Wayland compositor that draws no panel of its own: Waybar
// (Hyprland, sway, niri, river), sway's own swaybar and Wayfire's wf-panel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zarnel::linux_fs {

struct WaylandBarSession {
    std::filesystem::path configHome;  // the user's: $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path home;
    std::uint32_t userId = 0;  // whose processes count
    bool sway = false;         // sway runs the session ($SWAYSOCK), whose bars it describes
};

// The taskbar bits (1 auto-hide, 2 always on top) of the bars of these that run as the user,
// from each one's settings, combined; nothing when none of them runs.
std::optional<std::uint32_t> waylandBarsState(const std::filesystem::path& root,
                                              const WaylandBarSession& session);

}  // namespace zarnel::linux_fs
