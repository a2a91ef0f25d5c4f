// The bars i3bar draws for i3, an X11 window manager that draws no panel of its own. A bar
// hidden until its modifier is held is unmapped, so no window tells of it: i3's settings do.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zarnel::linux_fs {

struct I3Session {
    std::filesystem::path configHome;  // the user's: $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path home;
    std::vector<std::string> configDirs;  // the machine's: $XDG_CONFIG_DIRS or /etc/xdg
    std::uint32_t userId = 0;             // whose processes count
};

// The taskbar bits (1 auto-hide, 2 always on top) of the bars the user's i3bar processes draw,
// each the bar its command line names, read as swaybar's are, combined; nothing when no i3bar
// runs or none draws a bar the settings hold.
std::optional<std::uint32_t> i3BarsState(const std::filesystem::path& root,
                                         const I3Session& session);

}  // namespace zarnel::linux_fs
