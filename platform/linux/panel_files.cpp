#include "platform/linux/panel_files.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/panel_state.h"
#include "platform/linux/read_file.h"
#include "platform/linux/xfconf.h"
#include "platform/platform.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

using app_bar_state::kAlwaysOnTop;
using app_bar_state::kAutoHide;

// What a comment is: a line that starts with '#' (KConfig, QSettings), or the rest of a line
// from any '#' no backslash escapes, an escaped one being the character itself (wf-panel-pi's
// settings).
enum class Comments { WholeLine, Inline };

// The line without its comment, and an escaped '#' unescaped.
std::string withoutInlineComment(std::string_view line) {
    std::string kept;
    for (const char c : line) {
        if (c == '#') {
            if (!kept.ends_with('\\')) break;
            kept.pop_back();
        }
        kept += c;
    }
    return kept;
}

// Every key of an INI-style text with the group it stands in: "[a][b]" is the group "a][b".
void forEachKey(std::string_view text,
                const std::function<void(std::string_view group, std::string_view key,
                                         std::string_view value)>& visit,
                Comments comments = Comments::WholeLine) {
    std::string group;
    while (!text.empty()) {
        const std::string_view raw = takeLine(text);
        const std::string uncommented =
            comments == Comments::Inline ? withoutInlineComment(raw) : std::string(raw);
        const std::string_view line = trimmed(uncommented);
        if (line.starts_with('[') && line.ends_with(']')) {
            group = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || line.starts_with('#')) continue;
        visit(group, trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)));
    }
}

std::optional<std::uint32_t> combined(const std::map<std::string, std::uint32_t>& panels) {
    if (panels.empty()) return std::nullopt;
    std::uint32_t state = 0;
    for (const auto& [name, bits] : panels) state |= bits;
    return state;
}

// Plasma's PanelView::VisibilityMode; the third mode changed meaning with Plasma 6.
enum PlasmaVisibility : std::uint32_t { kNormalPanel, kPlasmaAutoHide, kThirdMode };
enum class ThirdMode { LetWindowsCover, DodgeWindows };
constexpr std::string_view kPlasmaViews = "PlasmaViews][";
constexpr std::string_view kPlasmaPanel = "Panel ";
// The groups of one screen size below a panel's ("][Horizontal1920"); its defaults' group
// ("][Defaults") never holds its visibility.
constexpr std::string_view kHorizontalGroup = "][Horizontal";
constexpr std::string_view kVerticalGroup = "][Vertical";

std::uint32_t plasmaBits(std::string_view visibility, ThirdMode third) {
    switch (wholeNumber<std::uint32_t>(visibility).value_or(kNormalPanel)) {
        case kPlasmaAutoHide:
            return kAutoHide | kAlwaysOnTop;
        case kThirdMode:
            // A dodging panel slides away while a window overlaps it and shows above them.
            return third == ThirdMode::DodgeWindows ? kAutoHide | kAlwaysOnTop : 0;
        default:
            return kAlwaysOnTop;  // windows go below or keep clear of it
    }
}

// A panel's visibility as Plasma reads it: from the panel's own group, else (as Plasma 5.8
// and earlier kept it) from a group of one screen size below it.
struct PlasmaPanelVisibility {
    std::optional<std::uint32_t> own;
    std::optional<std::uint32_t> perScreenSize;
    bool listed = false;  // among the shell's containments
};

constexpr std::string_view kContainments = "Containments][";
// The shell Plasma runs unless plasmashellrc names another (Plasma Mobile's, Bigscreen's).
constexpr std::string_view kDesktopShell = "org.kde.plasma.desktop";

// The ids of the containments (desktops, panels, trays) appletsrc lists; none for a text that
// lists none, which then tells nothing of which panels are there.
std::set<std::string, std::less<>> containmentIds(std::string_view appletsrc) {
    std::set<std::string, std::less<>> ids;
    forEachKey(appletsrc, [&ids](std::string_view group, std::string_view /*key*/,
                                 std::string_view /*value*/) {
        if (!group.starts_with(kContainments)) return;
        group.remove_prefix(kContainments.size());
        if (wholeNumber<unsigned>(group)) ids.emplace(group);
    });
    return ids;
}

