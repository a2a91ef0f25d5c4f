// Waybar, the status bar of Wayland sessions that draw none of their own (Hyprland, sway,
// niri, river): its bars' taskbar bits (1 auto-hide, 2 always on top) from its settings file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zarnel::linux_fs {

// The bits of the bars of one settings text (one bar's object, or an array of them), combined
// over its bars; nothing for a text Waybar would not start with. A bar's `mode` (dock, hide,
// invisible, overlay, or one of its own `modes`) decides its layer and whether it shows, its
// own `layer` and `visible` only where it names no mode; `start_hidden` hides it. The top and
// overlay layers stay above windows, the bottom one lets them cover it. A bar in "hide" mode
// hides only where it follows sway's bar settings (`ipc`), which then decide when it shows.
std::optional<std::uint32_t> waybarState(std::string_view config);

// The settings file Waybar reads, below `root`: the first of config and config.jsonc in
// `configHome`/waybar, ~/.config/waybar, ~/waybar and /etc/xdg/waybar; nothing without one.
std::optional<std::uint32_t> waybarTaskbarState(const std::filesystem::path& root,
                                                const std::filesystem::path& configHome,
                                                const std::filesystem::path& home);

}  // namespace zarnel::linux_fs
