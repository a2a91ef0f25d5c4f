// The desktops' panel settings files: a state holds no bit but auto-hide and always on top,
// and comes only from a text that names a panel; a panel of Plasma (6 on), Xfce or LXQt always
// stays above windows, so its state has that bit; Plasma 5 and 6 find the same panels, and 6
// hides no fewer of them. COSMIC's panel names are plain file names, never a way out of their
// folder. wf-panel-pi's settings are the last of their [panel] section, whatever other sections
// follow, and a default is its own option's, whatever options follow. tint2's last line of a
// key decides it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input.h"
#include "platform/linux/panel_files.h"
#include "platform/linux/tint2.h"
#include "platform/platform.h"

namespace {

using namespace zarnel;

// Parts: plasmashellrc, xfce4-panel.xml, lxqt/panel.conf, COSMIC's panel list and one
// panel's autohide and layer, an lxpanel panel file, Plasma's containment list, and
// wf-panel-pi's settings and metadata, and tint2's settings.
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
    kTint2rc,
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
    requireNamesPanel(xfce, parts[kXfcePanelXml], "name=\"panel-");
    // A panel group, or the general group's list of panels.
    requireNamesPanel(lxqt, parts[kLxqtPanelConf], "panel");
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

    const std::string ini(parts[kWfPanelIni]);
    const auto autohide = linux_fs::wfPanelSetting(ini, "autohide");
    fuzz::require(linux_fs::wfPanelSetting(ini + "\n[dock]\nautohide=other\n", "autohide") ==
                  autohide);
    fuzz::require(linux_fs::wfPanelSetting(ini + "\n[panel]\nautohide=last\n", "autohide") ==
                  "last");
    const std::string xml(parts[kWfPanelMetadata]);
    const auto layer = linux_fs::wfPanelDefault(xml, "layer");
    fuzz::require(
        linux_fs::wfPanelDefault(xml + "<option name=\"layer_x\"><default>other</default></option>",
                                 "layer") == layer);
    if (layer) fuzz::require(layer->find('<') == std::string::npos);
    requireKnownBits(linux_fs::wfPanelState(autohide.value_or(""), layer));

    const std::string tint2(parts[kTint2rc]);
    requireKnownBits(linux_fs::tint2State(tint2));
    // A panel that hides rises above the windows when summoned; one that shows, only from the
    // top layer.
    fuzz::require(linux_fs::tint2State(tint2 + "\nautohide = 1\n") == kKnownBits);
    fuzz::require((linux_fs::tint2State(tint2 + "\nautohide = 0\npanel_layer = bottom\n") &
                   app_bar_state::kAlwaysOnTop) == 0);
    return 0;
}
