#include "platform/linux/desktop_session.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
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

struct DesktopName {
    std::string_view name;
    Desktop desktop;
};

// Budgie names GNOME after itself ("Budgie:GNOME") but draws panels of its own, which GNOME's
// dock settings do not describe: its own settings tell, as Unity's do (it names Ubuntu's
// session after itself). GNOME Flashback's windows tell. GNOME Classic runs the shell with no
// dock of its own session's, and so does Zorin OS's, whose taskbar and dock its desktop name
// enables as the user's extensions.
constexpr std::array<DesktopName, 17> kDesktopNames = {{{"GNOME", Desktop::Gnome},
                                                        {"GNOME-Classic", Desktop::Gnome},
                                                        {"zorin", Desktop::Gnome},
                                                        {"GNOME-Flashback", Desktop::Other},
                                                        {"ubuntu", Desktop::GnomeSession},
                                                        {"Budgie", Desktop::Budgie},
                                                        {"Unity", Desktop::Unity},
                                                        {"KDE", Desktop::Plasma},
                                                        {"XFCE", Desktop::Xfce},
                                                        {"MATE", Desktop::Mate},
                                                        {"X-Cinnamon", Desktop::Cinnamon},
                                                        {"Cinnamon", Desktop::Cinnamon},
                                                        {"LXQt", Desktop::Lxqt},
                                                        {"COSMIC", Desktop::Cosmic},
                                                        {"LXDE", Desktop::Lxde},
                                                        {"Pantheon", Desktop::Pantheon},
                                                        {"Deepin", Desktop::Deepin}}};

constexpr std::string_view kTrue = "true";

// The items of a GVariant string array in text form: "['1:false', '2:intel']".
std::vector<std::string> stringItems(std::string_view array) {
    return quotedItems(array, '\'');
}

constexpr std::string_view kShell = "org.gnome.shell";
constexpr std::string_view kShellPath = "/org/gnome/shell/";
// The dock extensions a distribution's session starts by itself (Ubuntu's, and Pop!_OS's in
// its place there), which keep their settings under dash-to-dock's schema.
constexpr std::array<std::string_view, 2> kSessionDocks = {"ubuntu-dock@ubuntu.com",
                                                           "cosmic-dock@system76.com"};

// A GNOME Shell extension and where its settings are.
struct ShellExtension {
    std::string_view uuid;
    std::string_view schema;
    std::string_view path;
};

// The docks read by dash-to-dock's keys: its own, which a user enables (and whose settings
// the distributions' session docks share), and Zorin OS's.
constexpr ShellExtension kDashToDock = {"dash-to-dock@micxgx.gmail.com",
                                        "org.gnome.shell.extensions.dash-to-dock",
                                        "/org/gnome/shell/extensions/dash-to-dock/"};
constexpr ShellExtension kZorinDash = {"zorin-dash@zorinos.com",
                                       "org.gnome.shell.extensions.zorin-dash",
                                       "/org/gnome/shell/extensions/zorin-dash/"};
// The taskbars that take the top bar's place: dash-to-panel, and Zorin OS's fork of it.
constexpr std::array<ShellExtension, 2> kTaskbarExtensions = {{
    {"dash-to-panel@jderose9.github.com", "org.gnome.shell.extensions.dash-to-panel",
     "/org/gnome/shell/extensions/dash-to-panel/"},
    {"zorin-taskbar@zorinos.com", "org.gnome.shell.extensions.zorin-taskbar",
     "/org/gnome/shell/extensions/zorin-taskbar/"},
}};

// Hides the top bar itself: always, or when a window meets it.
constexpr std::string_view kHideTopBar = "hidetopbar@mathieu.bidon.ca";

bool listed(const std::vector<std::string>& items, std::string_view item) {
    return std::ranges::find(items, item) != items.end();
}

// The shell's extension settings: which the user enabled and disabled, and whether user
// extensions run at all. Nothing when the shell's schema is missing.
struct ShellExtensions {
    std::vector<std::string> enabled;
    std::vector<std::string> disabled;
    bool userExtensions = true;

    // Whether the user enabled `uuid` and it runs.
    bool runs(std::string_view uuid) const {
        return userExtensions && listed(enabled, uuid) && !listed(disabled, uuid);
    }
};

