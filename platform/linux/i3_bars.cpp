#include "platform/linux/i3_bars.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/linux/sway_files.h"
#include "platform/linux/wayland_bars.h"

namespace zarnel::linux_fs {
namespace {

// i3 starts each bar's program with "--bar_id=ID"; "-b ID" and "--bar_id ID" are the same.
constexpr std::string_view kBarIdJoined = "--bar_id=";
constexpr std::array<std::string_view, 2> kBarIdOptions = {"-b", "--bar_id"};

std::optional<std::string> barId(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument.starts_with(kBarIdJoined))
            return std::string(argument.substr(kBarIdJoined.size()));
        const bool option = argument == kBarIdOptions[0] || argument == kBarIdOptions[1];
        if (option && i + 1 < arguments.size()) return arguments[i + 1];
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> i3BarsState(const std::filesystem::path& root,
                                         const I3Session& session,
                                         std::span<const RunningProgram> running) {
    const auto isI3bar = [](const RunningProgram& program) { return program.name == kI3bar; };
    if (std::ranges::none_of(running, isI3bar)) return std::nullopt;
    const std::vector<SwayBar> bars =
        i3Bars(root, session.configHome, session.home, session.configDirs);
    std::optional<std::uint32_t> state;
    for (const RunningProgram& program : running) {
        if (!isI3bar(program)) continue;
        const auto id = barId(program.arguments);
        for (const SwayBar& bar : bars) {
            if (id && bar.id == *id) state = state.value_or(0) | swaybarState(bar);
        }
    }
    return state;
}

}  // namespace zarnel::linux_fs
