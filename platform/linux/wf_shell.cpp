#include "platform/linux/wf_shell.h"

#include <array>
#include <functional>
#include <string>

#include "platform/linux/panel_files.h"
#include "platform/linux/read_file.h"
#include "platform/platform.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

using app_bar_state::kAlwaysOnTop;
using app_bar_state::kAutoHide;

constexpr std::string_view kUserFile = "wf-shell.ini";
constexpr std::string_view kMachineFile = "/etc/wayfire/wf-shell-defaults.ini";
constexpr std::string_view kMetadataFile = "/usr/share/wayfire/metadata/wf-shell/panel.xml";
// The panel's own defaults, where nothing installed gives one.
constexpr bool kDefaultAutohide = false;
constexpr std::string_view kDefaultLayer = "top";
constexpr std::array<std::string_view, 2> kLayersBelowWindows = {"bottom", "background"};

std::optional<std::string> machineFile(const std::filesystem::path& root, std::string_view file) {
    return readFile(root, std::filesystem::path(file).relative_path(), FinalLink::Follow);
}

}  // namespace

std::optional<bool> wfConfigBoolean(std::string_view text) {
    if (sameIgnoringCase(text, "true") || text == "1") return true;
    if (sameIgnoringCase(text, "false") || text == "0") return false;
    return std::nullopt;
}

std::uint32_t wfShellPanelState(bool autohide, std::string_view layer) {
    bool below = false;
    for (const std::string_view name : kLayersBelowWindows) below = below || layer == name;
    return (autohide ? kAutoHide : 0) | (below ? 0 : kAlwaysOnTop);
}

std::uint32_t wfShellTaskbarState(const std::filesystem::path& root,
                                  const std::filesystem::path& configHome) {
    const auto user = readFile(root, (configHome / kUserFile).relative_path(), FinalLink::Follow);
    const auto machine = machineFile(root, kMachineFile);
    const auto metadata = machineFile(root, kMetadataFile);
    // The first value of `key` that `valid` takes, down the layers of settings.
    const auto setting =
        [&](std::string_view key,
            const std::function<bool(std::string_view)>& valid) -> std::optional<std::string> {
        for (const auto* ini : {&user, &machine}) {
            if (!*ini) continue;
            if (auto value = wfPanelSetting(**ini, key); value && valid(*value)) return value;
        }
        if (!metadata) return std::nullopt;
        auto value = wfPanelDefault(*metadata, key);
        return value && valid(*value) ? value : std::nullopt;
    };
    const auto autohide = setting(
        "autohide", [](std::string_view value) { return wfConfigBoolean(value).has_value(); });
    const auto layer = setting("layer", [](std::string_view) { return true; });
    return wfShellPanelState(autohide ? *wfConfigBoolean(*autohide) : kDefaultAutohide,
                             layer.value_or(std::string(kDefaultLayer)));
}

}  // namespace zarnel::linux_fs