std::optional<ShellExtensions> shellExtensions(const DesktopSettings& settings) {
    const auto setting = [&settings](std::string_view key) {
        return settings.value(kShell, kShellPath, key);
    };
    const auto enabled = setting("enabled-extensions");
    if (!enabled) return std::nullopt;
    return ShellExtensions{.enabled = stringItems(*enabled),
                           .disabled = stringItems(setting("disabled-extensions").value_or("")),
                           .userExtensions = setting("disable-user-extensions") != kTrue};
}

// Whether GNOME Shell runs a dock: on a plain GNOME session only one the user enabled; on a
// distribution's session also its own, unless the user disabled it. Installed and switched
// off, a dock's settings still read as a hiding dock. A shell whose schema is missing is
// taken at its dock settings' word.
bool gnomeRunsDock(const std::optional<ShellExtensions>& extensions, Desktop desktop) {
    if (!extensions) return true;
    if (extensions->runs(kDashToDock.uuid)) return true;
    return desktop == Desktop::GnomeSession &&
           std::ranges::none_of(kSessionDocks, [&extensions](std::string_view dock) {
               return listed(extensions->disabled, dock);
           });
}

// Where GNOME Shell keeps extensions below each data folder.
constexpr std::string_view kExtensionsFolder = "gnome-shell/extensions";

// Where the shell finds extension `uuid`'s folder, below the root: the user's data folder
// first, then the machine's.
std::vector<std::filesystem::path> extensionFolders(
    std::span<const std::filesystem::path> dataFolders, std::string_view uuid) {
    std::vector<std::filesystem::path> folders;
    for (const std::filesystem::path& data : dataFolders) {
        folders.push_back((data / kExtensionsFolder / uuid).relative_path());
    }
    return folders;
}

// The settings with the schema of extension `uuid` as its user installed it: the extension
// keeps its compiled schema in its own folder, which only GNOME Shell reads, and the user's
// copy comes before the machine's. Nothing when no copy keeps one.
std::unique_ptr<DesktopSettings> extensionSettings(
    const DesktopSettings& settings, const std::filesystem::path& root,
    std::span<const std::filesystem::path> dataFolders, std::string_view uuid) {
    for (const std::filesystem::path& folder : extensionFolders(dataFolders, uuid)) {
        const std::filesystem::path schemas = folder / "schemas";
        if (opensAsFile(root, schemas / "gschemas.compiled", FinalLink::Follow)) {
            return settings.withSchemasFrom(root / schemas);
        }
    }
    return nullptr;
}

// Whether extension `uuid` is installed: the shell runs none without its description, however
// its settings list it (they keep one that was removed).
bool extensionInstalled(const std::filesystem::path& root,
                        std::span<const std::filesystem::path> dataFolders, std::string_view uuid) {
    return std::ranges::any_of(extensionFolders(dataFolders, uuid), [&root](const auto& folder) {
        return opensAsFile(root, folder / "metadata.json", FinalLink::Follow);
    });
}

// One key of an extension's schema: from the machine's schemas when they hold it (a
// distribution's package), else from the extension's own folder.
std::optional<std::string> extensionValue(const DesktopSettings& settings,
                                          const std::filesystem::path& root,
                                          std::span<const std::filesystem::path> dataFolders,
                                          const ShellExtension& extension, std::string_view key) {
    if (auto value = settings.value(extension.schema, extension.path, key)) return value;
    const std::unique_ptr<DesktopSettings> own =
        extensionSettings(settings, root, dataFolders, extension.uuid);
    return own ? own->value(extension.schema, extension.path, key) : std::nullopt;
}

// Whether a dock hides by its settings: unless it is fixed, either always or when a window
// meets it. Pop!_OS's dock switched off (manualhide) is shown in the overview only, never on
// the desktop; a dock with no settings is none.
bool dockHides(const DesktopSettings& settings, const std::filesystem::path& root,
               std::span<const std::filesystem::path> dataFolders, const ShellExtension& dock) {
    const std::unique_ptr<DesktopSettings> own =
        settings.value(dock.schema, dock.path, "dock-fixed")
            ? nullptr
            : extensionSettings(settings, root, dataFolders, dock.uuid);
    const DesktopSettings& source = own ? *own : settings;
    const auto flag = [&source, &dock](std::string_view key) {
        return source.value(dock.schema, dock.path, key);
    };
    const auto fixed = flag("dock-fixed");
    if (!fixed || *fixed == kTrue || flag("manualhide") == kTrue) return false;
    return flag("autohide") == kTrue || flag("intellihide") == kTrue;
}

