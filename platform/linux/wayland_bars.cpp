#include "platform/linux/wayland_bars.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "platform/linux/running_programs.h"
#include "platform/linux/sway_files.h"
#include "platform/linux/waybar.h"
#include "platform/linux/wf_shell.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {
namespace {

using app_bar_state::kAlwaysOnTop;
using app_bar_state::kAutoHide;

constexpr std::string_view kSwaybar = "swaybar";
constexpr std::string_view kWfPanel = "wf-panel";
constexpr std::string_view kBarOption = "-b";

bool isWaybar(std::string_view name) {
    return std::ranges::find(kWaybarPrograms, name) != std::end(kWaybarPrograms);
}

// Whether swaybar draws the bar: no other program is named for it.
bool drawnBySwaybar(const SwayBar& bar) {
    const std::string_view command = bar.command;
    const std::string_view program = command.substr(0, command.find(' '));
    return program.empty() || std::filesystem::path(program).filename() == kSwaybar;
}

// The bar id a swaybar's command line names.
std::optional<std::string> swaybarBarArgument(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == kBarOption) return arguments[i + 1];
    }
    return std::nullopt;
}

}  // namespace

std::uint32_t swaybarState(const SwayBar& bar) {
    return (bar.above() ? kAlwaysOnTop : 0) | (bar.hides() ? kAutoHide : 0);
}

std::optional<std::uint32_t> waylandBarsState(const std::filesystem::path& root,
                                              const WaylandBarSession& session) {
    std::vector<std::string_view> programs(std::begin(kWaybarPrograms), std::end(kWaybarPrograms));
    programs.push_back(kSwaybar);
    programs.push_back(kWfPanel);
    const std::vector<RunningProgram> running = userPrograms(root, programs, session.userId);
    if (running.empty()) return std::nullopt;

    // sway's bars, which swaybar draws and Waybar may follow; none outside sway.
    const std::vector<SwayBar> sway =
        session.sway ? swayBars(root, session.configHome, session.home) : std::vector<SwayBar>{};
    std::optional<std::uint32_t> state;
    const auto add = [&state](std::optional<std::uint32_t> bits) {
        if (bits) state = state.value_or(0) | *bits;
    };
    // Each bar's program once for each command line, however many of its processes run.
    std::set<std::pair<std::string, std::vector<std::string>>> read;
    for (const RunningProgram& program : running) {
        if (!read.insert({program.name, program.arguments}).second) continue;
        if (isWaybar(program.name)) {
            add(waybarTaskbarState(root, session.configHome, session.home, program.arguments,
                                   sway));
        } else if (program.name == kSwaybar) {
            const auto id = swaybarBarArgument(program.arguments);
            for (const SwayBar& bar : sway) {
                if (id ? bar.id == *id : drawnBySwaybar(bar)) add(swaybarState(bar));
            }
        } else if (program.name == kWfPanel) {
            add(wfShellTaskbarState(root, session.configHome));
        }
    }
    return state;
}

}  // namespace zarnel::linux_fs
