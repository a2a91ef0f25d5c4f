// The bars i3bar draws for i3, an X11 window manager that draws no panel of its own. A bar
// hidden until its modifier is held is unmapped, so no window tells of it: i3's settings do.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/running_programs.h"

namespace zarnel::linux_fs {

inline constexpr std::string_view kI3bar = "i3bar";

struct I3Session {
    std::filesystem::path configHome;  // the user's: $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path home;
    std::vector<std::string> configDirs;  // the machine's: $XDG_CONFIG_DIRS or /etc/xdg
};

// The taskbar bits (1 auto-hide, 2 always on top) of the bars the i3bar processes among the
// user's `running` programs draw, each the bar its command line names, read as swaybar's are,
// combined; nothing when no i3bar runs or none draws a bar the settings hold.
std::optional<std::uint32_t> i3BarsState(const std::filesystem::path& root,
                                         const I3Session& session,
                                         std::span<const RunningProgram> running);

}  // namespace zarnel::linux_fs