// The top bar stays on top and never hides, unless an extension hides it, or a taskbar
// extension took its place and hides on the primary screen when a window meets it (hiding on
// the other screens only does not count). A dock hides by its own settings while the shell
// runs it.
std::uint32_t gnomeState(const DesktopSettings& settings, Desktop desktop,
                         const std::filesystem::path& root,
                         std::span<const std::filesystem::path> dataFolders) {
    const std::optional<ShellExtensions> extensions = shellExtensions(settings);
    const auto runs = [&extensions](const ShellExtension& extension) {
        return extensions && extensions->runs(extension.uuid);
    };
    const bool taskbarHides =
        std::ranges::any_of(kTaskbarExtensions, [&](const ShellExtension& taskbar) {
            const auto value = [&](std::string_view key) {
                return extensionValue(settings, root, dataFolders, taskbar, key);
            };
            return runs(taskbar) && value("intellihide") == kTrue &&
                   value("intellihide-only-secondary") != kTrue;
        });
    const bool docksHide = (gnomeRunsDock(extensions, desktop) &&
                            dockHides(settings, root, dataFolders, kDashToDock)) ||
                           (runs(kZorinDash) && dockHides(settings, root, dataFolders, kZorinDash));
    const bool topBarHides = extensions && extensions->runs(kHideTopBar) &&
                             extensionInstalled(root, dataFolders, kHideTopBar);
    return kAlwaysOnTop | (topBarHides || taskbarHides || docksHide ? kAutoHide : 0);
}

// Panels kept as GSettings does for MATE and Budgie: a list of ids under the desktop's own
// schema, and each panel in a relocatable schema at a path made from its id.
struct ListedPanels {
    std::string_view schema;
    std::string_view path;
    std::string_view idsKey;
    std::string_view panelSchema;
    std::string_view pathBeforeId;
    std::string_view pathAfterId;
    std::string_view hideKey;
    bool (*hides)(std::string_view value);
};

// Every listed panel stays on top; nothing when the list is not kept.
std::optional<std::uint32_t> listedPanelsState(const DesktopSettings& settings,
                                               const ListedPanels& panels) {
    const auto ids = settings.value(panels.schema, panels.path, panels.idsKey);
    if (!ids) return std::nullopt;
    std::uint32_t state = kAlwaysOnTop;
    for (const std::string& id : stringItems(*ids)) {
        const std::string path =
            std::string(panels.pathBeforeId) + id + std::string(panels.pathAfterId);
        const auto value = settings.value(panels.panelSchema, path, panels.hideKey);
        if (value && panels.hides(*value)) state |= kAutoHide;
    }
    return state;
}

// MATE's panels ("top", "bottom") hide when their auto-hide is set.
constexpr ListedPanels kMatePanels = {
    .schema = "org.mate.panel",
    .path = "/org/mate/panel/",
    .idsKey = "toplevel-id-list",
    .panelSchema = "org.mate.panel.toplevel",
    .pathBeforeId = "/org/mate/panel/toplevels/",
    .pathAfterId = "/",
    .hideKey = "auto-hide",
    .hides = [](std::string_view value) { return value == kTrue; }};

// Budgie's panels are under their ids in braces; the autohide policy is 'none', 'automatic'
// or 'intelligent' (when a window meets the panel).
constexpr ListedPanels kBudgiePanels = {
    .schema = "com.solus-project.budgie-panel",
    .path = "/com/solus-project/budgie-panel/",
    .idsKey = "panels",
    .panelSchema = "com.solus-project.budgie-panel.panel",
    .pathBeforeId = "/com/solus-project/budgie-panel/panels/{",
    .pathAfterId = "}/",
    .hideKey = "autohide",
    .hides = [](std::string_view value) { return value != "'none'"; }};

// The panel id an item of Cinnamon's panel lists starts with ("1:0:bottom", "1:intel").
std::string_view cinnamonPanelId(std::string_view item) {
    return item.substr(0, item.find(':'));
}