std::optional<std::uint32_t> plasmaState(std::string_view plasmashellrc, std::string_view appletsrc,
                                         ThirdMode third) {
    const auto listed = containmentIds(appletsrc);
    std::map<std::string, PlasmaPanelVisibility> panels;
    forEachKey(
        plasmashellrc, [&panels, &listed, third](std::string_view group, std::string_view key,
                                                 std::string_view value) {
            if (!group.starts_with(kPlasmaViews)) return;
            group.remove_prefix(kPlasmaViews.size());
            const auto end = group.find(']');
            const std::string panel(group.substr(0, end));
            if (!panel.starts_with(kPlasmaPanel)) return;
            PlasmaPanelVisibility& visibility = panels[panel];
            visibility.listed = listed.contains(panel.substr(kPlasmaPanel.size()));
            if (key != "panelVisibility") return;
            if (end == std::string_view::npos) {
                visibility.own = plasmaBits(value, third);
            } else if (const std::string_view below = group.substr(end);
                       below.starts_with(kHorizontalGroup) || below.starts_with(kVerticalGroup)) {
                visibility.perScreenSize = plasmaBits(value, third);
            }
        });
    // A list that names none of the panels is another shell's, or a stale one: it tells nothing.
    const bool anyListed =
        std::ranges::any_of(panels, [](const auto& panel) { return panel.second.listed; });
    std::map<std::string, std::uint32_t> states;
    for (const auto& [panel, visibility] : panels) {
        if (anyListed && !visibility.listed) continue;
        states[panel] = visibility.own.value_or(visibility.perScreenSize.value_or(kAlwaysOnTop));
    }
    return combined(states);
}

constexpr std::string_view kXfcePanelList = "panels";
constexpr std::string_view kXfcePanel = "panel-";
constexpr std::string_view kXfcePluginList = "plugins";
constexpr std::string_view kXfcePlugin = "plugin-";
// The plugins that list the windows: Xfce's own, and the dock-like one many put in its place.
constexpr std::array<std::string_view, 2> kXfceWindowLists = {"tasklist", "docklike"};

struct XfcePanel {
    bool hides = false;
    std::vector<std::string> pluginIds;
};

// A panel's property: "panel-N" at the top of the channel or in its list of panels.
bool isXfcePanel(std::span<const std::string> path) {
    return path.back().starts_with(kXfcePanel) &&
           (path.size() == 1 || (path.size() == 2 && path.front() == kXfcePanelList));
}

constexpr std::string_view kLxqtPanel = "panel";
constexpr std::string_view kLxqtGeneral = "General";
constexpr std::string_view kLxqtPanelList = "panels";
constexpr char kEscape = '%';
constexpr std::size_t kEscapedDigits = 2;
constexpr int kHexBase = 16;

// A group's name as its program wrote it: the settings file escapes a byte outside letters,
// digits and "_-." as '%' and two hex digits (the braces of "panel_{…}").
std::string unescapedGroup(std::string_view group) {
    std::string name;
    for (std::size_t i = 0; i < group.size(); ++i) {
        const auto byte = group[i] == kEscape ? wholeNumber<unsigned char>(
                                                    group.substr(i + 1, kEscapedDigits), kHexBase)
                                              : std::nullopt;
        if (byte && i + kEscapedDigits < group.size()) {
            name += static_cast<char>(*byte);
            i += kEscapedDigits;
        } else {
            name += group[i];
        }
    }
    return name;
}

// A list value of the settings file: items split by commas, each maybe in double quotes.
std::vector<std::string> settingsList(std::string_view value) {
    std::vector<std::string> items;
    for (std::string_view item : separatedItems(value, ',')) {
        item = trimmed(item);
        if (item.size() >= 2 && item.front() == '"' && item.back() == '"') {
            item = item.substr(1, item.size() - 2);
        }
        if (!item.empty()) items.emplace_back(item);
    }
    return items;
}

constexpr std::string_view kLxpanelGlobal = "Global";

// lxpanel writes its names in lower case and its switches as 1 and 0; releases before 0.7
// read names without regard to case and switches also as true and false.
bool lxpanelSwitch(std::string_view value) {
    return sameIgnoringCase(value, "true") || wholeNumber<long long>(value).value_or(0) != 0;
}

}  // namespace

std::optional<std::uint32_t> plasma5PanelState(std::string_view plasmashellrc,
                                               std::string_view appletsrc) {
    return plasmaState(plasmashellrc, appletsrc, ThirdMode::LetWindowsCover);
}

