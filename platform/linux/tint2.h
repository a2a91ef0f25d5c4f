// tint2, the panel of light X11 sessions (Openbox, Fluxbox, JWM). A panel that hides keeps a
// sliver of itself mapped, still reserving room for it, so no dock tells that it hides: its
// settings do.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/running_programs.h"

namespace zarnel::linux_fs {

// The names the kernel keeps for tint2's process: its own, and that of the wrapped program a
// wrapper script starts (NixOS).
inline constexpr std::array<std::string_view, 2> kTint2Programs = {"tint2", ".tint2-wrapped"};

// The taskbar bits of a tint2 settings text: auto-hide from `autohide`, always on top from a
// `panel_layer` of top (the bottom layer is tint2's default); each key's last line counts, as
// tint2 reads them.
std::uint32_t tint2State(std::string_view settings);

struct Tint2Session {
    std::filesystem::path configHome;     // the user's: $XDG_CONFIG_HOME or ~/.config
    std::vector<std::string> configDirs;  // the machine's: $XDG_CONFIG_DIRS or /etc/xdg
};

// The bits of the panels the tint2 processes among the user's `running` programs draw,
// combined, each from its settings
// file: the one its command line names (-c FILE, or a last word), else the user's, else the first
// of the machine's (which tint2 copies to the user's as it starts); nothing when no tint2 runs.
std::optional<std::uint32_t> tint2TaskbarState(const std::filesystem::path& root,
                                               const Tint2Session& session,
                                               std::span<const RunningProgram> running);

}  // namespace zarnel::linux_fs
