// wf-shell's panel ("wf-panel"), Wayfire's own: its taskbar bits (1 auto-hide, 2 always on
// top) from its settings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zarnel::linux_fs {

// A boolean as the panel's settings library reads one: true, false, 1 or 0 in any case;
// nothing for any other text, which leaves the setting at its default.
std::optional<bool> wfConfigBoolean(std::string_view text);

// The panel hides by `autohide`, sliding out of its layer rather than changing it; in the top
// and overlay layers (its default top, and any name it does not know) it stays above windows.
std::uint32_t wfShellPanelState(bool autohide, std::string_view layer);

// The panel's settings as it builds them below `root`: each key from the user's
// `configHome`/wf-shell.ini, else /etc/wayfire/wf-shell-defaults.ini, else the default its
// installed metadata gives, else its own.
std::uint32_t wfShellTaskbarState(const std::filesystem::path& root,
                                  const std::filesystem::path& configHome);

}  // namespace zarnel::linux_fs
