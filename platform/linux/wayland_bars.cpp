#include "platform/linux/wayland_bars.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "platform/linux/running_programs.h"
#include "platform/linux/sway_config.h"
#include "platform/linux/waybar.h"
#include "platform/linux/wf_shell.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kWaybar = kWaybarPrograms[0];
constexpr std::string_view kSwaybar = "swaybar";
constexpr std::string_view kWfPanel = "wf-panel";

bool isWaybar(std::string_view name) {
    return std::ranges::find(kWaybarPrograms, name) != std::end(kWaybarPrograms);
}

}  // namespace

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
    std::set<std::string_view> read;  // each bar once, however many of its processes run
    for (const RunningProgram& program : running) {
        const std::string_view bar = isWaybar(program.name) ? kWaybar : program.name;
        if (!read.insert(bar).second) continue;
        if (bar == kWaybar) {
            add(waybarTaskbarState(root, session.configHome, session.home, program.arguments,
                                   sway));
        } else if (bar == kSwaybar) {
            for (const SwayBar& swayBar : sway) {
                if (drawnBySwaybar(swayBar)) add(swaybarState(swayBar));
            }
        } else if (bar == kWfPanel) {
            add(wfShellTaskbarState(root, session.configHome));
        }
    }
    return state;
}

}  // namespace zarnel::linux_fs
