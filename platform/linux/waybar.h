// Waybar, the status bar of Wayland sessions that draw none of their own (Hyprland, sway,
// niri, river): its bars' taskbar bits (1 auto-hide, 2 always on top) from its settings file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/sway_config.h"

namespace zarnel::linux_fs {

// The names the kernel keeps for Waybar's process: its own, and that of the wrapped program
// a wrapper script starts (NixOS).
inline constexpr std::string_view kWaybarPrograms[] = {"waybar", ".waybar-wrapped"};

// sway's bars, which a bar with `ipc` on follows there, and the bar id Waybar's command line
// names (-b, --bar): the sway bar followed when the bar names none ("bar-0" when neither does).
struct SwayBarsFollowed {
    std::vector<SwayBar> bars;
    std::string barArgument;
};

// The text of the settings file an `include` names (a path as written there); nothing when
// it cannot be read.
using WaybarIncludes = std::function<std::optional<std::string>(const std::string& named)>;

// The bits of the bars of one settings text (one bar's object, or an array of them), combined
// over its bars; nothing for a text Waybar would not start with.
// A bar's `include` (a file, or a list of them) reads those files through `includes`, with
// theirs, for the keys the bar does not set itself: an earlier file's keys win over a later
// one's, and objects set in both are merged key by key the same way. One that cannot be read
// adds nothing: a Waybar that runs read them all when it started.
// A bar's `mode` decides its layer and whether it shows: the preset modes (dock and invisible
// in the bottom layer, hide and overlay in the top one), as its `modes` entries change them;
// a mode of its own name starts from neither layer nor showing; the default mode (no mode, or
// one it does not know) is changed by `modes.default`, then by the bar's own `layer` and
// `visible`. `start_hidden` hides it. The top and overlay layers stay above windows; the bottom
// one lets them cover the bar. A bar with `ipc` on shows and hides as the sway bar of its id
// in `sway` does, in the top layer, where sway has that bar.
std::optional<std::uint32_t> waybarState(std::string_view config,
                                         const SwayBarsFollowed* sway = nullptr,
                                         const WaybarIncludes& includes = {});

// The bar id Waybar's command line names (-b ID, --bar ID, --bar=ID).
std::optional<std::string> waybarBarArgument(const std::vector<std::string>& arguments);

// The settings file Waybar's command line names (-c FILE, --config FILE, --config=FILE).
std::optional<std::string> waybarConfigArgument(const std::vector<std::string>& arguments);

// The settings file Waybar reads, below `root`: the one its command line names (relative to
// the home folder, where sessions start it), else the first of config and config.jsonc in
// `configHome`/waybar, ~/.config/waybar, ~/waybar and /etc/xdg/waybar; nothing without one.
// The files it includes are named as its command line's are, with ~, $HOME and
// $XDG_CONFIG_HOME put in.
// `swayBars`: sway's bars, which its bars may follow; none outside sway.
std::optional<std::uint32_t> waybarTaskbarState(const std::filesystem::path& root,
                                                const std::filesystem::path& configHome,
                                                const std::filesystem::path& home,
                                                const std::vector<std::string>& arguments,
                                                const std::vector<SwayBar>& swayBars = {});

}  // namespace zarnel::linux_fs