std::optional<std::uint32_t> plasmaPanelState(std::string_view plasmashellrc,
                                              std::string_view appletsrc) {
    return plasmaState(plasmashellrc, appletsrc, ThirdMode::DodgeWindows);
}

std::optional<std::string> plasmaAppletsFile(std::string_view plasmashellrc) {
    std::string shell(kDesktopShell);
    forEachKey(plasmashellrc,
               [&shell](std::string_view group, std::string_view key, std::string_view value) {
                   if (group == "Shell" && key == "ShellPackage") shell = value;
               });
    if (!isPlainFileName(shell)) return std::nullopt;
    return "plasma-" + shell + "-appletsrc";
}

std::optional<std::uint32_t> xfcePanelState(std::string_view channelXml) {
    std::map<std::string, XfcePanel> panels;
    std::map<std::string, std::string, std::less<>> pluginKinds;  // by plugin id
    for (const XfconfProperty& property : xfconfProperties(channelXml)) {
        const std::vector<std::string>& path = property.path;
        if (isXfcePanel(path)) panels.try_emplace(path.back());
        if (path.size() < 2) continue;
        const std::string& owner = path[path.size() - 2];
        const std::string& name = path.back();
        if (isXfcePanel(std::span(path).first(path.size() - 1))) {
            // 0 never hides, 1 hides when a window overlaps, 2 always hides.
            if (name == "autohide-behavior") {
                panels[owner].hides = wholeNumber<std::uint32_t>(property.value).value_or(0) != 0;
            }
            if (name == "plugin-ids") panels[owner].pluginIds = property.items;
        } else if (owner == kXfcePluginList && name.starts_with(kXfcePlugin)) {
            pluginKinds[name.substr(kXfcePlugin.size())] = property.value;
        }
    }
    if (panels.empty()) return std::nullopt;
    // The taskbar is the panel that lists the windows: the stock layout's launcher dock hides,
    // the panel with the windows does not. Without a window list every panel counts.
    const auto listsWindows = [&pluginKinds](const XfcePanel& panel) {
        return std::ranges::any_of(panel.pluginIds, [&pluginKinds](const std::string& id) {
            const auto kind = pluginKinds.find(id);
            return kind != pluginKinds.end() &&
                   std::ranges::find(kXfceWindowLists, kind->second) != kXfceWindowLists.end();
        });
    };
    const bool anyListsWindows =
        std::ranges::any_of(panels, [&](const auto& panel) { return listsWindows(panel.second); });
    std::uint32_t state = kAlwaysOnTop;
    for (const auto& [name, panel] : panels) {
        if (panel.hides && (!anyListsWindows || listsWindows(panel))) state |= kAutoHide;
    }
    return state;
}

std::optional<std::uint32_t> lxqtPanelState(std::string_view panelConf) {
    // The panels are those the general group lists: "panel1" and the "panel_{…}" that adding
    // one names; a file without the list has the numbered ones.
    std::optional<std::vector<std::string>> listed;
    std::map<std::string, std::uint32_t> groups;
    forEachKey(panelConf, [&listed, &groups](std::string_view group, std::string_view key,
                                             std::string_view value) {
        if (group == kLxqtGeneral) {
            if (key == kLxqtPanelList) listed = settingsList(value);
            return;
        }
        auto [entry, added] = groups.try_emplace(unescapedGroup(group), kAlwaysOnTop);
        // "hide-on-overlap" only narrows when a hidable panel hides.
        if (key == "hidable" && value == "true") entry->second |= kAutoHide;
    });
    std::map<std::string, std::uint32_t> panels;
    if (listed) {
        for (const std::string& name : *listed) {
            const auto group = groups.find(name);
            panels[name] = group != groups.end() ? group->second : kAlwaysOnTop;
        }
    } else {
        for (const auto& [name, bits] : groups) {
            if (name.starts_with(kLxqtPanel) &&
                wholeNumber<unsigned>(std::string_view(name).substr(kLxqtPanel.size()))) {
                panels[name] = bits;
            }
        }
    }
    return combined(panels);
}

