// The panel settings files of the desktops that keep them as text: the taskbar bits
// (1 auto-hide, 2 always on top) they give, combined over their panels (on Xfce, over those that
// list the windows where one does); nothing for a text that describes no panel.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

// plasmashellrc: `panelVisibility` of each [PlasmaViews][Panel N] group. The value 2 is
// "windows can cover" in Plasma 5 and "dodge windows" from Plasma 6 on. A group is left
// behind when a theme's layout replaces the panels: where `appletsrc`, the shell's list of its
// containments ([Containments][N]), lists some of the groups' panels, only those count; an
// empty text, or one that lists none of them, tells nothing.
std::optional<std::uint32_t> plasma5PanelState(std::string_view plasmashellrc,
                                               std::string_view appletsrc);
std::optional<std::uint32_t> plasmaPanelState(std::string_view plasmashellrc,
                                              std::string_view appletsrc);
// The file the shell of plasmashellrc keeps its containments in: "plasma-<shell>-appletsrc",
// its [Shell] ShellPackage or the desktop shell's; nothing for a name that is no file name.
std::optional<std::string> plasmaAppletsFile(std::string_view plasmashellrc);

// xfconf's xfce4-panel.xml: `autohide-behavior` of each panel that holds a window list (its
// `plugin-ids` among the `plugins`), or of every panel where none does.
std::optional<std::uint32_t> xfcePanelState(std::string_view channelXml);

// lxqt/panel.conf: `hidable` of each panel its [General] `panels` lists (a listed panel without
// a group of its own is a normal one), or of each [panelN] group where there is no list.
std::optional<std::uint32_t> lxqtPanelState(std::string_view panelConf);

// One panel file of lxpanel (LXDE's panel): a `Global { ... }` block of key=value lines, then
// its plugins' blocks. `autohide` hides it; `setdocktype` (on unless set to 0) makes it a dock,
// which the window manager keeps above windows. Nothing for a file without the block.
std::optional<std::uint32_t> lxpanelPanelState(std::string_view panel);

// COSMIC keeps each setting in a file of its own, in RON. Its panels by name, from
// com.system76.CosmicPanel/v1/entries (["Panel", "Dock"]); names that are no plain file name
// are left out.
std::vector<std::string> cosmicPanelNames(std::string_view entries);
// One panel's bits from its `autohide` (None; Some((...)) in earlier releases, OnOverlap or
// Always in later ones) and its `layer` (Top, Overlay, Bottom, Background), nothing for a
// setting it has no file for: the panel then has COSMIC's own default, no hiding and the top
// layer.
std::uint32_t cosmicPanelState(std::optional<std::string_view> autohide,
                               std::optional<std::string_view> layer);

// wf-panel-pi (Raspberry Pi OS's panel on Wayland): the last value of `key` in the [panel]
// section of a settings file, where '#' starts a comment unless a '\' escapes it.
std::optional<std::string> wfPanelSetting(std::string_view ini, std::string_view key);
// The <default> of option `name` in a metadata file of the panel.
std::optional<std::string> wfPanelDefault(std::string_view xml, std::string_view name);
// The first value of `key` down a wf-config panel's layers of settings: the [panel] section of
// each settings file given, most important first, then the <default> of each metadata file. A
// value `valid` refuses counts as unset, as the panel's settings library takes it.
std::optional<std::string> wfLayeredSetting(
    std::span<const std::optional<std::string>> settingsFiles,
    std::span<const std::string> metadata, std::string_view key,
    const std::function<bool(std::string_view)>& valid = {});

// The panel's bits by its `autohide` (true, 1 or yes, in any case) and its `layer`, nothing
// when nothing names one. The panel's latest releases raise a hiding panel to the top layer;
// in the bottom or background layer windows may cover it.
std::uint32_t wfPanelState(std::string_view autohide, std::optional<std::string_view> layer);

}  // namespace zarnel::linux_fs