// panels-autohide holds "panel id:mode" with the modes true, false and intel (hide when a
// window overlaps). Removing a panel leaves its mode there: only the enabled panels count.
std::optional<std::uint32_t> cinnamonState(const DesktopSettings& settings) {
    const auto modes = settings.value("org.cinnamon", "/org/cinnamon/", "panels-autohide");
    if (!modes) return std::nullopt;
    const auto enabled = settings.value("org.cinnamon", "/org/cinnamon/", "panels-enabled");
    const std::vector<std::string> panels =
        enabled ? stringItems(*enabled) : std::vector<std::string>{};
    const auto isEnabled = [&enabled, &panels](std::string_view id) {
        return !enabled || std::ranges::any_of(panels, [id](const std::string& panel) {
            return cinnamonPanelId(panel) == id;
        });
    };
    std::uint32_t state = kAlwaysOnTop;
    for (const std::string& item : stringItems(*modes)) {
        const std::string_view mode = std::string_view(item).substr(item.find(':') + 1);
        if ((mode == kTrue || mode == "intel") && isEnabled(cinnamonPanelId(item))) {
            state |= kAutoHide;
        }
    }
    return state;
}

// A dock kept as one hide mode in GSettings: it hides in every mode but the one that keeps it
// shown, and it stays above windows in all of them. Nothing where its schema is not installed.
struct DockMode {
    std::string_view schema;
    std::string_view path;
    std::string_view key;
    std::string_view shown;
};

std::optional<std::uint32_t> dockModeState(const DesktopSettings& settings, const DockMode& dock) {
    const auto mode = settings.value(dock.schema, dock.path, dock.key);
    if (!mode) return std::nullopt;
    return kAlwaysOnTop | (*mode != dock.shown ? kAutoHide : 0);
}

// elementary OS's dock (from OS 8 on); the top panel stays above windows too. The dock before
// it was an X11 dock window, which tells.
constexpr DockMode kElementaryDock = {.schema = "io.elementary.dock",
                                      .path = "/io/elementary/dock/",
                                      .key = "autohide-mode",
                                      .shown = "'never'"};
// Unity's launcher: auto-hide, and dodging windows in its first releases, are the modes that
// hide it; the top panel stays above windows too.
constexpr DockMode kUnityLauncher = {.schema = "org.compiz.unityshell",
                                     .path = "/org/compiz/profiles/unity/plugins/unityshell/",
                                     .key = "launcher-hide-mode",
                                     .shown = "0"};
// deepin 20's dock: kept hidden, or hiding smartly.
constexpr DockMode kDeepinDock = {.schema = "com.deepin.dde.dock",
                                  .path = "/com/deepin/dde/dock/",
                                  .key = "hide-mode",
                                  .shown = "'keep-showing'"};

// Where COSMIC's settings are: the user's below their config folder, the desktop's defaults
// for what the user never changed below this one.
constexpr std::string_view kCosmicFolder = "cosmic";
constexpr std::string_view kCosmicDefaults = "/usr/share/cosmic";
constexpr std::string_view kCosmicPanels = "com.system76.CosmicPanel";
constexpr std::string_view kCosmicVersion = "v1";

// The panels that COSMIC's settings list, each by its own settings; nothing when no list is
// kept.
std::optional<std::uint32_t> cosmicState(const std::filesystem::path& root,
                                         const std::filesystem::path& configHome) {
    const auto setting = [&root, &configHome](const std::string& component, std::string_view key) {
        const std::filesystem::path file = std::filesystem::path(component) / kCosmicVersion / key;
        auto text = readSettingsFile(root, configHome / kCosmicFolder / file);
        if (!text) text = readFile(root, (kCosmicDefaults / file).relative_path());
        return text;
    };
    const auto entries = setting(std::string(kCosmicPanels), "entries");
    if (!entries) return std::nullopt;
    std::uint32_t state = 0;
    for (const std::string& name : cosmicPanelNames(*entries)) {
        const std::string panel = std::string(kCosmicPanels) + "." + name;
        state |= cosmicPanelState(setting(panel, "autohide"), setting(panel, "layer"));
    }
    return state;
}

// lxpanel keeps each panel in a file of its own, in a folder of the profile the session starts
// it with and names itself after (LXDE, LXDE-pi, Lubuntu); LXDE's when the session is unnamed.
constexpr std::string_view kLxdeProfile = "LXDE";
constexpr std::string_view kLxpanelFolder = "lxpanel";
constexpr std::string_view kLxpanelPanels = "panels";
// Where lxpanel's own package keeps each profile's panels, after the machine's settings folders.
constexpr std::string_view kLxpanelProfiles = "/usr/share/lxpanel/profile";
// A panel folder holds a panel or two, each file a few hundred bytes: what lies past these
// limits is no panel's and is not read.
constexpr std::size_t kMostPanelEntries = 64;
constexpr std::size_t kMostPanelFileBytes = 64 * 1024;

