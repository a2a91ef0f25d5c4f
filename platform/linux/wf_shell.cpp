#include "platform/linux/wf_shell.h"

#include <array>
#include <string>
#include <vector>

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
    const std::array<std::optional<std::string>, 2> settingsFiles = {
        readSettingsFile(root, configHome / kUserFile), readSettingsFile(root, kMachineFile)};
    std::vector<std::string> metadata;
    if (auto text = readSettingsFile(root, kMetadataFile)) metadata.push_back(std::move(*text));
    const auto autohide =
        wfLayeredSetting(settingsFiles, metadata, "autohide",
                         [](std::string_view value) { return wfConfigBoolean(value).has_value(); });
    const auto layer = wfLayeredSetting(settingsFiles, metadata, "layer");
    return wfShellPanelState(autohide ? *wfConfigBoolean(*autohide) : kDefaultAutohide,
                             layer.value_or(std::string(kDefaultLayer)));
}

}  // namespace zarnel::linux_fs
