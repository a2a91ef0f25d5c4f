// Which desktop runs the session, and the taskbar state its own panel settings give.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/desktop_settings.h"

namespace zarnel::linux_fs {

// GnomeSession is a distribution's own GNOME session ("ubuntu:GNOME", "pop:GNOME"), whose
// session mode may start a dock that no user setting lists.
enum class Desktop {
    Gnome,
    GnomeSession,
    Plasma5,
    Plasma,
    Xfce,
    Mate,
    Cinnamon,
    Lxqt,
    Cosmic,
    Budgie,
    Lxde,
    Pantheon,
    Unity,
    Deepin,     // deepin 20's dock, whose settings are in GSettings
    PiWayland,  // Raspberry Pi OS on Wayland (wayfire, then labwc), with its own panel
    Other
};

// XDG_CURRENT_DESKTOP is a colon-separated list, most specific first ("ubuntu:GNOME",
// "X-Cinnamon"); the first name we know decides, and GNOME after another name is that
// distribution's session. KDE_SESSION_VERSION tells Plasma 5 from the Plasmas after it; a
// session that does not say is taken for a current one.
// Raspberry Pi OS's later sessions name no desktop there; they are known by their session's
// name ($DESKTOP_SESSION).
Desktop desktopOf(std::string_view currentDesktop, std::string_view kdeSessionVersion,
                  std::string_view desktopSession);

// Where the session keeps its desktop's settings files, as machine paths.
struct SessionFolders {
    std::filesystem::path configHome;               // the user's: $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path dataHome;                 // the user's installed data: $XDG_DATA_HOME or
                                                    // ~/.local/share, where GNOME's extensions go
    std::vector<std::filesystem::path> configDirs;  // the machine's: $XDG_CONFIG_DIRS
    // The machine's installed data: $XDG_DATA_DIRS, where GNOME looks for extensions too.
    std::vector<std::filesystem::path> dataDirs = {"/usr/local/share", "/usr/share"};
    std::string session;  // $DESKTOP_SESSION, the profile LXDE's panel keeps its settings under

    // The user's data folder, then the machine's.
    std::vector<std::filesystem::path> dataFolders() const;
};

// The taskbar bits (1 auto-hide, 2 always on top) of the desktop's panels, combined over its
// panels, from its settings database and the files of `folders` read below `root`; nothing
// when the desktop keeps no panel settings, so the windows themselves must tell.
std::optional<std::uint32_t> panelTaskbarState(Desktop desktop, const std::filesystem::path& root,
                                               const SessionFolders& folders,
                                               const DesktopSettings& settings);

}  // namespace zarnel::linux_fs