// The panels of one lxpanel folder, combined; nothing when it holds none.
std::optional<std::uint32_t> lxpanelFolderState(const std::filesystem::path& root,
                                                const std::filesystem::path& folder) {
    std::optional<std::uint32_t> state;
    std::error_code error;
    std::size_t entries = 0;
    for (std::filesystem::directory_iterator entry(root / folder.relative_path(), error), end;
         !error && entry != end && entries < kMostPanelEntries; entry.increment(error), ++entries) {
        const std::string name = entry->path().filename().string();
        if (name.find('~') != std::string::npos) continue;  // an editor's backup: lxpanel skips it
        const auto text = readSettingsFile(root, folder / name, kMostPanelFileBytes);
        const auto panel = text ? lxpanelPanelState(*text) : std::nullopt;
        if (panel) state = state.value_or(0) | *panel;
    }
    return state;
}

// Raspberry Pi OS's X11 session from 2025 on starts lxpanel-pi, lxpanel's successor there,
// with no profile: its panels lie straight in its own folder.
constexpr std::string_view kPiX11Session = "rpd-x";
constexpr std::string_view kLxpanelPiFolder = "lxpanel-pi";

// As lxpanel looks for its profile's panels: the user's, else the first of the machine's
// folders that has any. It falls back on no other profile. lxpanel-pi looks in the same
// places, for its own folder's panels.
std::optional<std::uint32_t> lxdeState(const std::filesystem::path& root,
                                       const SessionFolders& folders) {
    const bool piPanel = folders.session == kPiX11Session;
    const std::string_view program = piPanel ? kLxpanelPiFolder : kLxpanelFolder;
    const std::string_view profile =
        isPlainFileName(folders.session) ? folders.session : kLxdeProfile;
    const std::filesystem::path panels = piPanel ? std::filesystem::path(kLxpanelPanels)
                                                 : std::filesystem::path(profile) / kLxpanelPanels;
    std::vector<std::filesystem::path> places = {folders.configHome / program};
    for (const std::filesystem::path& machine : folders.configDirs) {
        places.push_back(machine / program);
    }
    if (!piPanel) places.emplace_back(kLxpanelProfiles);
    for (const std::filesystem::path& place : places) {
        if (const auto state = lxpanelFolderState(root, place / panels)) return state;
    }
    return std::nullopt;
}

// Raspberry Pi OS's sessions, which name no desktop of their own in XDG_CURRENT_DESKTOP: on
// Wayland wayfire's from 2023 and labwc's from 2024, as the session scripts name them, and
// labwc's as its later releases' login screen lists it; and those releases' X11 session.
struct SessionDesktop {
    std::string_view session;
    Desktop desktop;
};
constexpr std::array<SessionDesktop, 4> kSessionDesktops = {{
    {"LXDE-pi-wayfire", Desktop::PiWayland},
    {"LXDE-pi-labwc", Desktop::PiWayland},
    {"rpd-labwc", Desktop::PiWayland},
    {kPiX11Session, Desktop::Lxde},
}};

// wf-panel-pi reads the user's settings, then the machine's, and takes what neither sets from
// the metadata it installs; before the user's settings moved into a folder of their own they
// were one file in the config folder.
constexpr std::string_view kWfPanelFolder = "wf-panel-pi";
constexpr std::string_view kWfPanelFile = "wf-panel-pi.ini";
constexpr std::string_view kWfPanelMachineFile = "/etc/xdg/wf-panel-pi/wf-panel-pi.ini";
constexpr std::array<std::string_view, 2> kWfPanelMetadata = {
    "/usr/share/wf-panel-pi/metadata/panel-pi.xml", "/usr/share/wf-panel-pi/metadata/panel.xml"};

