// The desktops' panel settings files: a state holds no bit but auto-hide and always on top,
// and comes only from a text that names a panel; a panel of Plasma (6 on), Xfce or LXQt always
// stays above windows, so its state has that bit; Plasma 5 and 6 find the same panels, and 6
// hides no fewer of them. COSMIC's panel names are plain file names, never a way out of their
// folder. wf-panel-pi's settings come from its [panel] section, one line each, and its
// defaults from the option's own <default>; a panel that hides stays above windows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input.h"
#include "platform/linux/panel_files.h"
#include "platform/platform.h"

namespace {

using namespace zarnel;

// Parts: plasmashellrc, xfce4-panel.xml, lxqt/panel.conf, COSMIC's panel list and one
// panel's autohide and layer, an lxpanel panel file, Plasma's containment list, and
// wf-panel-pi's settings and metadata.
enum Part : std::size_t {
    kPlasmashellrc,
    kXfcePanelXml,
    kLxqtPanelConf,
    kCosmicEntries,
    kCosmicAutohide,
    kCosmicLayer,
    kLxpanelPanel,
    kPlasmaAppletsrc,
    kWfPanelIni,
    kWfPanelMetadata,
    kPartCount
};

constexpr std::uint32_t kKnownBits = app_bar_state::kAutoHide | app_bar_state::kAlwaysOnTop;

void requireKnownBits(const std::optional<std::uint32_t>& state) {
    if (state) fuzz::require((*state & ~kKnownBits) == 0);
}

// A text that names no panel (by `marker`, which every panel's group or property holds)
// gives no state.
void requireNamesPanel(const std::optional<std::uint32_t>& state, std::string_view text,
                       std::string_view marker) {
    if (state) fuzz::require(text.find(marker) != std::string_view::npos);
}

void requireOnTop(const std::optional<std::uint32_t>& state) {
    if (state) fuzz::require((*state & app_bar_state::kAlwaysOnTop) != 0);
}

// One value of wf-panel-pi, from a text that holds its section (or option) and its key; a
// value has no blanks around it, a setting is one line and a default holds no markup.
void requireWfPanelValue(const std::optional<std::string>& value, std::string_view text,
                         std::string_view section, std::string_view key, char never) {
    if (!value) return;
    fuzz::require(text.find(section) != std::string_view::npos &&
                  text.find(key) != std::string_view::npos);
    fuzz::require(value->find(never) == std::string::npos);
    fuzz::require(value->empty() || (value->front() != ' ' && value->back() != ' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), kPartCount);
    const auto plasma5 =
        linux_fs::plasma5PanelState(parts[kPlasmashellrc], parts[kPlasmaAppletsrc]);
    const auto plasma = linux_fs::plasmaPanelState(parts[kPlasmashellrc], parts[kPlasmaAppletsrc]);
    const auto xfce = linux_fs::xfcePanelState(parts[kXfcePanelXml]);
    const auto lxqt = linux_fs::lxqtPanelState(parts[kLxqtPanelConf]);
    const auto lxpanel = linux_fs::lxpanelPanelState(parts[kLxpanelPanel]);
    for (const auto& state : {plasma5, plasma, xfce, lxqt, lxpanel}) requireKnownBits(state);
    for (const auto& state : {plasma, xfce, lxqt}) requireOnTop(state);
    requireNamesPanel(plasma, parts[kPlasmashellrc], "[PlasmaViews][Panel ");
    requireNamesPanel(xfce, parts[kXfcePanelXml], "<property name=\"panel-");
    requireNamesPanel(lxqt, parts[kLxqtPanelConf], "[panel");
    requireNamesPanel(lxpanel, parts[kLxpanelPanel], "Global");
    requireKnownBits(linux_fs::cosmicPanelState(parts[kCosmicAutohide], parts[kCosmicLayer]));
    for (const std::string& name : linux_fs::cosmicPanelNames(parts[kCosmicEntries])) {
        fuzz::require(!name.empty() && name != "." && name != ".." &&
                      name.find_first_of("/\\") == std::string::npos);
    }
    fuzz::require(plasma5.has_value() == plasma.has_value());
    // The shell's containment list only leaves panels out.
    const auto unlisted = linux_fs::plasmaPanelState(parts[kPlasmashellrc], "");
    fuzz::require(plasma.has_value() == unlisted.has_value());
    if (plasma && unlisted) fuzz::require((*plasma & ~*unlisted) == 0);
    if (plasma5 && plasma) fuzz::require((*plasma5 & ~*plasma) == 0);

    const auto autohide = linux_fs::wfPanelSetting(parts[kWfPanelIni], "autohide");
    const auto layer = linux_fs::wfPanelSetting(parts[kWfPanelIni], "layer");
    requireWfPanelValue(autohide, parts[kWfPanelIni], "[panel]", "autohide", '\n');
    requireWfPanelValue(layer, parts[kWfPanelIni], "[panel]", "layer", '\n');
    const auto layerDefault = linux_fs::wfPanelDefault(parts[kWfPanelMetadata], "layer");
    requireWfPanelValue(layerDefault, parts[kWfPanelMetadata], "<option name=\"layer\"",
                        "</default>", '<');
    const std::uint32_t panel =
        linux_fs::wfPanelState(autohide.value_or(""), layer.value_or(layerDefault.value_or("")));
    requireKnownBits(panel);
    if ((panel & app_bar_state::kAutoHide) != 0) requireOnTop(panel);
    return 0;
}
