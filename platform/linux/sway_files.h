// sway's settings files, as sway finds them and the files they include.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/sway_config.h"

namespace zarnel::linux_fs {

// The bars of sway's settings below `root`: the first file of ~/.sway/config,
// `configHome`/sway/config, ~/.i3/config, `configHome`/i3/config, /etc/sway/config and
// /etc/i3/config, with the files it includes where it includes them (a pattern: ~, $HOME and
// $XDG_CONFIG_HOME put in; relative to the including file's folder; each file once, however
// it is reached).
std::vector<SwayBar> swayBars(const std::filesystem::path& root,
                              const std::filesystem::path& configHome,
                              const std::filesystem::path& home);

// The bars of i3's settings, read as sway's: the first readable file of ~/.i3/config,
// `configHome`/i3/config, /etc/i3/config and each of `configDirs`/i3/config, in i3's order.
std::vector<SwayBar> i3Bars(const std::filesystem::path& root,
                            const std::filesystem::path& configHome,
                            const std::filesystem::path& home,
                            std::span<const std::string> configDirs);

}  // namespace zarnel::linux_fs