// Nothing where the panel has neither settings nor metadata: it is not installed.
std::optional<std::uint32_t> piPanelState(const std::filesystem::path& root,
                                          const std::filesystem::path& configHome) {
    std::array<std::optional<std::string>, 2> settingsFiles = {
        readSettingsFile(root, configHome / kWfPanelFolder / kWfPanelFile),
        readFile(root, std::filesystem::path(kWfPanelMachineFile).relative_path())};
    if (!settingsFiles[0]) settingsFiles[0] = readSettingsFile(root, configHome / kWfPanelFile);
    std::vector<std::string> metadata;
    for (const std::string_view file : kWfPanelMetadata) {
        if (auto text = readFile(root, std::filesystem::path(file).relative_path())) {
            metadata.push_back(std::move(*text));
        }
    }
    if (!settingsFiles[0] && !settingsFiles[1] && metadata.empty()) return std::nullopt;
    const auto setting = [&](std::string_view key) {
        return wfLayeredSetting(settingsFiles, metadata, key);
    };
    const auto layer = setting("layer");
    return wfPanelState(setting("autohide").value_or(""),
                        layer ? std::optional<std::string_view>(*layer) : std::nullopt);
}

std::optional<std::uint32_t> fromFile(const std::filesystem::path& root,
                                      const std::filesystem::path& file,
                                      std::optional<std::uint32_t> (*parse)(std::string_view)) {
    const auto text = readSettingsFile(root, file);
    return text ? parse(*text) : std::nullopt;
}

// Plasma's panels, each by its view's settings, of the containments the shell still has.
std::optional<std::uint32_t> plasmaFiles(const std::filesystem::path& root,
                                         const std::filesystem::path& configHome,
                                         std::optional<std::uint32_t> (*parse)(std::string_view,
                                                                               std::string_view)) {
    const auto views = readSettingsFile(root, configHome / "plasmashellrc");
    if (!views) return std::nullopt;
    const auto appletsFile = plasmaAppletsFile(*views);
    const auto containments =
        appletsFile ? readSettingsFile(root, configHome / *appletsFile) : std::nullopt;
    return parse(*views, containments.value_or(""));
}

}  // namespace

Desktop desktopOf(std::string_view currentDesktop, std::string_view kdeSessionVersion,
                  std::string_view desktopSession) {
    bool first = true;
    for (const std::string_view name : separatedItems(currentDesktop, ':')) {
        for (const DesktopName& known : kDesktopNames) {
            if (known.name != name) continue;
            if (known.desktop == Desktop::Plasma && kdeSessionVersion == "5") {
                return Desktop::Plasma5;
            }
            if (known.desktop == Desktop::Gnome && !first) return Desktop::GnomeSession;
            return known.desktop;
        }
        first = false;
    }
    for (const SessionDesktop& known : kSessionDesktops) {
        if (known.session == desktopSession) return known.desktop;
    }
    return Desktop::Other;
}

std::vector<std::filesystem::path> SessionFolders::dataFolders() const {
    std::vector<std::filesystem::path> folders = {dataHome};
    folders.insert(folders.end(), dataDirs.begin(), dataDirs.end());
    return folders;
}

std::optional<std::uint32_t> panelTaskbarState(Desktop desktop, const std::filesystem::path& root,
                                               const SessionFolders& folders,
                                               const DesktopSettings& settings) {
    switch (desktop) {
        case Desktop::Gnome:
        case Desktop::GnomeSession:
            return gnomeState(settings, desktop, root, folders.dataFolders());
        case Desktop::Mate:
            return listedPanelsState(settings, kMatePanels);
        case Desktop::Cinnamon:
            return cinnamonState(settings);
        case Desktop::Plasma5:
            return plasmaFiles(root, folders.configHome, plasma5PanelState);
        case Desktop::Plasma:
            return plasmaFiles(root, folders.configHome, plasmaPanelState);
        case Desktop::Xfce:
            return fromFile(root,
                            folders.configHome / "xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml",
                            xfcePanelState);
        case Desktop::Lxqt:
            return fromFile(root, folders.configHome / "lxqt/panel.conf", lxqtPanelState);
        case Desktop::Cosmic:
            return cosmicState(root, folders.configHome);
        case Desktop::Budgie:
            return listedPanelsState(settings, kBudgiePanels);
        case Desktop::Lxde:
            return lxdeState(root, folders);
        case Desktop::Pantheon:
            return dockModeState(settings, kElementaryDock);
        case Desktop::Unity:
            return dockModeState(settings, kUnityLauncher);
        case Desktop::Deepin:
            return dockModeState(settings, kDeepinDock);
        case Desktop::PiWayland:
            return piPanelState(root, folders.configHome);
        case Desktop::Other:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zarnel::linux_fs