std::optional<std::uint32_t> lxpanelPanelState(std::string_view panel) {
    // lxpanel takes the first block for the panel's own and refuses the panel when that is not
    // Global; '#' starts a comment where a name would, and '}' closes a block wherever a line
    // starts with it.
    std::size_t depth = 0;
    bool firstBlockSeen = false;
    bool inGlobal = false;
    bool hides = false;
    bool dock = true;
    while (!panel.empty()) {
        const std::string_view line = trimmed(takeLine(panel));
        if (line.starts_with('#')) continue;
        if (line.starts_with('}')) {
            if (depth > 0) --depth;
            if (depth == 0) inGlobal = false;
            continue;
        }
        const auto equals = line.find('=');
        const auto brace = line.find('{');
        if (brace != std::string_view::npos && brace < equals) {
            if (depth == 0 && !firstBlockSeen) {
                firstBlockSeen = true;
                if (trimmed(line.substr(0, brace)) != kLxpanelGlobal) return std::nullopt;
                inGlobal = true;
            }
            ++depth;
            continue;
        }
        if (!inGlobal || depth != 1 || equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (sameIgnoringCase(key, "autohide")) hides = lxpanelSwitch(value);
        if (sameIgnoringCase(key, "setdocktype")) dock = lxpanelSwitch(value);
    }
    if (!firstBlockSeen) return std::nullopt;
    return (hides ? kAutoHide : 0) | (dock ? kAlwaysOnTop : 0);
}

std::vector<std::string> cosmicPanelNames(std::string_view entries) {
    std::vector<std::string> names = quotedItems(entries, '"');
    // Each name becomes part of a path.
    std::erase_if(names, [](const std::string& name) { return !isPlainFileName(name); });
    return names;
}

std::uint32_t cosmicPanelState(std::optional<std::string_view> autohide,
                               std::optional<std::string_view> layer) {
    std::uint32_t state = 0;
    if (autohide) {
        const std::string_view value = trimmed(*autohide);
        if (value.starts_with("Some(") || value == "OnOverlap" || value == "Always") {
            state |= kAutoHide;
        }
    }
    const std::string_view level = layer ? trimmed(*layer) : "Top";
    if (level == "Top" || level == "Overlay") state |= kAlwaysOnTop;
    return state;
}

std::optional<std::string> wfPanelSetting(std::string_view ini, std::string_view key) {
    std::optional<std::string> found;
    forEachKey(
        ini,
        [&found, key](std::string_view group, std::string_view name, std::string_view value) {
            if (group == "panel" && name == key) found = std::string(value);
        },
        Comments::Inline);
    return found;
}

std::optional<std::string> wfPanelDefault(std::string_view xml, std::string_view name) {
    constexpr std::string_view kOptionStart = "<option";
    constexpr std::string_view kOptionEnd = "</option>";
    constexpr std::string_view kDefault = "<default>";
    constexpr std::string_view kDefaultEnd = "</default>";
    const std::string start = "<option name=\"" + std::string(name) + "\"";
    const auto option = xml.find(start);
    if (option == std::string_view::npos) return std::nullopt;
    std::string_view body = xml.substr(option + start.size());
    // An option without a body ends where the next one starts.
    body = body.substr(0, std::min(body.find(kOptionEnd), body.find(kOptionStart)));
    const auto value = body.find(kDefault);
    if (value == std::string_view::npos) return std::nullopt;
    body = body.substr(value + kDefault.size());
    const auto end = body.find(kDefaultEnd);
    // A value is text: markup inside it is a broken file, which gives the panel no defaults.
    if (end == std::string_view::npos || body.substr(0, end).find('<') != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(trimmed(body.substr(0, end)));
}

std::optional<std::string> wfLayeredSetting(
    std::span<const std::optional<std::string>> settingsFiles,
    std::span<const std::string> metadata, std::string_view key,
    const std::function<bool(std::string_view)>& valid) {
    const auto taken = [&valid](const std::optional<std::string>& value) {
        return value && (!valid || valid(*value));
    };
    for (const std::optional<std::string>& settings : settingsFiles) {
        if (!settings) continue;
        if (auto value = wfPanelSetting(*settings, key); taken(value)) return value;
    }
    for (const std::string& xml : metadata) {
        if (auto value = wfPanelDefault(xml, key); taken(value)) return value;
    }
    return std::nullopt;
}

std::uint32_t wfPanelState(std::string_view autohide, std::optional<std::string_view> layer) {
    const bool hides =
        sameIgnoringCase(autohide, "true") || autohide == "1" || sameIgnoringCase(autohide, "yes");
    // A panel whose settings and metadata name no layer is in the bottom one.
    const std::string_view level = layer.value_or("bottom");
    const bool below = level == "bottom" || level == "background";
    return panelState(hides, !below);
}

}  // namespace zarnel::linux_fs
