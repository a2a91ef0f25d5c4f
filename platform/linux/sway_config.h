// sway's settings file: the bars it starts, as its `bar { ... }` blocks describe them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

struct SwayBar {
    std::string id;  // "bar-0", "bar-1" in the order the blocks come, unless one names its own
    std::string mode = "dock";
    std::string hiddenState = "hide";
    std::string command;  // swaybar_command: the program sway starts for it; empty for swaybar
};

// The variables `set $name value` defines, which later lines use.
using SwayVariables = std::map<std::string, std::string, std::less<>>;

// One settings text, read into `bars` (which holds the bars of the texts read before it, so
// that each is numbered as sway numbers it) and `variables`; each `include` line's pattern is
// given to `include` where it stands, so that the files it names are read there. Blocks open
// at the end of a line or on a line of their own; a line ending in '\' goes on in the next;
// `bar mode hide` outside a block makes a bar, `bar ID mode hide` changes or makes bar ID.
void readSwayConfig(std::string_view text, std::vector<SwayBar>& bars, SwayVariables& variables,
                    const std::function<void(std::string_view)>& include);

// A bar swaybar draws: dock mode keeps it in the bottom layer, shown; hide mode in the
// overlay layer, hidden until its modifier is held unless its hidden state is "show";
// invisible never shows it; overlay shows it above windows.
std::uint32_t swaybarState(const SwayBar& bar);
// A bar following sway's settings from another program (Waybar): shown in the top layer,
// hidden as swaybar hides it.
std::uint32_t followingBarState(const SwayBar& bar);
// Whether swaybar draws the bar: no other program named for it.
bool drawnBySwaybar(const SwayBar& bar);

// The bars of sway's settings below `root`: the first file of ~/.sway/config,
// `configHome`/sway/config, ~/.i3/config, `configHome`/i3/config, /etc/sway/config and
// /etc/i3/config, with the files it includes (globs; ~ and $HOME; relative to the including
// file's folder; each file once).
std::vector<SwayBar> swayBars(const std::filesystem::path& root,
                              const std::filesystem::path& configHome,
                              const std::filesystem::path& home);

}  // namespace zarnel::linux_fs
